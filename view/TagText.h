#pragma once
// Whole-text tag edits on a lyrics text: the byte work of the Edit menu's delete-all-tags and
// delete-fractions commands. Only the shape of a group counts here, not its position or value.

#include <cstddef>

#include "platform/CodePage.h"

// Copies text to out without every bracket group of time-tag shape ("[" digits ":" ... "]").
// out needs room for the text and its terminator; returns the length written.
size_t RemoveTimeTags(const CCodePage& cp, const char* text, char* out);
// Copies text to out with the fraction of every time-tag-shaped group cut: "[01:23.45]" becomes
// "[01:23]". Returns the length written.
size_t RemoveTagFractions(const CCodePage& cp, const char* text, char* out);
