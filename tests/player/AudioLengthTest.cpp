// Lengths read from WAVE headers, also when the header does not tell the truth.
#include <gtest/gtest.h>

#include <string>

#include "player/AudioLength.h"

namespace {

std::string Le32(uint32_t v) {
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

// RIFF WAVE with a format chunk of the byte rate given, extra chunks, then a data chunk header.
std::string Head(uint32_t nByteRate, const std::string& extra, uint32_t nData) {
    const std::string fmt = "fmt " + Le32(16) + std::string("\x01\x00\x02\x00", 4) + Le32(44100) +
                            Le32(nByteRate) + std::string("\x04\x00\x10\x00", 4);
    return "RIFF" + Le32(0) + "WAVE" + fmt + extra + "data" + Le32(nData);
}

TEST(AudioLength, WavLengthFromItsHeader) {
    const std::string odd = "junk" + Le32(3) + "abc" + '\0'; // padded to an even size
    struct {
        std::string head;
        uint64_t nFileSize;
        bool bOk;
        double seconds;
    } const cases[] = {
        {Head(176400, "", 352800), 44 + 352800, true, 2.0},
        {Head(176400, odd, 176400), 56 + 176400, true, 1.0},
        // A data size the file does not have (a recording cut short, or a streamed 0xFFFFFFFF).
        {Head(176400, "", 0xFFFFFFFF), 44 + 88200, true, 0.5},
        {Head(0, "", 1000), 1044, false, 0},                     // no byte rate
        {"RIFF" + Le32(0) + "WAVEdata" + Le32(8), 52, false, 0}, // data before any format
        {"RIFF" + Le32(0) + "AVI ", 12, false, 0},
        {"RIF", 3, false, 0},
        {"RIFF" + Le32(0) + "WAVE" + "fmt " + Le32(0xFFFFFFF0), 64, false, 0},
        {Head(176400, "", 8).substr(0, 30), 30, false, 0}, // cut inside the byte rate
    };
    for (const auto& c : cases) {
        double seconds = -1;
        EXPECT_EQ(WavLength(c.head, c.nFileSize, seconds), c.bOk) << c.head.size();
        if (c.bOk) {
            EXPECT_DOUBLE_EQ(seconds, c.seconds) << c.head.size();
        }
    }
}

} // namespace
