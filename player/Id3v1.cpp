#include "player/Id3v1.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr long TAG_SIZE = 128;
constexpr size_t FIELD_SIZE = 30;

void CopyField(char* out, const unsigned char* field) {
    std::strncpy(out, reinterpret_cast<const char*>(field), FIELD_SIZE);
    out[FIELD_SIZE] = '\0';
    TrimTrailingSpaces(out);
}

} // namespace

int ReadId3v1Tag(const char* path, char* title, char* artist, char* album) {
    title[0] = artist[0] = album[0] = '\0';
    std::FILE* pFile = std::fopen(path, "rb");
    if (pFile == nullptr)
        return 0;
    unsigned char tag[TAG_SIZE];
    if (std::fseek(pFile, -TAG_SIZE, SEEK_END) == 0 &&
        std::fread(tag, 1, sizeof tag, pFile) == sizeof tag && std::memcmp(tag, "TAG", 3) == 0) {
        CopyField(title, tag + 3);
        CopyField(artist, tag + 33);
        CopyField(album, tag + 63);
    }
    std::fclose(pFile);
    return 1;
}

void TrimTrailingSpaces(char* text) {
    for (size_t n = std::strlen(text); n > 0 && text[n - 1] == ' '; --n)
        text[n - 1] = '\0';
}
