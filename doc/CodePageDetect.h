#pragma once
// Finding the code page of a lyrics file from its bytes: a UTF-8 byte-order mark, else strictly
// valid UTF-8, else what uchardet recognises, else the legacy code page of the interface language.

#include <string_view>
#include <vector>

#include "platform/CodePage.h"

constexpr std::string_view UTF8_BOM = "\xEF\xBB\xBF";

// True if bytes starts with the UTF-8 byte-order mark.
bool HasUtf8Bom(std::string_view bytes);
// True if bytes is well-formed UTF-8: shortest forms only, no surrogates, nothing past U+10FFFF.
bool IsStrictUtf8(std::string_view bytes);
// GB18030 for Simplified Chinese, Big5 for Traditional Chinese, Windows-1252 otherwise.
CCodePage LegacyCodePage(int nUiLanguage);
// What uchardet makes of the bytes, when it names a code page CCodePage knows; false otherwise.
bool GuessCodePage(std::string_view bytes, CCodePage& out);

// The code pages to try for a file's text (its byte-order mark already removed), best first.
// The last one, ISO-8859-1, takes every byte, so a text always has a code page that keeps it.
std::vector<CCodePage> CodePageCandidates(std::string_view text, bool bBom, int nUiLanguage);
