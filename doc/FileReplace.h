#pragma once
// Writing a whole file safely: the bytes go to a new file beside the target, which replaces the
// target only once everything is on disk. A failed write leaves the old file as it was.

#include <string>
#include <string_view>

// Writes bytes to path through a temporary file in the same folder, then renames it over path.
// An existing file keeps its permissions (and its owner where the system allows), and a symbolic
// link keeps pointing at the file it names. False on failure, with the reason (the system's text) in *pError when given; no
// temporary file is left behind.
bool WriteFileReplacing(const std::string& path, std::string_view bytes,
                        std::string* pError = nullptr);
