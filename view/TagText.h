#pragma once
// Whole-text tag edits on a lyrics text: the byte work of the Edit menu's delete-all-tags and
// delete-fractions commands. Only the shape of a group counts here, not its position or value.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

// Copies text to out without every bracket group of time-tag shape ("[" digits ":" ... "]").
// out needs room for the text and its terminator; returns the length written.
size_t RemoveTimeTags(const CCodePage& cp, const char* text, char* out);
// Copies text to out with the fraction of every time-tag-shaped group cut: "[01:23.45]" becomes
// "[01:23]". Returns the length written.
size_t RemoveTagFractions(const CCodePage& cp, const char* text, char* out);

// Copies text to out with every valid time tag moved by deltaMs, never below zero. A tag keeps
// its precision, or gains what the shift needs: [00:01] moved by 500 ms is [00:01.5]. Offset
// lines and other groups stay as they are. Characters are stepped by the code page.
void ShiftTimeTags(const CCodePage& cp, std::string_view text, int64_t deltaMs, std::string& out);
