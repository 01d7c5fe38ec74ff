// Moving tags by hand on the text's bytes, the replay and stamp times, the speed steps, and the
// list of tags the timing panel draws.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc/NowTag.h"
#include "doc/PlayTime.h"
#include "doc/TagRetime.h"
#include "tests/support/TestPages.h"

namespace {

const CCodePage kUtf8;
const CCodePage kGbk = Page("CP936");

// The line with its first tag nudged by each delta in turn; "-" when it has none.
std::string Nudged(const CCodePage& cp, std::string line, const std::vector<int32_t>& deltas) {
    for (const int32_t delta : deltas) {
        STagRewrite rewrite;
        if (!NudgeFirstTag(cp, line.data(), line.size(), delta, &rewrite))
            return "-";
        line.replace(rewrite.nStart, rewrite.nEnd - rewrite.nStart,
                     std::string(rewrite.szTag, rewrite.nLength));
    }
    return line;
}

TEST(Retime, NudgeRewritesTheFirstTagInHundredths) {
    const struct {
        const char* line;
        std::vector<int32_t> deltas;
        const char* expected;
    } cases[] = {
        {"[00:01.00]la", {100, 100, 100, -10, -10}, "[00:01.28]la"},
        {"[00:00.05]la", {-100}, "[00:00.00]la"},
        {"[00:00.00]la", {-10, -10}, "[00:00.00]la"},
        {"[00:59.95]la", {100}, "[01:00.05]la"},
        {"[01:02]la", {10}, "[01:02.01]la"},
        {"[01:02.345]la", {-10}, "[01:02.34]la"},
        {"[01:02.3]la", {0}, "[01:02.30]la"},
        {"[00:01.00][00:05.00]la", {100}, "[00:01.10][00:05.00]la"},
        {"[offset:500][00:01.00]la", {-100}, "[offset:500][00:00.90]la"},
        {"[ti:title]", {100}, "-"},
        {"la [00:01.00]", {100}, "-"},
        {"", {100}, "-"},
        {"[00:01.00", {100}, "-"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Nudged(kUtf8, c.line, c.deltas), c.expected) << c.line;
}

TEST(Retime, NudgeKeepsDoubleByteLyricsWhole) {
    // The trail byte 0x5D of the lyric is no ']' to the scan.
    EXPECT_EQ(Nudged(kGbk, "[00:02.00]\x81\x5D\x81\x5B", {-10}), "[00:01.99]\x81\x5D\x81\x5B");
    // A '[' that is the trail byte of a character starts no tag.
    EXPECT_EQ(Nudged(kGbk, "\x81[00:02.00]", {10}), "-");
}

TEST(Retime, RewriteRoundsAndNeverOverflowsTheBuffer) {
    const struct {
        uint32_t time;
        const char* tag;
    } cases[] = {
        {1284, "[00:01.28]"},
        {1285, "[00:01.29]"},
        {0, "[00:00.00]"},
        {UINT32_MAX, "[71582:47.29]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(RewriteTag(3, 9, c.time).szTag), c.tag) << c.time;
}

TEST(Retime, ReplayStampAndSpeedArithmetic) {
    EXPECT_EQ(ReplayPosition(5000, 0), 4000u);
    EXPECT_EQ(ReplayPosition(5000, 500), 3500u);
    EXPECT_EQ(ReplayPosition(800, 0), 0u);
    EXPECT_EQ(ReplayPosition(1200, 1000), 0u);
    EXPECT_EQ(ReplayPosition(0, -3000), 2000u);

    EXPECT_EQ(CompensateReaction(2000, 150), 1850u);
    EXPECT_EQ(CompensateReaction(100, 150), 0u);
    EXPECT_EQ(CompensateReaction(150, 150), 0u);

    EXPECT_EQ(NudgeTagTime(UINT32_MAX - 3, 100), UINT32_MAX / 10 * 10);
    const struct {
        int from, delta, to;
    } steps[] = {{2, -1, 1}, {0, -1, 0}, {4, 1, 4}, {3, 1, 4}, {-7, 1, 0}, {99, -1, 4}};
    for (const auto& s : steps)
        EXPECT_EQ(StepSpeedIndex(s.from, s.delta), s.to) << s.from << " " << s.delta;
    EXPECT_EQ(kSpeedPercents[SpeedIndexOfPercent(75)], 75);
    EXPECT_EQ(SpeedIndexOfPercent(80), SPEED_NORMAL_INDEX);
}

TEST(Retime, ListTimeTagsGivesEveryTagWithItsLineAndBytes) {
    const std::string text = "[ti:x]\r\n[offset:-200]\r\n[00:01.00][00:09.50]one\r\n\r\n"
                             "two [00:03.00]\r\n[00:02]\x81\x0D\r\n[00:04.00]";
    int32_t offset = 0;
    const std::vector<STimeTagSpan> tags = ListTimeTags(kGbk, text.data(), text.size(), &offset);
    EXPECT_EQ(offset, -200);
    const struct {
        const char* tag;
        uint32_t time;
        int line;
    } expected[] = {
        {"[00:01.00]", 1000, 2}, {"[00:09.50]", 9500, 2}, {"[00:02]", 2000, 5},
        {"[00:04.00]", 4000, 6},
    };
    ASSERT_EQ(tags.size(), std::size(expected));
    for (size_t i = 0; i < tags.size(); ++i) {
        EXPECT_EQ(text.substr(tags[i].nStart, tags[i].nEnd - tags[i].nStart), expected[i].tag);
        EXPECT_EQ(tags[i].nTime, expected[i].time) << i;
        EXPECT_EQ(tags[i].nLine, expected[i].line) << i;
    }
}

} // namespace
