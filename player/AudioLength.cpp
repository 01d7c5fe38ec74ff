#include "player/AudioLength.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>

#include "doc/LyricsPath.h"
#include "doc/MptFormat.h"
#include "player/MediaPlayer.h"
#include "player/Mp3Length.h"

namespace {

uint32_t Le32(std::string_view s, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

// The head of the file: enough for a WAV file's chunks before its data, and for an MPT header
// (at most 65535 bytes) with at least one byte after it.
constexpr size_t kHeadBytes = MPT_HEADER_CAPACITY + 1;

bool ReadHead(const std::string& path, std::string& head, uint64_t& size, std::string& error) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        error = std::strerror(errno != 0 ? errno : ENOENT);
        return false;
    }
    size = static_cast<uint64_t>(in.tellg());
    in.seekg(0);
    head.resize(static_cast<size_t>(std::min<uint64_t>(size, kHeadBytes)));
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    if (static_cast<size_t>(in.gcount()) != head.size()) {
        error = "cannot be read";
        return false;
    }
    return true;
}

} // namespace

bool WavLength(std::string_view head, uint64_t fileSize, double& seconds) {
    if (head.size() < 12 || head.substr(0, 4) != "RIFF" || head.substr(8, 4) != "WAVE")
        return false;
    uint32_t nByteRate = 0;
    for (size_t at = 12; at + 8 <= head.size();) {
        const std::string_view id = head.substr(at, 4);
        const uint64_t nChunk = Le32(head, at + 4);
        if (id == "fmt " && at + 20 <= head.size() && nChunk >= 12) {
            nByteRate = Le32(head, at + 16);
        } else if (id == "data") {
            if (nByteRate == 0)
                return false;
            const uint64_t nLeft = fileSize > at + 8 ? fileSize - at - 8 : 0;
            seconds = static_cast<double>(std::min(nChunk, nLeft)) / nByteRate;
            return true;
        }
        at += 8 + nChunk + (nChunk & 1); // chunks are padded to even sizes
    }
    return false;
}

bool AudioFileLength(const std::string& path, uint32_t& ms, std::string& error) {
    const std::string ext = UpperAscii(PathExtension(path));
    if (ext != ".MP3" && ext != ".MPT" && ext != ".WAV") {
        error = "the length is read only from MP3, MPT and WAV files";
        return false;
    }
    std::string head;
    uint64_t size = 0;
    if (!ReadHead(path, head, size, error))
        return false;
    double seconds = 0.0;
    if (ext == ".WAV") {
        if (!WavLength(head, size, seconds)) {
            error = "no WAVE header with a data chunk";
            return false;
        }
    } else if (!Mp3ScanLength(path, ExistingMptHeaderLength(head), seconds)) {
        error = "no MPEG audio frames found";
        return false;
    }
    ms = SecondsToMs(seconds);
    return true;
}
