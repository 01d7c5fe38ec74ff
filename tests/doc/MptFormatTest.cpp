#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc/LyrFormat.h"
#include "doc/MptFormat.h"
#include "tests/support/FormatFixtures.h"

namespace {

const CCodePage kUtf8;

std::string Read(const CCodePage& cp, const std::string& data, bool* pOk = nullptr) {
    auto pOut = std::make_unique<char[]>(LYRICS_CAPACITY);
    const bool bOk = ReadMpt(cp, reinterpret_cast<const uint8_t*>(data.data()), data.size(),
                             TIME_FORMAT_HUNDREDTHS, pOut.get());
    if (pOk != nullptr)
        *pOk = bOk;
    return pOut.get();
}

std::string Wrap(const CCodePage& cp, const std::string& text) {
    std::string out(text.size() * 2 + 8, '\0');
    out.resize(WrapMptText(cp, text.data(), text.data() + text.size(), out.data(), out.size()));
    return out;
}

std::string Header(const CCodePage& cp, const std::string& lrc, const std::string& name = "s.mp3",
                   uint32_t nLengthMs = 0) {
    return BuildMptFile(cp, lrc, name, nLengthMs, "");
}

TEST(MptBuild, HeaderWithAWrappedRecordGivesItsExactBytes) {
    const std::string expected = Bytes({53, 0, 23, 0}) + "MPT" + "Ver1.1" + Bytes({1, 0}) +
                                 Bytes({0x42, 0x03, 0, 0}) + "a.mp3" + Bytes({0}) +
                                 Bytes({28, 0, 10, 0, 0, 0}) + "ABCDEFGHIJKLMNOP\r\nQRST";

    EXPECT_EQ(Header(kUtf8, "[00:01.00]ABCDEFGHIJKLMNOPQRST", "a.mp3", 83456), expected);
}

TEST(MptBuild, RowsNeverSplitACharacter) {
    const CCodePage gbk = CodePageNamed("GBK");
    const CCodePage latin = CodePageNamed("WINDOWS-1252");
    const std::string a14(14, 'a'), a15(15, 'a'), a16(16, 'a');
    struct Case {
        const CCodePage& cp;
        std::string text;
        std::string wrapped;
    };
    const Case cases[] = {
        {kUtf8, "", ""},
        {kUtf8, a16, a16},
        {kUtf8, a16 + "bcde", a16 + "\r\nbcde"},
        {kUtf8, a16 + a16, a16 + "\r\n" + a16},
        {gbk, a15 + "\xd6\xd0" + "b", a15 + "\r\n\xd6\xd0" + "b"},
        {gbk, a14 + "\xd6\xd0" + "b", a14 + "\xd6\xd0\r\nb"},
        {kUtf8, a14 + "\xe4\xb8\xad", a14 + "\r\n\xe4\xb8\xad"},
        {latin, a15 + "\xe9\xe9", a15 + "\xe9\r\n\xe9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Wrap(c.cp, c.text), c.wrapped) << c.text;
}

TEST(MptBuild, DoubleByteCharacterAtColumnSixteenStartsTheNextRow) {
    const CCodePage gbk = CodePageNamed("GBK");
    const std::string header = Header(gbk, "[00:02]" + std::string(15, 'a') + "\xd6\xd0", "s");
    // "s" makes R = 21.
    EXPECT_EQ(header.substr(21),
              Bytes({25, 0, 20, 0, 0, 0}) + std::string(15, 'a') + "\r\n\xd6\xd0");
    EXPECT_EQ(header.substr(7, 6), "Ver1.0");
}

TEST(MptBuild, VersionMarksHighBytesAnywhere) {
    struct Case {
        const char* lrc;
        const char* version;
    };
    const Case cases[] = {
        {"[00:01]abc", "Ver1.1"},
        {"[00:01]\xe4\xb8\xad", "Ver1.0"},
        {"[ti:\xe4\xb8\xad]\r\n[00:01]abc", "Ver1.0"},
        {"[ar:x]", "Ver1.1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Header(kUtf8, c.lrc).substr(7, 6), c.version) << c.lrc;
}

TEST(MptBuild, NameIsCutAtACharacterBoundary) {
    std::string chinese;
    for (int i = 0; i < 87; ++i) // 261 bytes
        chinese += "\xe4\xb8\xad";
    struct Case {
        std::string name;
        size_t nKept;
    };
    const Case cases[] = {{"", 0}, {"s.mp3", 5}, {std::string(300, 'n'), 259}, {chinese, 258}};
    for (const Case& c : cases) {
        const std::string header = Header(kUtf8, "[00:01]x", c.name);
        EXPECT_EQ(GetLe16(header, 2), 18 + c.nKept);
        EXPECT_EQ(header.substr(19, c.nKept + 1), c.name.substr(0, c.nKept) + '\0');
        // The first record follows the name's zero byte.
        EXPECT_EQ(GetLe16(header, 19 + c.nKept + 1), 7u);
    }
}

TEST(MptBuild, RecordsAreSortedAndCountedInTheHeader) {
    const std::string header =
        Header(kUtf8, "[00:03]C\r\n[00:01.00][00:04.00]Hi\r\n[00:03.00]D", "");
    EXPECT_EQ(GetLe16(header, 13), 4u);
    EXPECT_EQ(GetLe16(header, 0), header.size());
    std::vector<std::pair<uint32_t, std::string>> records;
    for (size_t at = 20; at < header.size(); at += GetLe16(header, at))
        records.push_back(
            {GetLe32(header, at + 2), header.substr(at + 6, GetLe16(header, at) - 6)});
    const std::vector<std::pair<uint32_t, std::string>> expected = {
        {10, "Hi"}, {30, "C"}, {30, "D"}, {40, "Hi"}};
    EXPECT_EQ(records, expected);
}

TEST(MptBuild, HeaderStopsBeforeItsCapacity) {
    // 100 lines of 1000 bytes wrap to 1124 bytes each: far more than 65536.
    std::string lrc;
    for (int i = 0; i < 100; ++i)
        lrc +=
            "[00:" + std::to_string(10 + i % 50) + "]" + std::string(1000, 'a' + i % 26) + "\r\n";
    const std::string header = Header(kUtf8, lrc);
    EXPECT_LT(header.size(), MPT_HEADER_CAPACITY);
    EXPECT_EQ(GetLe16(header, 0), header.size());
    EXPECT_EQ(GetLe16(header, 13), 57u); // (65535 - 25) / 1130 records
}

TEST(MptBuild, AnExistingHeaderOfTheAudioIsReplaced) {
    const std::string audio = "ID3\x03" + std::string(300, '\x55');
    const std::string first = BuildMptFile(kUtf8, "[00:01]One", "song.mpt", 5000, audio);
    ASSERT_EQ(first.substr(first.size() - audio.size()), audio);

    const std::string second = BuildMptFile(kUtf8, "[00:02]Two", "song.mpt", 5000, first);
    EXPECT_EQ(second, BuildMptFile(kUtf8, "[00:02]Two", "song.mpt", 5000, audio));
}

TEST(MptBuild, ExistingHeaderIsRecognisedOnlyWhenItFits) {
    const std::string fixed(MPT_FIXED_SIZE - 7, '.');
    struct Case {
        const char* name;
        std::string audio;
        int64_t nStart; // where the player starts; the writer drops what lies before
    };
    const Case cases[] = {
        {"plain audio", "ID3\x03....", 0},
        {"too short", Bytes({7, 0}) + "..MP", 0},
        {"header inside", Bytes({19, 0}) + "..MPT" + fixed + "audio", 19},
        {"header shorter than its fields", Bytes({8, 0}) + "..MPT" + "xaudio", -1},
        {"header as long as the data", Bytes({19, 0}) + "..MPT" + fixed, -1},
        {"mark in lower case", Bytes({19, 0}) + "..mpt" + fixed + "audio", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MptAudioStart(c.audio, c.audio.size()), c.nStart);
        EXPECT_EQ(ExistingMptHeaderLength(c.audio), size_t(std::max<int64_t>(c.nStart, 0)));
    }
}

TEST(MptRead, RecordsReadBackOneLinePerText) {
    struct Case {
        const char* lrc;
        const char* read;
    };
    const Case cases[] = {
        {"[00:01.00][00:04.00]Hi", "[00:01.00][00:04.00]Hi\r\n"},
        {"[00:04]A\r\n[00:02]B\r\n[00:01]A", "[00:01.00][00:04.00]A\r\n[00:02.00]B\r\n"},
        {"[00:01]ABCDEFGHIJKLMNOPQRST", "[00:01.00]ABCDEFGHIJKLMNOPQRST\r\n"},
        {"[00:01.99]x\r\n[00:02]", "[00:01.90]x\r\n[00:02.00]\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Read(kUtf8, Header(kUtf8, c.lrc)), c.read) << c.lrc;
}

// Fixture: "[00:01]A\r\n[00:02]B" with the name "s.mp3": records at 25 and 32, 7 bytes each.
std::string TwoRecordHeader() {
    return Header(kUtf8, "[00:01]A\r\n[00:02]B");
}

TEST(MptRead, MalformedHeadersAreRejectedOrCut) {
    struct Case {
        const char* name;
        std::string data;
        bool bAccepted;
        std::string read;
    };
    std::vector<Case> cases;
    const std::string good = TwoRecordHeader();
    const std::string both = "[00:01.00]A\r\n[00:02.00]B\r\n";
    cases.push_back({"sound", good, true, both});
    cases.push_back({"with audio after it", good + "audio", true, both});
    cases.push_back({"empty", "", false, ""});
    cases.push_back({"shorter than the fixed header", good.substr(0, 18), false, ""});
    cases.push_back({"records cut off", good.substr(0, 35), true, "[00:01.00]A\r\n"});
    cases.push_back({"no record inside", good.substr(0, 30), false, ""});
    auto patched = [&](const char* name, size_t at, unsigned value, bool bAccepted,
                       const std::string& read) {
        std::string s = good;
        PutLe16(s, at, value);
        cases.push_back({name, s, bAccepted, read});
    };
    patched("no records", 13, 0, true, "");
    patched("count too high", 13, 9, true, both);
    patched("first record outside", 2, 0xFFFF, false, "");
    patched("first record length below 6", 25, 5, false, "");
    patched("second record length below 6", 32, 0, true, "[00:01.00]A\r\n");
    patched("second record runs past the end", 32, 8, true, "[00:01.00]A\r\n");
    {
        std::string s = good;
        PutLe16(s, 27, 0xFFFF);
        PutLe16(s, 29, 0xFFFF);
        cases.push_back({"time stored as the mark", s, true, "[00:02.00]B\r\n"});
    }
    {
        std::string s = good;
        PutLe16(s, 27, 0xFFFE);
        PutLe16(s, 29, 0xFFFF);
        cases.push_back({"time beyond 32-bit ms", s, true, "[71582:47.29]A\r\n[00:02.00]B\r\n"});
    }
    {
        std::string s = good;
        s[31] = '\0';
        cases.push_back({"zero byte in a text", s, true, "[00:01.00]\r\n[00:02.00]B\r\n"});
    }
    for (const Case& c : cases) {
        bool bOk = false;
        EXPECT_EQ(Read(kUtf8, c.data, &bOk), c.read) << c.name;
        EXPECT_EQ(bOk, c.bAccepted) << c.name;
    }
}

TEST(MptRead, LeadByteAtTheEndOfARecordStaysInside) {
    const CCodePage gbk = CodePageNamed("GBK");
    std::string data = Header(gbk, "[00:01]A\r\n[00:02]B");
    data[31] = '\x81'; // the last text byte of the first record; the next record follows
    EXPECT_EQ(Read(gbk, data), "[00:01.00]\x81\r\n[00:02.00]B\r\n");
}

TEST(MptRead, OutputStopsAtTheLastWholeLineThatFits) {
    // 8190 records with distinct two-byte texts: 14 bytes a line, 114660 in all.
    auto text2 = [](int i) { return Bytes({0x21 + i / 94, 0x21 + i % 94}); };
    std::string data = Bytes({0, 0, 18, 0}) + std::string(16, '\0');
    PutLe16(data, 13, 8190);
    for (int i = 0; i < 8190; ++i)
        data += Bytes({8, 0, 0, 0, 0, 0}) + text2(i);
    bool bOk = false;
    const std::string text = Read(kUtf8, data, &bOk);
    EXPECT_TRUE(bOk);
    EXPECT_EQ(text.size(), 65535u / 14 * 14);
    EXPECT_EQ(text.substr(text.size() - 14), "[00:00.00]" + text2(4680) + "\r\n");
}

} // namespace
