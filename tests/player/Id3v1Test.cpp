#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "player/Id3v1.h"
#include "tests/support/FormatFixtures.h"

namespace {

std::string Field(const std::string& value) {
    std::string field(30, '\0');
    field.replace(0, value.size(), value);
    return field;
}

// An audio file of some bytes ending in an ID3v1 trailer with the given mark and fields.
std::string TaggedFile(const std::string& title, const std::string& artist = Field(""),
                       const std::string& album = Field(""), const std::string& mark = "TAG") {
    return std::string(500, '\xAA') + mark + title + artist + album + "2024" +
           std::string(31, '\0');
}

struct Tag {
    int nResult;
    std::string title, artist, album;
    bool operator==(const Tag&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Tag& t) {
    return os << t.nResult << " [" << t.title << "] [" << t.artist << "] [" << t.album << "]";
}

Tag ReadTag(const std::string& path) {
    char title[ID3V1_FIELD_BUFFER], artist[ID3V1_FIELD_BUFFER], album[ID3V1_FIELD_BUFFER];
    std::memset(title, 'x', sizeof title); // stale contents must not survive
    std::memset(artist, 'x', sizeof artist);
    std::memset(album, 'x', sizeof album);
    const int nResult = ReadId3v1Tag(path.c_str(), title, artist, album);
    return {nResult, title, artist, album};
}

TEST(Id3v1, FieldsAreReadAsTheyStand) {
    CTempFolder folder;
    const std::string thirty = "abcdefghijklmnopqrstuvwxyz0123";
    struct Case {
        const char* name;
        std::string bytes; // written to the file; empty means no file at all
        Tag tag;
    };
    const Case cases[] = {
        {"all three fields",
         TaggedFile(Field("Song"), Field("Singer"), Field("Album")),
         {1, "Song", "Singer", "Album"}},
        {"thirty bytes, no zero", TaggedFile(thirty, thirty, thirty), {1, thirty, thirty, thirty}},
        {"blanks to the end",
         TaggedFile(std::string("Song") + std::string(26, ' ')),
         {1, "Song", "", ""}},
        {"leading blanks stay", TaggedFile(Field("  Song  ")), {1, "  Song", "", ""}},
        {"only blanks", TaggedFile(std::string(30, ' ')), {1, "", "", ""}},
        {"tab at the end stays", TaggedFile(Field("Song\t")), {1, "Song\t", "", ""}},
        {"zero inside the field", TaggedFile(Field(std::string("ab\0cd", 5))), {1, "ab", "", ""}},
        {"marker in lower case",
         TaggedFile(Field("Song"), Field(""), Field(""), "tag"),
         {1, "", "", ""}},
        {"exactly the trailer", TaggedFile(Field("Song")).substr(500), {1, "Song", "", ""}},
        {"shorter than a trailer", "TAGSong", {1, "", "", ""}},
        {"empty file", "", {1, "", "", ""}},
    };
    int i = 0;
    for (const Case& c : cases) {
        const std::string path = folder / ("a" + std::to_string(i++) + ".mp3");
        WriteFile(path, c.bytes);
        EXPECT_EQ(ReadTag(path), c.tag) << c.name;
    }
    EXPECT_EQ(ReadTag(folder / "missing.mp3"), (Tag{0, "", "", ""}));
}

TEST(Id3v1, TrimTrailingSpacesRemovesBlanksOnly) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {{"", ""},        {"   ", ""},      {"a  ", "a"},   {" a", " a"},
                          {"a\t ", "a\t"}, {"a \t", "a \t"}, {"a b ", "a b"}};
    for (const Case& c : cases) {
        char buffer[16];
        std::strcpy(buffer, c.in);
        TrimTrailingSpaces(buffer);
        EXPECT_STREQ(buffer, c.out) << "[" << c.in << "]";
    }
}

} // namespace
