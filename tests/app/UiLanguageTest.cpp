// From the locale to the interface language and its resource set.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/LanguageResources.h"
#include "platform/SystemLanguage.h"

namespace {
TEST(UiLanguage, LocalePicksTheResourceSet) {
    struct {
        const char* pszLocale;
        uint16_t nLangId;
        int nResourceSet, nDialogBar, nTitleDlg;
    } const cases[] = {
        {"zh_HK.UTF-8", 0x0C04, 141, 144, 147},
        {"zh_TW.Big5", 0x0404, 141, 144, 147},
        {"zh_CN.GB18030", 0x0804, 140, 143, 146},
        {"zh_SG", 0x1004, 140, 143, 146},
        {"zh", 0x0804, 140, 143, 146},
        {"zh_MO.UTF-8", 0x1404, 128, 131, 133},
        {"es_ES.UTF-8@euro", 0x0C0A, 142, 145, 148},
        {"es_MX", 0x080A, 142, 145, 148},
        {"es_CO.UTF-8", 0x240A, 142, 145, 148},
        {"es_AR.UTF-8", 0x2C0A, 128, 131, 133},
        {"en_US.UTF-8", 0x0409, 128, 131, 133},
        {"de_DE.UTF-8", 0x0407, 128, 131, 133},
        {"C", 0x0409, 128, 131, 133},
        {"POSIX", 0x0409, 128, 131, 133},
        {"", 0x0409, 128, 131, 133},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LangIdFromLocaleName(c.pszLocale), c.nLangId) << c.pszLocale;
        const CLanguageResources& res =
            GetLanguageResources(UiLanguageFromLangId(LangIdFromLocaleName(c.pszLocale)));
        EXPECT_EQ(res.nResourceSetId, c.nResourceSet) << c.pszLocale;
        EXPECT_EQ(res.nDialogBarId, c.nDialogBar) << c.pszLocale;
        EXPECT_EQ(res.nTitleDlgId, c.nTitleDlg) << c.pszLocale;
    }
    EXPECT_EQ(UiLanguageFromLangId(0x040A), LangSpanish);
    EXPECT_STREQ(GetLanguageResources(LangChineseTraditional).pszHelpFile, "versewright_cht.html");
    EXPECT_EQ(GetLanguageResources(9).nResourceSetId, 128);
}

TEST(UiLanguage, LcAllThenLcMessagesThenLang) {
    struct {
        const char* pszAll;
        const char* pszMessages;
        const char* pszLang;
        UiLanguage expected;
    } const cases[] = {
        {"zh_TW.UTF-8", "es_ES.UTF-8", "zh_CN.UTF-8", LangChineseTraditional},
        {"", "es_ES.UTF-8", "zh_CN.UTF-8", LangSpanish},
        {nullptr, nullptr, "zh_CN.UTF-8", LangChineseSimplified},
        {nullptr, nullptr, nullptr, LangEnglish},
    };
    for (const auto& c : cases) {
        const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
        const char* values[] = {c.pszAll, c.pszMessages, c.pszLang};
        for (int i = 0; i < 3; ++i) {
            if (values[i])
                setenv(names[i], values[i], 1);
            else
                unsetenv(names[i]);
        }
        EXPECT_EQ(GetUiLanguage(), c.expected);
    }
}
} // namespace
