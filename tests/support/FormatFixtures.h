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

#include "doc/LrcText.h"
#include "platform/CodePage.h"

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

// A temporary folder removed at the end of the test.
class CTempFolder {
public:
    CTempFolder() {
        char pattern[] = "/tmp/versewright-formats-XXXXXX";
        m_path = mkdtemp(pattern);
    }
    ~CTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
