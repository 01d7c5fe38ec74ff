// MPEG audio frame headers and stream lengths, and how the backend tells MPT and AIFF files,
// on files built byte by byte.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "player/GstFileRegionSource.h"
#include "player/Mp3Length.h"

namespace {

using Bytes = std::string;

TEST(Mp3Header, Fields) {
    struct Case {
        const char* name;
        Bytes header;
        bool bValid;
        int nVersion, nLayer, nRate, nSamples, nBytes;
        bool bMono;
    };
    const Case cases[] = {
        {"MPEG-1 layer III 128k", "\xFF\xFB\x90\x00", true, 1, 3, 44100, 1152, 417, false},
        {"padded", "\xFF\xFB\x92\x00", true, 1, 3, 44100, 1152, 418, false},
        {"MPEG-2 layer III mono", "\xFF\xF3\x80\xC0", true, 2, 3, 22050, 576, 208, true},
        {"MPEG-2.5 layer III", "\xFF\xE3\x80\x00", true, 3, 3, 11025, 576, 417, false},
        {"MPEG-1 layer I", "\xFF\xFF\x90\x00", true, 1, 1, 44100, 384, 312, false},
        {"MPEG-1 layer II 48k", "\xFF\xFD\x94\x00", true, 1, 2, 48000, 1152, 480, false},
        {"free format", "\xFF\xFB\x00\x00", false, 0, 0, 0, 0, 0, false},
        {"bad bit rate", "\xFF\xFB\xF0\x00", false, 0, 0, 0, 0, 0, false},
        {"bad sample rate", "\xFF\xFB\x9C\x00", false, 0, 0, 0, 0, 0, false},
        {"reserved version", "\xFF\xEB\x90\x00", false, 0, 0, 0, 0, 0, false},
        {"reserved layer", "\xFF\xF9\x90\x00", false, 0, 0, 0, 0, 0, false},
        {"no sync", "\xFE\xFB\x90\x00", false, 0, 0, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mp3FrameHeader h;
        const bool bValid =
            Mp3ParseHeader(reinterpret_cast<const unsigned char*>(c.header.data()), h);
        EXPECT_EQ(bValid, c.bValid);
        if (!bValid)
            continue;
        EXPECT_EQ(h.nVersion, c.nVersion);
        EXPECT_EQ(h.nLayer, c.nLayer);
        EXPECT_EQ(h.nSampleRate, c.nRate);
        EXPECT_EQ(h.nSamples, c.nSamples);
        EXPECT_EQ(h.nFrameBytes, c.nBytes);
        EXPECT_EQ(h.bMono, c.bMono);
    }
}

// One frame of silence-like data with the given header.
Bytes Frame(const Bytes& header, int nBytes) {
    Bytes f = header;
    f.resize(size_t(nBytes), '\x11');
    return f;
}
const Bytes k128 = "\xFF\xFB\x90\x00"; // 417 bytes
const Bytes k320 = "\xFF\xFB\xE0\x00"; // 1044 bytes
Bytes Frames(int n, const Bytes& header = k128, int nBytes = 417) {
    Bytes out;
    for (int i = 0; i < n; ++i)
        out += Frame(header, nBytes);
    return out;
}
Bytes Be32(uint32_t v) {
    return Bytes{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}
// A first frame with a Xing header (frame count, the stream's byte count when nBytes is not
// negative) and, optionally, a LAME tag.
Bytes XingFrame(uint32_t nFrames, int nBytes, int nDelay = -1, int nPadding = 0) {
    Bytes f = Frame(k128, 417);
    Bytes xing = "Xing" + Be32(nBytes >= 0 ? 3 : 1) + Be32(nFrames);
    if (nBytes >= 0)
        xing += Be32(uint32_t(nBytes));
    if (nDelay >= 0) {
        Bytes lame = "LAME3.100" + Bytes(12, '\0');
        lame += char(nDelay >> 4);
        lame += char(((nDelay & 0x0F) << 4) | (nPadding >> 8));
        lame += char(nPadding & 0xFF);
        xing += lame;
    }
    f.replace(36, xing.size(), xing);
    return f;
}
Bytes VbriFrame(uint32_t nFrames, uint32_t nBytes) {
    Bytes f = Frame(k128, 417);
    const Bytes vbri = "VBRI" + Bytes("\0\1\0\0\0\0", 6) + Be32(nBytes) + Be32(nFrames);
    f.replace(36, vbri.size(), vbri);
    return f;
}
Bytes Id3v2(int nSize) {
    return Bytes("ID3\x03\x00\x00", 6) + char((nSize >> 21) & 0x7F) + char((nSize >> 14) & 0x7F) +
           char((nSize >> 7) & 0x7F) + char(nSize & 0x7F) + Bytes(size_t(nSize), '\0');
}

class Mp3Files : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char tmpl[] = "/tmp/vw_mp3_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        s_strDir = tmpl;
    }
    static void TearDownTestSuite() {
        std::string cmd = "rm -rf " + s_strDir;
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    }
    static std::string Write(const std::string& name, const Bytes& bytes) {
        const std::string path = s_strDir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string s_strDir;
};
std::string Mp3Files::s_strDir;

constexpr double kFrameSeconds = 1152.0 / 44100;

TEST_F(Mp3Files, Lengths) {
    Bytes gap(500, '\x22');
    Bytes damaged = Frames(50);
    damaged[417 * 20 + 2] = '\xF0'; // one broken header in the middle
    struct Case {
        const char* name;
        Bytes bytes;
        uint64_t offset;
        double seconds; // < 0: no stream found
    };
    const Case cases[] = {
        {"plain frames", Frames(100), 0, 100 * kFrameSeconds},
        {"after ID3v2 tags", Id3v2(1000) + Id3v2(20) + Frames(100), 0, 100 * kFrameSeconds},
        {"before an ID3v1 tag", Frames(100) + "TAG" + Bytes(125, 'x'), 0, 100 * kFrameSeconds},
        {"junk in the middle", Frames(60) + gap + Frames(40), 0, 100 * kFrameSeconds},
        {"a broken header", damaged, 0, 49 * kFrameSeconds},
        {"cut-off last frame", Frames(100).substr(0, 417 * 100 - 10), 0, 99 * kFrameSeconds},
        {"changing bit rate", Frames(10) + Frames(10, k320, 1044) + Frames(10), 0,
         30 * kFrameSeconds},
        // A header's count holds only when the size agrees; else every frame but its own.
        {"Xing, size agrees", XingFrame(900, 417 * 11) + Frames(10), 0, 900 * kFrameSeconds},
        {"Xing, size within slack", XingFrame(900, 417 * 20) + Frames(10), 0, 900 * kFrameSeconds},
        {"Xing without size", XingFrame(900, -1) + Frames(10), 0, 10 * kFrameSeconds},
        {"Xing of a cut-off file", XingFrame(100, 417 * 101) + Frames(50), 0, 50 * kFrameSeconds},
        {"Xing before joined files", XingFrame(20, 417 * 21) + Frames(20) + Frames(20), 0,
         40 * kFrameSeconds},
        {"LAME delay and padding", XingFrame(900, 417 * 11, 576, 1000) + Frames(10), 0,
         (900 * 1152 - 1576) / 44100.0},
        {"LAME delay, measured", XingFrame(900, -1, 576, 1000) + Frames(10), 0,
         (10 * 1152 - 576) / 44100.0},
        {"VBRI, size agrees", VbriFrame(500, 417 * 11) + Frames(10), 0, 500 * kFrameSeconds},
        {"VBRI of a cut-off file", VbriFrame(500, 417 * 501) + Frames(10), 0, 10 * kFrameSeconds},
        {"behind a header", Bytes(300, '\xFF') + Frames(100), 300, 100 * kFrameSeconds},
        {"short stream", Frames(2), 0, 2 * kFrameSeconds},
        {"lone frame among junk", Bytes(100, 'a') + Frames(1) + Bytes(100, 'b'), 0, -1},
        {"no frames", Bytes(5000, '\xFF'), 0, -1},
        {"empty", "", 0, -1},
        {"offset past the end", Frames(10), 1000000, -1},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Write("f" + std::to_string(n++) + ".mp3", c.bytes);
        double seconds = -1;
        const bool bFound = Mp3ScanLength(path, c.offset, seconds);
        EXPECT_EQ(bFound, c.seconds >= 0);
        if (bFound && c.seconds >= 0) {
            EXPECT_NEAR(seconds, c.seconds, 1e-9);
        }
    }
    double seconds = 0;
    EXPECT_FALSE(Mp3ScanLength(s_strDir + "/missing.mp3", 0, seconds));
}

TEST_F(Mp3Files, MptAudioStartsAfterItsHeader) {
    const Bytes mptHead = Bytes("\x20\x00\x1C\x00MPTVer1.1", 13);
    struct Case {
        const char* name;
        Bytes bytes;
        int64_t offset;
    };
    const Case cases[] = {
        {"MPT", mptHead + Bytes(19, '\0') + Frames(3), 32},
        {"MPT without audio", mptHead + Bytes(19, '\0'), -1},
        {"MPT header too short", Bytes("\x05\x00\x00\x00MPT", 7) + Frames(3), -1},
        {"MP3", Frames(3), 0},
        {"short file", "MP", 0},
        {"AIFF", Bytes("FORM\0\0\0\0AIFFCOMM", 16), 0},
        {"WAV", Bytes("RIFF\0\0\0\0WAVEfmt ", 16), 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Write("h" + std::to_string(n++), c.bytes);
        EXPECT_EQ(MptAudioOffset(path), c.offset);
    }
    EXPECT_EQ(MptAudioOffset(s_strDir + "/missing.mpt"), 0);
}

} // namespace
