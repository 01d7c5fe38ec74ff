#pragma once
// Helpers shared by the format tests: code pages, reading images into strings, and building
// fixture images byte by byte.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "doc/LrcText.h"
#include "platform/CodePage.h"
#include "tests/support/TempFolder.h"

inline CCodePage CodePageNamed(const char* name) {
    CCodePage cp;
    EXPECT_TRUE(CCodePage::FromName(name, cp)) << name;
    return cp;
}

// Bytes given as numbers, for header fields and marks.
inline std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

inline void PutBe16(std::string& s, size_t at, unsigned v) {
    s[at] = static_cast<char>(v >> 8);
    s[at + 1] = static_cast<char>(v);
}

inline void PutLe16(std::string& s, size_t at, unsigned v) {
    s[at] = static_cast<char>(v);
    s[at + 1] = static_cast<char>(v >> 8);
}

inline unsigned GetBe16(const std::string& s, size_t at) {
    return static_cast<unsigned char>(s[at]) << 8 | static_cast<unsigned char>(s[at + 1]);
}

inline unsigned GetLe16(const std::string& s, size_t at) {
    return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}

inline uint32_t GetLe32(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

// A LYR image of nCount entries, all at time 10, each with its own copy of the next of the
// strings given (round and round), laid out after the table.
inline std::string LyrImageOf(const std::vector<std::string>& strings, size_t nCount) {
    std::string image(0x218 + 4 * nCount, '\0');
    PutBe16(image, 0x216, static_cast<unsigned>(nCount));
    for (size_t i = 0; i < nCount; ++i) {
        PutBe16(image, 0x218 + 4 * i, 10);
        PutBe16(image, 0x218 + 4 * i + 2, static_cast<unsigned>(image.size() - 512));
        image += strings[i % strings.size()] + '\0';
    }
    return image;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
