#pragma once
// The system's default language as a Windows language id, taken from the locale, and the
// program's rule that picks the interface language from it.

#include <cstdint>

enum UiLanguage {
    LangEnglish = 0,
    LangChineseSimplified = 1,
    LangChineseTraditional = 2,
    LangSpanish = 3,
};

// Language id of a locale name such as "zh_TW.UTF-8", "es_ES@euro", "de_DE", "C".
// Unknown languages give 0x0409 (English, United States).
uint16_t LangIdFromLocaleName(const char* pszLocale);
// Language id of the locale in force: LC_ALL, else LC_MESSAGES, else LANG.
uint16_t GetSystemDefaultLangID();
// The interface language for a language id.
UiLanguage UiLanguageFromLangId(uint16_t nLangId);
// The interface language of the system; asks the system on every call.
UiLanguage GetUiLanguage();
