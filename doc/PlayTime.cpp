#include "doc/PlayTime.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

uint32_t ClampTime(int64_t t) {
    if (t < 0)
        return 0;
    if (t > static_cast<int64_t>(UINT32_MAX))
        return UINT32_MAX;
    return static_cast<uint32_t>(t);
}

} // namespace

uint32_t EffectiveTime(uint32_t position, int32_t offset) {
    return ClampTime(static_cast<int64_t>(position) + offset);
}

uint32_t PlayPositionOfTag(uint32_t time, int32_t offset) {
    return ClampTime(static_cast<int64_t>(time) - offset);
}

uint32_t ReplayPosition(uint32_t time, int32_t offset) {
    const uint32_t position = PlayPositionOfTag(time, offset);
    return position > REPLAY_LEAD_IN_MS ? position - REPLAY_LEAD_IN_MS : 0;
}

uint32_t CompensateReaction(uint32_t time, uint32_t reactionMs) {
    return time > reactionMs ? time - reactionMs : 0;
}

uint32_t RoundToHundredths(uint32_t time) {
    const uint64_t rounded = (static_cast<uint64_t>(time) + 5) / 10 * 10;
    return rounded > UINT32_MAX ? UINT32_MAX / 10 * 10 : static_cast<uint32_t>(rounded);
}

uint32_t NudgeTagTime(uint32_t time, int32_t delta) {
    return RoundToHundredths(ClampTime(static_cast<int64_t>(RoundToHundredths(time)) + delta));
}

int StepSpeedIndex(int index, int delta) {
    const int last = static_cast<int>(std::size(kSpeedPercents)) - 1;
    return std::clamp(index + delta, 0, last);
}

int SpeedIndexOfPercent(int percent) {
    for (size_t i = 0; i < std::size(kSpeedPercents); ++i)
        if (kSpeedPercents[i] == percent)
            return static_cast<int>(i);
    return SPEED_NORMAL_INDEX;
}

size_t FormatPlayTime(char* out, uint32_t position) {
    const uint32_t second = position / 1000;
    const int n =
        std::snprintf(out, PLAY_TIME_BUFFER, "%02i:%02i:%02i", static_cast<int>(second / 3600),
                      static_cast<int>((second / 60) % 60), static_cast<int>(second % 60));
    return n > 0 ? static_cast<size_t>(n) : 0;
}

bool CPlayPositionGate::PassTenth(uint32_t position, bool bForce) {
    const uint32_t tenth = position / 100;
    if (tenth == m_nLastTenth && !bForce)
        return false;
    m_nLastTenth = tenth;
    return true;
}

bool CPlayPositionGate::PassSecond(uint32_t position) {
    const uint32_t second = position / 1000;
    if (second == m_nLastSecond)
        return false;
    m_nLastSecond = second;
    return true;
}
