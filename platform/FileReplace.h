#pragma once
// Writing a whole file so that a failure never leaves a damaged one: the bytes go to a new file
// beside the target, reach the disk, and only then take the target's name.

#include <string>
#include <string_view>

// Replaces the file at path (or creates it) with bytes. A symbolic link is followed, and an
// existing file keeps its permission bits. On failure the file at path is as it was, nothing is
// left beside it, and reason holds the system's text for the cause.
bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string& reason);

// The system's text for an errno value ("No space left on device").
std::string SystemErrorText(int nError);
