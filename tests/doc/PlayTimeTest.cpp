#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "doc/PlayTime.h"

namespace {

struct OffsetCase {
    uint32_t value;
    int32_t offset;
    uint32_t expected;
};

TEST(PlayTime, EffectiveTimeNeverWrapsOrOverflows) {
    const OffsetCase cases[] = {
        {10000, 500, 10500},
        {10000, -20000, 0},
        {1000, -1000, 0},
        {1000, -999, 1},
        {0, INT32_MIN, 0},
        {5, INT32_MAX, 2147483652u},
        {UINT32_MAX - 10, 100, UINT32_MAX},
        {UINT32_MAX, 0, UINT32_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EffectiveTime(c.value, c.offset), c.expected) << c.value << " " << c.offset;
}

TEST(PlayTime, PlayPositionOfTagNeverWrapsOrOverflows) {
    const OffsetCase cases[] = {
        {2000, 500, 1500},
        {500, 500, 0},
        {400, 500, 0},
        {1000, -500, 1500},
        {0, INT32_MIN, 2147483648u},
        {UINT32_MAX, -1, UINT32_MAX},
        {UINT32_MAX, INT32_MIN, UINT32_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlayPositionOfTag(c.value, c.offset), c.expected) << c.value << " " << c.offset;
}

TEST(PlayTime, TimeFieldShowsHoursMinutesSeconds) {
    const struct {
        uint32_t position;
        const char* text;
    } cases[] = {
        {0, "00:00:00"},
        {999, "00:00:00"},
        {59999, "00:00:59"},
        {60000, "00:01:00"},
        {3725000, "01:02:05"},
        {36000000, "10:00:00"},
        {UINT32_MAX, "1193:02:47"},
    };
    for (const auto& c : cases) {
        char out[PLAY_TIME_BUFFER];
        const size_t n = FormatPlayTime(out, c.position);
        EXPECT_EQ(std::string(out), c.text);
        EXPECT_EQ(n, std::string(c.text).size());
    }
}

TEST(PlayTime, GateSkipsTheSameTenthUnlessForcedAndCountsSeconds) {
    const struct {
        uint32_t position;
        bool force;
        bool tenthPasses;
        bool newSecond; // only asked when the tenth passed
    } steps[] = {
        {0, false, true, true},                                // the first refresh always draws
        {50, false, false, false},                             // same tenth
        {99, true, true, false},                               // forced, same second
        {100, false, true, false},                             // new tenth, same second
        {1000, false, true, true},                             // new second
        {1099, false, false, false}, {900, false, true, true}, // going back is a change too
        {900, false, false, false},  {UINT32_MAX, false, true, true},
    };
    CPlayPositionGate gate;
    for (const auto& s : steps) {
        EXPECT_EQ(gate.PassTenth(s.position, s.force), s.tenthPasses) << s.position;
        if (s.tenthPasses) {
            EXPECT_EQ(gate.PassSecond(s.position), s.newSecond) << s.position;
        }
    }
}

} // namespace
