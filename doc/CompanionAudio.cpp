#include "doc/CompanionAudio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <string_view>

#include "doc/LyricsPath.h"

bool FileExists(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool bFile = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return bFile;
}

namespace {

constexpr std::array<std::string_view, 4> kAudioExtensions = {".MP3", ".WMA", ".MPT", ".WAV"};

// The spelling of ext (".ABC") with the characters whose bit is set in mask in lower case; false
// if such a character is no letter, as that spelling was tried already.
bool Spelling(std::string_view ext, unsigned mask, std::string& out) {
    out.assign(ext);
    for (size_t i = 1; i < out.size(); ++i) {
        if (!(mask >> (i - 1) & 1))
            continue;
        if (out[i] < 'A' || out[i] > 'Z')
            return false;
        out[i] = static_cast<char>(out[i] + ('a' - 'A'));
    }
    return true;
}

} // namespace

bool FindCompanionAudio(const std::string& lyricsPath, std::string& audioPath) {
    const std::string base =
        lyricsPath.substr(0, lyricsPath.size() - PathExtension(lyricsPath).size());
    // File names are case-sensitive here: try every spelling, upper case first, lower case last.
    std::string spelling;
    for (std::string_view ext : kAudioExtensions) {
        for (unsigned mask = 0; mask < 8; ++mask) {
            if (!Spelling(ext, mask, spelling))
                continue;
            if (FileExists(base + spelling)) {
                audioPath = base + spelling;
                return true;
            }
        }
    }
    return false;
}
