#pragma once
// The timing panel's texts in the four interface languages, and its keys.

#include <QString>
#include <vector>

#include "platform/framework/Accelerators.h"

enum class ETimingText {
    Title,
    Speed,      // %1: the speed, "0.75"
    Slower,
    Faster,
    Replay,
    Reaction,
    Earlier,    // tool tip; %1: milliseconds
    Later,      // tool tip; %1: milliseconds
    NoSong,
    Reading,    // %1: the song's file name
    Failed,     // %1: the song's file name, %2: why
    Count
};

// The text in a language (0 English, 1 Simplified Chinese, 2 Traditional Chinese, 3 Spanish;
// any other value reads English).
QString TimingText(ETimingText id, int nLanguage);

// The keys of the timing aids, kept apart from the menus' accelerator table.
std::vector<CAccelerator> TimingAccelerators();
// The key of a command of that table as shown in a tool tip ("Ctrl+R"), empty for another id.
QString TimingKeyName(int nId);
