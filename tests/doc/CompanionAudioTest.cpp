#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "doc/CompanionAudio.h"
#include "tests/support/TempFolder.h"

namespace {

struct SCompanionCase {
    const char* label;
    std::vector<const char*> files; // made in the folder before the search
    const char* lyrics;             // relative to the folder
    const char* expected;           // relative to the folder; "" for none
};

class CompanionAudioTest : public ::testing::TestWithParam<SCompanionCase> {};

TEST_P(CompanionAudioTest, FindsTheFirstCandidateThatExists) {
    const SCompanionCase& c = GetParam();
    CTempFolder folder;
    for (const char* name : c.files)
        folder.Write(name);
    std::string audio;
    const bool bFound = FindCompanionAudio(folder / c.lyrics, audio);
    EXPECT_EQ(bFound, *c.expected != '\0');
    if (bFound) {
        EXPECT_EQ(audio, folder / c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Folders, CompanionAudioTest,
    ::testing::Values(
        SCompanionCase{"Mp3First",
                       {"song.lrc", "song.wav", "song.mpt", "song.wma", "song.mp3"},
                       "song.lrc",
                       "song.mp3"},
        SCompanionCase{
            "WmaBeforeWav", {"song.lrc", "song.wav", "song.wma"}, "song.lrc", "song.wma"},
        SCompanionCase{
            "MptBeforeWav", {"song.txt", "song.wav", "song.mpt"}, "song.txt", "song.mpt"},
        SCompanionCase{"UpperCase", {"SONG.LRC", "SONG.MP3"}, "SONG.LRC", "SONG.MP3"},
        SCompanionCase{
            "AnyLetterCase", {"song.lrc", "song.Wav", "song.wMa"}, "song.lrc", "song.wMa"},
        SCompanionCase{
            "UpperCaseSpellingFirst", {"song.lrc", "song.mp3", "song.MP3"}, "song.lrc", "song.MP3"},
        SCompanionCase{"NameKeepsItsCase", {"song.lrc", "Song.mp3"}, "song.lrc", ""},
        SCompanionCase{"None", {"song.lrc", "song.ogg", "song.mp3.bak"}, "song.lrc", ""},
        SCompanionCase{"LastDotOnly", {"a.b.lrc", "a.b.mp3", "a.mp3"}, "a.b.lrc", "a.b.mp3"},
        SCompanionCase{"NoExtension", {"song", "song.mp3"}, "song", "song.mp3"},
        SCompanionCase{"DotInFolderName",
                       {"my.album/song", "my.album/song.wav", "my.mp3"},
                       "my.album/song",
                       "my.album/song.wav"},
        SCompanionCase{"OtherExtension", {"song.lyr", "song.wav"}, "song.lyr", "song.wav"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(CompanionAudio, PassesOverWhatCannotBeOpenedForReading) {
    CTempFolder folder;
    folder.Write("song.lrc");
    std::filesystem::create_directory(folder / "song.mp3");
    ::symlink("missing.wma", (folder / "song.wma").c_str());
    const std::string mpt = folder.Write("song.mpt");
    ::chmod(mpt.c_str(), 0);
    folder.Write("song.WAV");
    std::string audio;
    ASSERT_TRUE(FindCompanionAudio(folder / "song.lrc", audio));
    if (::geteuid() != 0) { // root reads any file
        EXPECT_EQ(audio, folder / "song.WAV");
    }
    EXPECT_FALSE(FileExists(folder / "song.mp3"));
    EXPECT_FALSE(FileExists(folder / "song.wma"));
    EXPECT_TRUE(FileExists(folder / "song.WAV"));
}

} // namespace
