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

// The framework's own English text of a standard id the table does not hold (the recent-file
// entries, the help and pane commands, ...), or null.
const char* FindFrameworkString(uint32_t id);

// Name of the code page a language's texts are kept in ("WINDOWS-1252", "CP936", "CP950").
const char* LocalStringCodePage(int language);

// The status prompt: the text up to its first line feed (all of it without one).
std::string_view StatusPromptPart(std::string_view text);
// The status prompt of an id in a language: from the table, else from the framework's English
// text, else empty.
std::string_view StatusPromptFor(uint32_t id, int language);
// The tool tip of an id: false when neither the table nor the framework has a text for it.
bool ToolTipFor(uint32_t id, int language, std::string_view& tip);
// The code page of the text StatusPromptFor/ToolTipFor gave: the language's for a table row,
// Windows-1252 for the framework's texts.
const char* TextCodePageFor(uint32_t id, int language);

// The tool tip: from after the first line feed up to a second one or the end; empty without one.
std::string_view ToolTipPart(std::string_view text);
