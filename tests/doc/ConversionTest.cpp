#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "doc/Conversion.h"
#include "doc/LyrFormat.h"
#include "doc/MptFormat.h"
#include "tests/support/FormatFixtures.h"

namespace {

const CCodePage kUtf8;

std::string ToLrc(LyricsFormat format, const CCodePage& cp, const std::string& image,
                  int nFormat = TIME_FORMAT_HUNDREDTHS) {
    std::string lrc;
    EXPECT_TRUE(ConvertToLrc(format, cp, image, nFormat, lrc));
    return lrc;
}

std::string ViaLyr(const CCodePage& cp, const std::string& lrc, int nFormat = 1) {
    return ToLrc(LyricsFormat::Lyr, cp, BuildLyrFile(cp, lrc), nFormat);
}

std::string ViaMpt(const CCodePage& cp, const std::string& lrc, int nFormat = 1) {
    return ToLrc(LyricsFormat::Mpt, cp, BuildMptFile(cp, lrc, "song.mp3", 60000, "ID3"), nFormat);
}

TEST(Conversion, RoundTripsThroughBothFormats) {
    const CCodePage gbk = CodePageNamed("GBK");
    const std::string chinese = "\xd6\xd0\xce\xc4\xb8\xe8\xb4\xca\xd6\xd0\xce\xc4\xb8\xe8\xb4\xca"
                                "\xd6\xd0\xce\xc4"; // ten characters, 20 bytes
    struct Case {
        const CCodePage& cp;
        std::string lrc;
        std::string viaLyr;
        std::string viaMpt;
    };
    const Case cases[] = {
        {kUtf8, "[00:01.00]One\r\n[00:02.50]Two\r\n[01:03.70]Three\r\n",
         "[00:01.00]One\r\n[00:02.50]Two\r\n[01:03.70]Three\r\n",
         "[00:01.00]One\r\n[00:02.50]Two\r\n[01:03.70]Three\r\n"},
        {kUtf8, "[00:01.00][00:04.00]Hi\r\n[00:02.00]Yo",
         "[00:04.00][00:01.00]Hi\r\n[00:02.00]Yo\r\n",
         "[00:01.00][00:04.00]Hi\r\n[00:02.00]Yo\r\n"},
        {kUtf8, "[ti:Song]\r\n[offset:500]\r\n[00:01.00]a\r\n\r\nplain\r\n[00:03]",
         "[00:00.50]a\r\n[00:02.50] \r\n", "[00:00.50]a\r\n[00:02.50]\r\n"},
        {gbk, "[00:01.00]" + chinese + "\r\n[00:02.00]" + chinese + "x",
         "[00:01.00]" + chinese + "\r\n[00:02.00]" + chinese + "x\r\n",
         "[00:01.00]" + chinese + "\r\n[00:02.00]" + chinese + "x\r\n"},
        {kUtf8, "[00:05]", "[00:05.00] \r\n", "[00:05.00]\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ViaLyr(c.cp, c.lrc), c.viaLyr) << c.lrc;
        EXPECT_EQ(ViaMpt(c.cp, c.lrc), c.viaMpt) << c.lrc;
    }
}

TEST(Conversion, UsesTheGivenTimeFormat) {
    const std::string lrc = "[00:01.00]A\r\n[00:03.50]A";
    EXPECT_EQ(ViaLyr(kUtf8, lrc, TIME_FORMAT_SECONDS), "[00:03][00:01]A\r\n");
    EXPECT_EQ(ViaMpt(kUtf8, lrc, TIME_FORMAT_SECONDS), "[00:01][00:03]A\r\n");
    EXPECT_EQ(ViaMpt(kUtf8, lrc, TIME_FORMAT_HUNDREDTHS), "[00:01.00][00:03.50]A\r\n");
}

TEST(Conversion, ProposedNamesLoseFourCharacters) {
    struct Case {
        const char* path;
        const char* cut;
    };
    const Case cases[] = {
        {"/home/u/Song.lyr", "Song"},
        {"Song.ly", "Son"},
        {"/a.b/Song", ""},
        {"/x/", ""},
        {"", ""},
        {"/x/\xe6\xad\x8c\xe6\x9b\xb2.lyr", "\xe6\xad\x8c\xe6\x9b\xb2"},
        {"/x/\xe6\xad\x8c\xe6\x9b\xb2\xe6\xad\x8c\xe6\x9b\xb2\xe6\xad\x8c", "\xe6\xad\x8c"},
        {"/x/ab\xff\xfe", ""}, // bytes that are no UTF-8 go one by one
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CutProposedName(c.path), c.cut) << c.path;
        EXPECT_EQ(ProposeLrcName(c.path), std::string(c.cut) + ".lrc") << c.path;
    }
}

// The code page of an image's lyrics is found from the text read out of it; the bytes stay.
TEST(Conversion, ImportFindsTheCodePageOfTheLyrics) {
    const CCodePage gbk = CodePageNamed("GBK");
    const std::string chinese = "\xd6\xd0\xce\xc4\xb8\xe8\xb4\xca"; // GBK
    const std::string utf8 = "\xe6\xad\x8c\xe8\xaf\x8d";            // UTF-8
    struct Case {
        LyricsFormat format;
        std::string image;
        int nUiLanguage;
        CCodePage::Kind kind;
        std::string lrc;
    };
    const Case cases[] = {
        {LyricsFormat::Lyr, BuildLyrFile(gbk, "[00:01]" + chinese), 1, CCodePage::Kind::DoubleByte,
         "[00:01.00]" + chinese + "\r\n"},
        {LyricsFormat::Mpt, BuildMptFile(gbk, "[00:01]" + chinese + chinese, "a.mp3", 0, ""), 1,
         CCodePage::Kind::DoubleByte, "[00:01.00]" + chinese + chinese + "\r\n"},
        {LyricsFormat::Lyr, BuildLyrFile(kUtf8, "[00:01]" + utf8), 1, CCodePage::Kind::Utf8,
         "[00:01.00]" + utf8 + "\r\n"},
        {LyricsFormat::Mpt, BuildMptFile(kUtf8, "[00:02]ab", "a.mp3", 0, ""), 0,
         CCodePage::Kind::Utf8, "[00:02.00]ab\r\n"},
        {LyricsFormat::Lyr, BuildLyrFile(kUtf8, "[00:01]caf\xe9"), 0, CCodePage::Kind::SingleByte,
         "[00:01.00]caf\xe9\r\n"},
    };
    for (const Case& c : cases) {
        CImportedLyrics lyrics;
        ASSERT_TRUE(ImportLyrics(c.format, c.image, TIME_FORMAT_HUNDREDTHS, c.nUiLanguage, lyrics))
            << c.lrc;
        EXPECT_EQ(lyrics.codePage.GetKind(), c.kind) << c.lrc;
        EXPECT_EQ(lyrics.strText, c.lrc);
    }
    CImportedLyrics lyrics;
    EXPECT_FALSE(ImportLyrics(LyricsFormat::Mpt, "MPT", 1, 0, lyrics));
}

class ConversionFiles : public ::testing::Test {
protected:
    CTempFolder m_folder;

    bool Convert(LyricsFormat format, const std::string& in, const std::string& out) {
        return ConvertFileToLrc(format, m_folder / in, m_folder / out, TIME_FORMAT_HUNDREDTHS, 0);
    }
};

TEST_F(ConversionFiles, LyrFileBecomesAnLrcFile) {
    WriteFile(m_folder / "Song.lyr", BuildLyrFile(kUtf8, "[00:01]A\r\n[00:03]A\r\n[00:02]B"));
    ASSERT_TRUE(Convert(LyricsFormat::Lyr, "Song.lyr", "Song.lrc"));
    EXPECT_EQ(ReadWholeFile(m_folder / "Song.lrc"), "[00:03.00][00:01.00]A\r\n[00:02.00]B\r\n");
}

// Bytes past what the reader can reach change nothing, and are not read.
TEST_F(ConversionFiles, LyrFileWithTrailingBytesReadsTheSame) {
    const std::string image = BuildLyrFile(kUtf8, "[00:01]A\r\n[00:02]B");
    WriteFile(m_folder / "Song.lyr", image + std::string(LYR_READ_LIMIT, '\x41'));
    ASSERT_TRUE(Convert(LyricsFormat::Lyr, "Song.lyr", "Song.lrc"));
    EXPECT_EQ(ReadWholeFile(m_folder / "Song.lrc"), "[00:01.00]A\r\n[00:02.00]B\r\n");
}

TEST_F(ConversionFiles, MptFileLargerThanItsReadLimitIsRead) {
    const std::string audio(200000, '\x33');
    WriteFile(m_folder / "Song.mpt",
              BuildMptFile(kUtf8, "[00:02]Two\r\n[00:01]One", "Song.mp3", 9000, audio));
    ASSERT_TRUE(Convert(LyricsFormat::Mpt, "Song.mpt", "Song.lrc"));
    EXPECT_EQ(ReadWholeFile(m_folder / "Song.lrc"), "[00:01.00]One\r\n[00:02.00]Two\r\n");
}

TEST_F(ConversionFiles, FailuresLeaveTheOutputAlone) {
    WriteFile(m_folder / "bad.lyr", std::string(600, '\x7f')); // table runs past the end
    WriteFile(m_folder / "bad.mpt", "MPT");
    WriteFile(m_folder / "good.lyr", BuildLyrFile(kUtf8, "[00:01]A"));
    WriteFile(m_folder / "old.lrc", "old text");
    std::filesystem::create_directory(m_folder / "folder.lyr");
    struct Case {
        LyricsFormat format;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {LyricsFormat::Lyr, "bad.lyr", "old.lrc"},
        {LyricsFormat::Mpt, "bad.mpt", "old.lrc"},
        {LyricsFormat::Lyr, "missing.lyr", "old.lrc"},
        {LyricsFormat::Lyr, "folder.lyr", "old.lrc"},
        {LyricsFormat::Lyr, "good.lyr", "no/such/folder.lrc"},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(Convert(c.format, c.in, c.out)) << c.in;
    EXPECT_EQ(ReadWholeFile(m_folder / "old.lrc"), "old text");
}

TEST_F(ConversionFiles, ReadFileBytesHonoursTheLimit) {
    WriteFile(m_folder / "f", std::string(70000, 'x'));
    std::string data;
    ASSERT_TRUE(ReadFileBytes(m_folder / "f", MPT_READ_LIMIT, data));
    EXPECT_EQ(data.size(), 65536u);
    ASSERT_TRUE(ReadFileBytes(m_folder / "f", ReadLimit(LyricsFormat::Lyr), data));
    EXPECT_EQ(data.size(), 70000u);
    WriteFile(m_folder / "f", std::string(LYR_READ_LIMIT + 1, 'x'));
    ASSERT_TRUE(ReadFileBytes(m_folder / "f", ReadLimit(LyricsFormat::Lyr), data));
    EXPECT_EQ(data.size(), LYR_READ_LIMIT);
}

} // namespace
