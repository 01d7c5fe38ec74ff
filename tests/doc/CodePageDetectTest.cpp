#include <gtest/gtest.h>

#include <algorithm>

#include "doc/CodePageDetect.h"

namespace {

TEST(IsStrictUtf8, AcceptsOnlyWellFormedText) {
    struct {
        std::string bytes;
        bool bValid;
    } cases[] = {
        {"", true},
        {"plain [00:01] ascii\r\n", true},
        {"\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80", true}, // 2, 3 and 4 bytes
        {"\xEF\xBF\xBF\xF4\x8F\xBF\xBF", true},         // U+FFFF, U+10FFFF
        {"\xC0\xAF", false},                            // overlong '/'
        {"\xE0\x80\xAF", false},                        // overlong
        {"\xF0\x80\x80\xAF", false},                    // overlong
        {"\xED\xA0\x80", false},                        // surrogate
        {"\xF4\x90\x80\x80", false},                    // past U+10FFFF
        {"\xC3", false},                                // cut short
        {"\xE4\xB8", false},
        {"\x80", false}, // lone continuation
        {"\xC3\x28", false},
        {"\xFF", false},
        {"caf\xE9", false},          // Windows-1252
        {"\xD6\xD0\xCE\xC4", false}, // GBK
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsStrictUtf8(c.bytes), c.bValid) << ::testing::PrintToString(c.bytes);
}

TEST(LegacyCodePage, FollowsTheInterfaceLanguage) {
    EXPECT_EQ(LegacyCodePage(0).Name(), "CP1252");
    EXPECT_EQ(LegacyCodePage(1).Name(), "GB18030");
    EXPECT_EQ(LegacyCodePage(2).Name(), "CP950");
    EXPECT_EQ(LegacyCodePage(3).Name(), "CP1252");
}

TEST(CodePageCandidates, TriesTheMarkAndUtf8FirstAndEndsWithOneThatKeepsEveryByte) {
    struct {
        std::string text;
        bool bBom;
        int nUiLanguage;
        const char* first;  // expected first candidate; nullptr: not checked
        const char* legacy; // expected among the candidates
    } cases[] = {
        {"\xC3\xA9", false, 1, "UTF-8", "GB18030"}, {"abc", false, 2, "UTF-8", "CP950"},
        {"caf\xE9", true, 0, "UTF-8", "CP1252"},    {"caf\xE9", false, 0, nullptr, "CP1252"},
        {"\xD6\xD0", false, 1, nullptr, "GB18030"}, {"\xD6\xD0", false, 2, nullptr, "CP950"},
    };
    for (const auto& c : cases) {
        const std::vector<CCodePage> candidates = CodePageCandidates(c.text, c.bBom, c.nUiLanguage);
        ASSERT_FALSE(candidates.empty());
        std::vector<std::string> names;
        for (const CCodePage& cp : candidates)
            names.push_back(cp.Name());
        const std::string label = ::testing::PrintToString(names);
        if (c.first != nullptr)
            EXPECT_EQ(names.front(), c.first) << label;
        else
            EXPECT_NE(names.front(), "UTF-8") << label;
        EXPECT_NE(std::find(names.begin(), names.end(), c.legacy), names.end()) << label;
        EXPECT_EQ(names.back(), "ISO-8859-1") << label;
    }
}

} // namespace
