// The command-line tool's conversions and file writes: round trips through LYR and MPT, the
// audio an MPT file is built with, audio lengths, and writes that fail.
#include <gtest/gtest.h>

#include <filesystem>

#include "doc/LyrFormat.h"
#include "tests/cli/CliProcess.h"
#include "tests/support/FormatFixtures.h"
#include "tests/support/TempFolder.h"

namespace {

// An MPEG-1 layer III stream of silent 128 kbit/s frames at 44.1 kHz: 1152 samples each.
std::string Mp3Frames(int nFrames) {
    std::string frame(417, '\0');
    frame.replace(0, 4, "\xFF\xFB\x90\x00", 4);
    std::string out;
    for (int i = 0; i < nFrames; ++i)
        out += frame;
    return out;
}

// A WAVE file of 16-bit mono at 8 kHz with an odd-sized chunk before its data.
std::string Wav(uint32_t nDataBytes) {
    auto le32 = [](uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    std::string fmt = std::string("\x01\x00\x01\x00", 4) + le32(8000) + le32(16000) +
                      std::string("\x02\x00\x10\x00", 4);
    std::string body = "WAVEfmt " + le32(16) + fmt + "LIST" + le32(3) + "abc" + '\0' + "data" +
                       le32(nDataBytes) + std::string(nDataBytes, '\0');
    return "RIFF" + le32(uint32_t(body.size())) + body;
}

uint32_t Le32At(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 |
           uint32_t(uint8_t(s[at + 2])) << 16 | uint32_t(uint8_t(s[at + 3])) << 24;
}

TEST(CliConvert, LyrRoundTripKeepsTheCodePage) {
    CTempFolder dir;
    dir.Write("gbk.lrc", ReadBytes(FixturePath("gbk.lrc")));
    ASSERT_EQ(RunCli(dir.Path(), {"convert", "--to", "lyr", "gbk.lrc"}).nStatus, 0);
    const std::string lyr = ReadBytes(dir / "gbk.lyr");
    ASSERT_EQ(lyr.size(), 1024u);
    EXPECT_EQ(lyr[13], 1); // high bytes: the double-byte character set mark

    const SCliRun back = RunCli(dir.Path(), {"convert", "--to", "lrc", "-o", "-", "gbk.lyr"});
    EXPECT_EQ(back.nStatus, 0) << back.strErr;
    const std::string gbk = ReadBytes(FixturePath("gbk.lrc"));
    EXPECT_EQ(back.strOut, gbk.substr(gbk.find("\r\n") + 2)); // headers are not stored
    // Converting the text to itself needs --in-place.
    EXPECT_EQ(RunCli(dir.Path(), {"convert", "--to", "lrc", "gbk.lrc"}).nStatus, 2);
    EXPECT_EQ(RunCli(dir.Path(), {"convert", "--to", "lrc", "--in-place", "gbk.lrc"}).nStatus, 0);
    EXPECT_EQ(ReadBytes(dir / "gbk.lrc"), gbk);
    // Two inputs of one name never overwrite each other's output.
    dir.Write("sub/gbk.lrc", gbk);
    const SCliRun twice =
        RunCli(dir.Path(), {"convert", "--to", "lyr", "-o", "out", "gbk.lrc", "sub/gbk.lrc"});
    EXPECT_EQ(twice.nStatus, 2);
    EXPECT_NE(twice.strErr.find("already written from another file"), std::string::npos);
}

// A LYR file holding more than the format does: every command says so and exits with 1, and a
// conversion keeps what could be read.
TEST(CliConvert, LyricsLeftOutOfALyrFileAreReported) {
    CTempFolder dir;
    std::vector<std::string> lines;
    for (int i = 0; i < 2049; ++i)
        lines.push_back("line " + std::to_string(i));
    dir.Write("many.lyr", LyrImageOf(lines, 2049));
    const std::vector<std::vector<std::string>> commands = {
        {"convert", "--to", "lrc", "-o", "-", "many.lyr"},
        {"check", "many.lyr"},
        {"info", "many.lyr"},
        {"strip", "many.lyr"}};
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0]);
        const SCliRun run = RunCli(dir.Path(), command);
        EXPECT_EQ(run.nStatus, 1) << run.strErr;
        EXPECT_NE(run.strErr.find("many.lyr: warning:"), std::string::npos) << run.strErr;
        EXPECT_NE(run.strErr.find("left out"), std::string::npos);
    }
    const SCliRun convert = RunCli(dir.Path(), commands[0]);
    EXPECT_NE(convert.strOut.find("line 2047\r\n"), std::string::npos);
    EXPECT_EQ(convert.strOut.find("line 2048"), std::string::npos);
}

// A UTF-16 text file: described, checked and edited in its own encoding, converted like any other.
TEST(CliConvert, Utf16TextStaysUtf16) {
    const auto utf16 = [](const std::string& ascii, bool bBigEndian) {
        std::string out = bBigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char c : ascii)
            out += bBigEndian ? std::string{'\0', c} : std::string{c, '\0'};
        return out;
    };
    const struct {
        bool bBigEndian;
        const char* label;
    } cases[] = {{false, "UTF-16 LE BOM"}, {true, "UTF-16 BE BOM"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        CTempFolder dir;
        dir.Write("song.lrc", utf16("[00:01.00]one\r\n[00:02.00]two\r\n", c.bBigEndian));
        const SCliRun info = RunCli(dir.Path(), {"info", "song.lrc"});
        EXPECT_EQ(info.nStatus, 0) << info.strErr;
        EXPECT_NE(info.strOut.find(std::string("code page: ") + c.label), std::string::npos)
            << info.strOut;
        EXPECT_EQ(RunCli(dir.Path(), {"check", "song.lrc"}).nStatus, 0);

        ASSERT_EQ(RunCli(dir.Path(), {"shift", "500", "--in-place", "song.lrc"}).nStatus, 0);
        EXPECT_EQ(ReadBytes(dir / "song.lrc"),
                  utf16("[00:01.50]one\r\n[00:02.50]two\r\n", c.bBigEndian));
        ASSERT_EQ(RunCli(dir.Path(), {"convert", "--to", "lyr", "song.lrc"}).nStatus, 0);
        const SCliRun back = RunCli(dir.Path(), {"convert", "--to", "lrc", "-o", "-", "song.lyr"});
        EXPECT_EQ(back.strOut, "[00:01.50]one\r\n[00:02.50]two\r\n");
        const SCliRun utf8 = RunCli(dir.Path(), {"strip", "--to-utf8", "song.lrc"});
        EXPECT_EQ(utf8.strOut, "\xEF\xBB\xBFone\r\ntwo\r\n");
    }
}

TEST(CliConvert, MptCarriesTheAudioBesideTheLyrics) {
    CTempFolder dir;
    const std::string text = "[ti:S]\r\n[00:01.50]one\r\n[00:02.00]two\r\n";
    dir.Write("song.lrc", text);
    dir.Write("song.mp3", Mp3Frames(100)); // 2.612 s
    ASSERT_EQ(RunCli(dir.Path(), {"convert", "--to", "mpt", "song.lrc"}).nStatus, 0);
    const std::string mpt = ReadBytes(dir / "song.mpt");
    EXPECT_EQ(mpt.substr(4, 3), "MPT");
    EXPECT_EQ(Le32At(mpt, 15), 26u); // tenths of the scanned length
    EXPECT_EQ(mpt.substr(19, 9), std::string("song.mp3\0", 9));
    const size_t nHeader = uint8_t(mpt[0]) | uint8_t(mpt[1]) << 8;
    EXPECT_EQ(mpt.substr(nHeader), Mp3Frames(100));

    // Saved again over itself as its own audio: one header, the same stream.
    dir.Write("song.lrc", "[00:03.00]three\r\n");
    std::filesystem::remove(dir / "song.mp3");
    ASSERT_EQ(RunCli(dir.Path(), {"convert", "--to", "mpt", "song.lrc"}).nStatus, 0);
    const std::string again = ReadBytes(dir / "song.mpt");
    EXPECT_EQ(again.substr(uint8_t(again[0]) | uint8_t(again[1]) << 8), Mp3Frames(100));
    const SCliRun lrc = RunCli(dir.Path(), {"convert", "--to", "lrc", "-o", "-", "song.mpt"});
    EXPECT_EQ(lrc.strOut, "[00:03.00]three\r\n");
}

TEST(CliInfo, HeadersTimesAndAudioLengths) {
    CTempFolder dir;
    dir.Write("a.lrc", "[ti:Title]\r\n[ar:Artist]\r\n[00:03.00]x\r\n[00:01.00][01:00.00]y\r\n");
    dir.Write("a.wav", Wav(32000)); // 2 s
    dir.Write("b.lrc", "[00:01.00]x\r\n");
    dir.Write("b.mp3", Mp3Frames(100));
    dir.Write("c.lrc", "x\r\n");
    dir.Write("c.mp3", "no frames at all");
    const SCliRun run =
        RunCli(dir.Path(), {"info", "--json", "--audio-length", "a.lrc", "b.lrc", "c.lrc"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    for (const char* part :
         {"\"ti\":\"Title\",\"ar\":\"Artist\"", "\"lines\":4", "\"tags\":3",
          "\"firstMs\":1000,\"lastMs\":60000", "\"audio\":\"a.wav\"", "\"audioLengthMs\":2000",
          "\"audioLengthMs\":2612", "\"audio\":\"c.mp3\"}"})
        EXPECT_NE(run.strOut.find(part), std::string::npos) << part << "\n" << run.strOut;
    const SCliRun text = RunCli(dir.Path(), {"info", "--audio-length", "c.lrc"});
    EXPECT_NE(text.strOut.find("audio length: unknown (no MPEG audio frames found)"),
              std::string::npos)
        << text.strOut;
}

TEST(CliWrite, FailedWritesLeaveTheOldFileAndNoLeftovers) {
    CTempFolder dir;
    std::string big;
    for (int i = 0; i < 2000; ++i)
        big += "[00:01.00]line\r\n";
    dir.Write("big.lrc", big);

    // The new text is longer than the file-size limit lets the tool write.
    SCliRunOptions limited;
    limited.nFileSizeLimit = 4096;
    const SCliRun run = RunCli(dir.Path(), {"shift", "5", "--in-place", "big.lrc"}, limited);
    EXPECT_EQ(run.nStatus, 2);
    EXPECT_NE(run.strErr.find("big.lrc: cannot be written: File too large"), std::string::npos)
        << run.strErr;
    EXPECT_EQ(ReadBytes(dir / "big.lrc"), big);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    SCliRunOptions full;
    full.strStdoutPath = "/dev/full";
    const SCliRun noSpace = RunCli(dir.Path(), {"tidy", "big.lrc"}, full);
    EXPECT_EQ(noSpace.nStatus, 2);
    EXPECT_EQ(noSpace.strErr, "versewright-cli: standard output: No space left on device\n");

    // A binary file never goes to a terminal, and standard input has no name to write under.
    const SCliRun stdinDir = RunCli(dir.Path(), {"tidy", "-o", "out", "-"}, WithStdin("x\r\n"));
    EXPECT_NE(stdinDir.strErr.find("standard input has no file name"), std::string::npos);
}

} // namespace
