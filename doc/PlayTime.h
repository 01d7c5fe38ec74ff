#pragma once
// Play positions and tag times: the offset applied in both directions, the elapsed-time text,
// and the gate that keeps the playback display from redrawing more often than it changes.

#include <cstddef>
#include <cstdint>

// Longest text FormatPlayTime writes, terminator included ("1193:02:47" and less).
constexpr size_t PLAY_TIME_BUFFER = 16;

// The time the text is compared against at play position p: p + offset, never below 0 and never
// past the largest time.
uint32_t EffectiveTime(uint32_t position, int32_t offset);
// The play position at which a tag of this value is reached: time - offset, never below 0 and
// never past the largest time.
uint32_t PlayPositionOfTag(uint32_t time, int32_t offset);
// Where a replay of a tag starts: its play position less the lead-in, never below 0.
constexpr uint32_t REPLAY_LEAD_IN_MS = 1000;
uint32_t ReplayPosition(uint32_t time, int32_t offset);
// A stamp made reactionMs late: the time less the reaction time, never below 0.
uint32_t CompensateReaction(uint32_t time, uint32_t reactionMs);
// A tag value moved by delta, never below 0. The value is first rounded to hundredths, the
// precision the moved tag is written in, so every step moves it by exactly delta.
uint32_t NudgeTagTime(uint32_t time, int32_t delta);
// Time rounded to the nearest hundredth of a second, never past the largest hundredth.
uint32_t RoundToHundredths(uint32_t time);

// Playback speeds in percent, slowest first; SPEED_NORMAL_INDEX is 100 %.
constexpr int kSpeedPercents[] = {50, 75, 100, 125, 150};
constexpr int SPEED_NORMAL_INDEX = 2;
// The speed step delta steps from index (clamped to the table); the index of a percentage, or
// SPEED_NORMAL_INDEX for one the table does not hold.
int StepSpeedIndex(int index, int delta);
int SpeedIndexOfPercent(int percent);

// Elapsed time as hours:minutes:seconds ("%02i:%02i:%02i"); returns its length.
size_t FormatPlayTime(char* out, uint32_t position);

// Remembers the last tenth of a second and the last whole second the display showed. Both
// start unset, so the first refresh always draws.
class CPlayPositionGate {
public:
    // False when position falls in the tenth shown last and the refresh is not forced;
    // otherwise remembers the tenth and returns true.
    bool PassTenth(uint32_t position, bool bForce);
    // True once for each new whole second (of the tenth passed last); remembers it.
    bool PassSecond(uint32_t position);

private:
    uint32_t m_nLastTenth = 0xFFFFFFFF;
    uint32_t m_nLastSecond = 0xFFFFFFFF;
};
