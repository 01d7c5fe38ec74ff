// The command-line tool's commands run as a process: exit statuses and error lines, what check
// reports on odd files, and the text edits.
#include <gtest/gtest.h>

#include "tests/cli/CliProcess.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(CliCommandLine, ExitStatusesAndErrorLines) {
    CTempFolder dir;
    dir.Write("ok.lrc", "[00:01.00]a\r\n");
    dir.Write("nul.lrc", std::string("[00:01.00]a\0b", 13));
    struct {
        std::vector<std::string> args;
        int nStatus;
        const char* pszErr; // a part of standard error; "" for none at all
    } const kCases[] = {
        {{}, 2, "versewright-cli: usage: no command given"},
        {{"frob", "ok.lrc"}, 2, "unknown command 'frob'"},
        {{"convert", "ok.lrc"}, 2, "convert needs --to"},
        {{"convert", "--to", "wav", "ok.lrc"}, 2, "--to takes lrc, lyr or mpt"},
        {{"check", "--in-place", "ok.lrc"}, 2, "--in-place does not apply to check"},
        {{"strip", "--json", "ok.lrc"}, 2, "--json does not apply to strip"},
        {{"shift", "ok.lrc"}, 2, "shift needs a whole number of milliseconds"},
        {{"shift", "-9223372036854775808", "ok.lrc"}, 2, "shift needs a whole number"},
        {{"tidy"}, 2, "tidy needs at least one file"},
        {{"tidy", "--in-place", "-o", "x", "ok.lrc"}, 2, "exclude each other"},
        {{"--version"}, 0, ""},
        {{"check", "--help"}, 0, ""},
        {{"check", "ok.lrc"}, 0, ""},
        {{"check", "ok.lrc", "missing.lrc"}, 2, "versewright-cli: missing.lrc: No such file"},
        {{"info", "nul.lrc"}, 2, "versewright-cli: nul.lrc: not a text file"},
        {{"tidy", "."}, 2, "versewright-cli: .: Is a directory"},
        {{"strip", "ok.lrc", "-o", "ok.lrc/dir"}, 2, "ok.lrc: ok.lrc/dir: Not a directory"},
        {{"strip", "ok.lrc", "-o", "."}, 2, "would replace the file itself"},
        {{"convert", "--to", "mpt", "ok.lrc"}, 2, "needs its MP3 audio"},
        {{"convert", "--to", "mpt", "--audio", "ok.lrc", "ok.lrc"}, 2, "no .mp3 or .mpt file"},
    };
    for (const auto& c : kCases) {
        const SCliRun run = RunCli(dir.Path(), c.args);
        const std::string strArgs = testing::PrintToString(c.args);
        EXPECT_EQ(run.nStatus, c.nStatus) << strArgs;
        if (*c.pszErr == '\0')
            EXPECT_EQ(run.strErr, "") << strArgs;
        else
            EXPECT_NE(run.strErr.find(c.pszErr), std::string::npos) << strArgs << run.strErr;
        // Each failure is said once, on one line.
        EXPECT_LE(std::count(run.strErr.begin(), run.strErr.end(), '\n'), 1) << strArgs;
    }
    EXPECT_EQ(ReadBytes(dir / "ok.lrc"), "[00:01.00]a\r\n");
    EXPECT_EQ(RunCli(dir.Path(), {"--version"}).strOut, "versewright-cli 1.0\n");
}

TEST(CliCheck, ReportsEachOddInputByLineAndKind) {
    struct {
        const char* pszFixture;
        std::vector<std::string> findings; // "line kind"
    } const kCases[] = {
        {"clean.lrc", {}},
        {"gbk.lrc", {}},
        {"malformed.lrc",
         {"2 malformed-tag", "3 malformed-tag", "4 malformed-tag", "5 malformed-tag",
          "6 malformed-tag"}},
        {"order.lrc",
         {"3 out-of-order", "4 duplicate-tag", "5 duplicate-tag", "5 out-of-order",
          "6 duplicate-header"}},
        {"offset.lrc", {"1 bad-offset", "2 bad-offset"}},
        {"midline.lrc", {"2 mid-line-tag"}},
        {"long.lrc", {"1 over-limit", "1 over-limit", "2 over-limit"}},
        {"bom.lrc", {"2 out-of-order"}},
        {"unknown.lrc", {"0 unknown-code-page"}},
    };
    for (const auto& c : kCases) {
        const SCliRun run = RunCli(FixturePath(""), {"check", "--json", c.pszFixture});
        EXPECT_EQ(run.nStatus, c.findings.empty() ? 0 : 1) << c.pszFixture << run.strErr;
        std::vector<std::string> found;
        for (size_t at = 0; (at = run.strOut.find("{\"line\":", at)) != std::string::npos;) {
            at += 8;
            const size_t kind = run.strOut.find("\"kind\":\"", at) + 8;
            found.push_back(run.strOut.substr(at, run.strOut.find(',', at) - at) + " " +
                            run.strOut.substr(kind, run.strOut.find('"', kind) - kind));
        }
        EXPECT_EQ(found, c.findings) << c.pszFixture << "\n" << run.strOut;
    }
}

TEST(CliCheck, TextOutputNamesFileAndLineAndErrorsWin) {
    const SCliRun run = RunCli(FixturePath(""), {"check", "offset.lrc", "nul.lrc", "clean.lrc"});
    EXPECT_EQ(run.nStatus, 2);
    EXPECT_EQ(run.strOut.substr(0, run.strOut.find('\n')),
              "offset.lrc:1: bad-offset: offset value ' 500' is not a whole number of "
              "milliseconds; it is ignored");
    EXPECT_EQ(run.strErr, "versewright-cli: nul.lrc: not a text file (it holds zero bytes)\n");
}

TEST(CliCheck, TextThatOutgrowsTheBinaryFormats) {
    CTempFolder dir;
    std::string text;
    for (int i = 0; i < 2100; ++i)
        text += "[" + std::to_string(10 + i / 60) + ":" + std::to_string(10 + i % 50) + "." +
                std::to_string(10 + i % 90) + "]x\r\n";
    dir.Write("many.lrc", text);
    const SCliRun run = RunCli(dir.Path(), {"check", "many.lrc"});
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_NE(run.strOut.find("many.lrc:2049: over-limit: from this line on the text does not "
                              "fit a LYR file (2048 of 2100"),
              std::string::npos)
        << run.strOut.substr(0, 2000);
    EXPECT_NE(run.strOut.find(":2049: over-limit: from this line on the text does not fit a MPT"),
              std::string::npos);
}

const char kEditInput[] = "[ti:T]\r\n[offset:500]\r\n[00:01.00]a\r\nplain\r\n[00:02][00:03.5]b\r\n";

TEST(CliEdit, TidyShiftStripToStandardOutput) {
    CTempFolder dir;
    dir.Write("e.lrc", kEditInput);
    struct {
        std::vector<std::string> args;
        const char* pszOut;
    } const kCases[] = {
        {{"tidy", "e.lrc"}, "[ti:T]\r\n[00:00.50]a\r\n[00:01.50][00:03.00]b\r\n"},
        {{"shift", "250", "e.lrc"},
         "[ti:T]\r\n[offset:500]\r\n[00:01.25]a\r\nplain\r\n[00:02.25][00:03.75]b\r\n"},
        {{"shift", "-2500", "e.lrc"},
         "[ti:T]\r\n[offset:500]\r\n[00:00.00]a\r\nplain\r\n[00:00.0][00:01.0]b\r\n"},
        {{"shift", "+60000", "e.lrc"},
         "[ti:T]\r\n[offset:500]\r\n[01:01.00]a\r\nplain\r\n[01:02][01:03.5]b\r\n"},
        {{"strip", "e.lrc"}, "[ti:T]\r\n[offset:500]\r\na\r\nplain\r\nb\r\n"},
        {{"strip", "--fractions", "e.lrc"},
         "[ti:T]\r\n[offset:500]\r\n[00:01]a\r\nplain\r\n[00:02][00:03]b\r\n"},
    };
    for (const auto& c : kCases) {
        const SCliRun run = RunCli(dir.Path(), c.args);
        EXPECT_EQ(run.nStatus, 0) << run.strErr;
        EXPECT_EQ(run.strOut, c.pszOut) << testing::PrintToString(c.args);
    }
    // Standard input in, standard output out; lone LF line ends come out as the editor has them.
    const SCliRun run = RunCli(dir.Path(), {"strip", "-"}, WithStdin("[00:01]a\nb[00:02]c\n"));
    EXPECT_EQ(run.strOut, "a\r\nb\r\nc\r\n");
    EXPECT_EQ(ReadBytes(dir / "e.lrc"), kEditInput);
}

TEST(CliEdit, InPlaceKeepsCodePageMarkLinkAndMode) {
    CTempFolder dir;
    const std::string gbk = ReadBytes(FixturePath("gbk.lrc"));
    dir.Write("gbk.lrc", gbk);
    dir.Write("bom.lrc", ReadBytes(FixturePath("bom.lrc")));
    dir.Write("real/target.lrc", "[00:01.50]x\r\n");
    std::filesystem::create_symlink("real/target.lrc", dir / "link.lrc");
    std::filesystem::permissions(dir / "real/target.lrc", std::filesystem::perms(0640));

    ASSERT_EQ(
        RunCli(dir.Path(), {"strip", "--fractions", "--in-place", "gbk.lrc", "bom.lrc", "link.lrc"})
            .nStatus,
        0);
    // GBK stays GBK: only the ".00" of each tag went.
    std::string expected = gbk;
    for (size_t at; (at = expected.find(".00]")) != std::string::npos;)
        expected.erase(at, 3);
    EXPECT_EQ(ReadBytes(dir / "gbk.lrc"), expected);
    EXPECT_EQ(ReadBytes(dir / "bom.lrc"), "\xEF\xBB\xBF[00:02]b\r\n[00:01]a\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.lrc"));
    EXPECT_EQ(ReadBytes(dir / "real/target.lrc"), "[00:01]x\r\n");
    EXPECT_EQ(std::filesystem::status(dir / "real/target.lrc").permissions(),
              std::filesystem::perms(0640));

    // --to-utf8 turns the GBK text into UTF-8; the same text when read back.
    ASSERT_EQ(RunCli(dir.Path(), {"tidy", "--in-place", "--to-utf8", "gbk.lrc"}).nStatus, 0);
    const SCliRun info = RunCli(dir.Path(), {"info", "--json", "gbk.lrc"});
    EXPECT_NE(info.strOut.find("\"codePage\":\"UTF-8\""), std::string::npos) << info.strOut;
    EXPECT_NE(info.strOut.find("\"ti\":\"月亮代表我的心\""), std::string::npos) << info.strOut;
}

} // namespace
