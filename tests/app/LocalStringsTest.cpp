#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "app/LocalStrings.h"
#include "platform/CodePage.h"

namespace {

// The text decoded from its language's code page, as UTF-8; fails the test when it is not valid.
std::string ToUtf8(int language, std::string_view bytes) {
    CCodePage cp;
    EXPECT_TRUE(CCodePage::FromName(LocalStringCodePage(language), cp));
    std::u16string wide;
    EXPECT_TRUE(cp.ToUnicode(bytes, wide)) << "not valid in " << LocalStringCodePage(language);
    std::string out;
    CCodePage().FromUnicode(wide, out);
    return out;
}

} // namespace

TEST(LocalStrings, IdsAreUniqueAndEveryEntryIsSet) {
    std::set<uint32_t> ids(g_localStringIds, g_localStringIds + kLocalStringCount);
    EXPECT_EQ(ids.size(), static_cast<size_t>(kLocalStringCount));
    for (int lang = 0; lang < kLocalLanguageCount; ++lang)
        for (int i = 0; i < kLocalStringCount; ++i)
            ASSERT_NE(g_localStrings[lang][i], nullptr) << lang << "/" << i;
}

TEST(LocalStrings, EveryTextIsValidInItsCodePageAndChineseColumnsAreTranslated) {
    for (int lang = 0; lang < kLocalLanguageCount; ++lang) {
        for (int i = 0; i < kLocalStringCount; ++i) {
            const std::string_view text = g_localStrings[lang][i];
            ToUtf8(lang, text);
            const bool bAscii =
                std::all_of(text.begin(), text.end(), [](char c) { return c >= 0; });
            // Only the program's title stays in Latin letters in the Chinese columns.
            if ((lang == 1 || lang == 2) && g_localStringIds[i] != 57344) {
                EXPECT_FALSE(bAscii) << lang << " row " << i;
            }
            if (lang == 0) {
                EXPECT_TRUE(bAscii) << "row " << i;
            }
        }
    }
}

TEST(LocalStrings, TitleSharesOneTextInThreeColumns) {
    const char* en = FindLocalString(57344, 0);
    EXPECT_EQ(en, FindLocalString(57344, 1));
    EXPECT_EQ(en, FindLocalString(57344, 2));
    EXPECT_STREQ(FindLocalString(57344, 3), "Versewright");
}

TEST(LocalStrings, LookupAndSplit) {
    struct Case {
        uint32_t id;
        int language;
        const char* prompt; // UTF-8
        const char* tip;
    };
    const Case cases[] = {
        {57603, 2, "儲存活動檔案", "儲存檔案"},
        {57603, 1, "保存活动文档", "保存"},
        {57607, 3, "Imprimir el documento activo", ""},
        {1005, 3, "Reproducir música", " Reproducir música"},
        {1010, 3, "avanzar 5 segundos", "vanzar 5 segundos"},
        {32782, 0, "Set time lable format", "Time lable format"},
        {57345, 0, "Ready", ""},
        {57345, 1, "就绪", ""},
        {57345, 2, "就緒", ""},
        {57345, 3, "Preparado", ""},
        {59393, 3, "Mostrar u ocultar barra de estado", "Conmutar barra de estado"},
        {59393, 2, "顯示或隱藏狀態列", "顯隱狀態列"},
        {32787, 3, "Mostrar la ta bla de contenidos", ""},
        {57664, 2, "顯示程式資訊、版本編號和版權", "關于"},
        {1004, 0, "Browse for Open a audio file", "Open audio file"},
        {1004, 3, "Navegar para abrir un archivo de audio", "Abrir archivo de audio"},
    };
    for (const Case& c : cases) {
        const char* text = FindLocalString(c.id, c.language);
        ASSERT_NE(text, nullptr) << c.id;
        EXPECT_EQ(ToUtf8(c.language, StatusPromptPart(text)), c.prompt) << c.id;
        EXPECT_EQ(ToUtf8(c.language, ToolTipPart(text)), c.tip) << c.id;
    }
}

TEST(LocalStrings, IdsWithoutRowGiveNull) {
    for (uint32_t id : {0u, 1003u, 1015u, 32773u, 32776u, 32788u, 57608u, 0x10000u + 1005u})
        for (int lang = 0; lang < kLocalLanguageCount; ++lang)
            EXPECT_EQ(FindLocalString(id, lang), nullptr) << id;
}

TEST(LocalStrings, SplitRules) {
    struct Case {
        const char* text;
        const char* prompt;
        const char* tip;
    };
    const Case cases[] = {
        {"", "", ""},         {"only prompt", "only prompt", ""},
        {"a\nb", "a", "b"},   {"a\nb\nc", "a", "b"},
        {"\ntip", "", "tip"}, {"prompt\n", "prompt", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StatusPromptPart(c.text), c.prompt) << c.text;
        EXPECT_EQ(ToolTipPart(c.text), c.tip) << c.text;
    }
}

TEST(LocalStrings, PromptsAndTipsFallBackOnTheFrameworkTexts) {
    struct Case {
        uint32_t id;
        int language;
        const char* prompt; // UTF-8
        bool bHasTip;
        const char* tip;
    };
    const Case cases[] = {
        {57603, 2, "儲存活動檔案", true, "儲存檔案"},
        {57607, 3, "Imprimir el documento activo", true, ""},
        // Not in the table, with a framework text: English in every language.
        {0xE110, 2, "Open this document", true, ""},
        {0xE115, 3, "Open this document", true, ""},
        {0xE146, 1, "Display help for current task or command", true, "Help"},
        // Neither: empty prompt, no tool tip at all.
        {32773, 0, "", false, ""},
        {32773, 3, "", false, ""},
        {1003, 1, "", false, ""},
        {32777, 2, "", false, ""},
        {0, 0, "", false, ""},
    };
    for (const Case& c : cases) {
        const int cp = FindLocalString(c.id, c.language) ? c.language : 0;
        EXPECT_STREQ(TextCodePageFor(c.id, c.language), LocalStringCodePage(cp));
        EXPECT_EQ(ToUtf8(cp, StatusPromptFor(c.id, c.language)), c.prompt) << c.id;
        std::string_view tip = "unchanged";
        EXPECT_EQ(ToolTipFor(c.id, c.language, tip), c.bHasTip) << c.id;
        if (c.bHasTip) {
            EXPECT_EQ(ToUtf8(cp, tip), c.tip) << c.id;
        }
    }
    // The framework texts never shadow a row of the table.
    for (uint32_t id : g_localStringIds)
        EXPECT_EQ(FindFrameworkString(id), nullptr) << id;
}
