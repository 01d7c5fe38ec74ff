#include <gtest/gtest.h>

#include "doc/SaveAsRules.h"

namespace {

TEST(ProposeSaveAsName, IsTheOpenedFileNameWithoutItsExtension) {
    struct {
        const char* opened;
        const char* proposed;
    } cases[] = {
        {"", ""},
        {"/x/Song.lyr", "Song"},
        {"/x/Song.lrc", "Song"},
        {"/x/My Song.tar.txt", "My Song.tar"},
        {"/x/a.b/Song", "Song"},
        {"/x/Song.mpeg", "Song"},
        {"/x/.lrc", ""},
        {"Song.mpt", "Song"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProposeSaveAsName(c.opened), c.proposed) << c.opened;
}

TEST(SaveAsFilters, OfferMptOnlyWithMp3OrMptAudio) {
    struct {
        bool bAudioLoaded;
        const char* audioExt;
        std::vector<std::string> extensions;
    } cases[] = {
        {true, ".MP3", {"lrc", "lyr", "mpt", "txt"}}, {true, ".mpt", {"lrc", "lyr", "mpt", "txt"}},
        {true, ".WMA", {"lrc", "lyr", "txt"}},        {true, ".WAV", {"lrc", "lyr", "txt"}},
        {false, ".MP3", {"lrc", "lyr", "txt"}}, // a file that failed to load leaves its name
        {false, "", {"lrc", "lyr", "txt"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> extensions;
        for (const CSaveAsFilter& f : SaveAsFilters(c.bAudioLoaded, c.audioExt))
            extensions.push_back(f.extension);
        EXPECT_EQ(extensions, c.extensions) << c.bAudioLoaded << c.audioExt;
    }
    const std::vector<CSaveAsFilter> all = SaveAsFilters(true, ".MP3");
    EXPECT_STREQ(all[0].name, "LRC files(*.lrc)");
    EXPECT_STREQ(all[1].name, "LYR files(*.lyr)");
    EXPECT_STREQ(all[2].name, "MPT Files(*.mpt)");
    EXPECT_STREQ(all[3].name, "TXT Files(*.txt)");
}

TEST(SaveAsFormatOf, FollowsTheChosenExtensionOnly) {
    struct {
        const char* path;
        SaveAsFormat format;
    } cases[] = {
        {"/x/a.lrc", SaveAsFormat::PlainText}, {"/x/a.TXT", SaveAsFormat::PlainText},
        {"/x/a.Lyr", SaveAsFormat::Lyr},       {"/x/a.mpt", SaveAsFormat::Mpt},
        {"/x/a.doc", SaveAsFormat::None},      {"/x/a.lrc.bak", SaveAsFormat::None},
        {"/x/a.", SaveAsFormat::None},         {"/x.lrc/a", SaveAsFormat::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SaveAsFormatOf(c.path), c.format) << c.path;
}

TEST(FileTypeOfPath, TellsTheBinaryFormatsByExtension) {
    EXPECT_EQ(FileTypeOfPath("/x/a.LYR"), LyricsFileType::Lyr);
    EXPECT_EQ(FileTypeOfPath("/x/a.mpt"), LyricsFileType::Mpt);
    EXPECT_EQ(FileTypeOfPath("/x/a.lrc"), LyricsFileType::PlainText);
    EXPECT_EQ(FileTypeOfPath("/x.lyr/a"), LyricsFileType::PlainText);
}

} // namespace
