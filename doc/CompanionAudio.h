#pragma once
// The audio file that goes with a lyrics file: same folder, same name, the extension .MP3,
// .WMA, .MPT or .WAV (in any letter case), first found in that order.

#include <string>

// True if path names a regular file that can be opened for reading.
bool FileExists(const std::string& path);

// The companion audio of lyricsPath, or false if there is none. The extension is the part of
// the file name from its last '.' on (a dot in a folder name is not one); a name without one
// gets each candidate appended.
bool FindCompanionAudio(const std::string& lyricsPath, std::string& audioPath);
