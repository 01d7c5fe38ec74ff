#pragma once
// Status prompts and tool tips of the program's commands in the four interface languages.
// A text is "status prompt\ntool tip"; without a line feed its tool tip is empty. Each text is
// kept in the legacy code page of its language (LocalStringCodePage).

#include <cstdint>
#include <string_view>

constexpr int kLocalStringCount = 36;
constexpr int kLocalLanguageCount = 4;

extern const uint32_t g_localStringIds[kLocalStringCount];
// One column per interface language: 0 English, 1 Simplified Chinese, 2 Traditional Chinese,
// 3 Spanish; row i belongs to g_localStringIds[i].
extern const char* const g_localStrings[kLocalLanguageCount][kLocalStringCount];

// The text of an id in a language (0 to 3), or null when the table has no row for the id.
const char* FindLocalString(uint32_t id, int language);

// Name of the code page a language's texts are kept in ("WINDOWS-1252", "CP936", "CP950").
const char* LocalStringCodePage(int language);

// The status prompt: the text up to its first line feed (all of it without one).
std::string_view StatusPromptPart(std::string_view text);
// The tool tip: from after the first line feed up to a second one or the end; empty without one.
std::string_view ToolTipPart(std::string_view text);
