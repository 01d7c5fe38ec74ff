// Makes the test songs: 1 s of a quiet tone then 2 s of loud noise, so a VBR encoding changes
// its bit rate and a length guessed from the first frames is wrong; and an eight-second tone for
// the program's playback.
#include "tests/support/TestAudio.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "player/Mp3Length.h"

namespace {

// Every command, in order, with $D for the folder; the folder's name follows from them, so a
// change here makes a new set instead of reusing a stale one.
const char* const kRecipes[] = {
    "sox -q -n -r 44100 -c 2 -b 16 $D/song.wav synth 1 sine 440 vol 0.05 : synth 2 whitenoise vol "
    "0.5",
    "lame --quiet -b 128 $D/song.wav $D/cbr_xing.mp3",
    "lame --quiet -b 128 -t $D/song.wav $D/cbr_plain.mp3",
    "lame --quiet -V 2 $D/song.wav $D/vbr_xing.mp3",
    "lame --quiet -V 2 -t $D/song.wav $D/vbr_plain.mp3",
    "lame --quiet -b 64 -m m --resample 22.05 -t $D/song.wav $D/mpeg2_mono.mp3",
    "sox -q $D/song.wav $D/song.aiff",
    "sox -q $D/song.wav $D/song.au",
    "timeout 60 gst-launch-1.0 -q filesrc location=$D/song.wav ! wavparse ! audioconvert"
    " ! avenc_wmav2 ! asfmux ! filesink location=$D/song.wma",
    "timeout 60 gst-launch-1.0 -q filesrc location=$D/song.wav ! wavparse ! audioconvert"
    " ! lamemp3enc target=bitrate bitrate=96 ! id3v2mux ! filesink location=$D/tagged.mp3",
    "sox -q -n -r 44100 -c 2 -b 16 $D/long.wav synth 8 sine 330 vol 0.1",
    "lame --quiet -b 128 $D/long.wav $D/long.mp3",
    "sox -q -n -r 44100 -c 1 -b 16 $D/short.wav synth 4 sine 440 vol 0.1",
    "lame --quiet -b 32 --resample 8 $D/song.wav $D/mpeg25.mp3",
    // A download cut at half, its Xing header still counting every frame; and two songs
    // joined, the first with its Xing header.
    "(head -c $(($(stat -c %s $D/cbr_xing.mp3) / 2)) $D/cbr_xing.mp3 > $D/truncated.mp3)",
    "(cat $D/cbr_xing.mp3 $D/vbr_xing.mp3 > $D/joined.mp3)",
};

// The files Make writes itself, besides the recipes'; a change here makes a new set as well.
const char kMadeInCode[] =
    "song.mpt bad_header.mpt empty.mp3 text.mp3 noise.wma picture.mp3 vbri.mp3";

std::string Expand(std::string command, const std::string& strDir) {
    for (size_t at = command.find("$D"); at != std::string::npos; at = command.find("$D", at))
        command.replace(at, 2, strDir);
    return command;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// An ID3v2.3 tag holding one APIC frame of n bytes of picture.
std::string Id3WithPicture(size_t n) {
    const std::string body = std::string("\0image/jpeg\0\3\0", 14) + std::string(n, '\xD9');
    std::string frame = "APIC";
    for (int shift = 24; shift >= 0; shift -= 8)
        frame += char((body.size() >> shift) & 0xFF);
    frame += std::string(2, '\0') + body;
    std::string tag("ID3\3\0\0", 6);
    for (int shift = 21; shift >= 0; shift -= 7)
        tag += char((frame.size() >> shift) & 0x7F);
    return tag + frame;
}

std::string BigEndian(uint32_t n, int nBytes) {
    std::string bytes;
    for (int shift = (nBytes - 1) * 8; shift >= 0; shift -= 8)
        bytes += char((n >> shift) & 0xFF);
    return bytes;
}

// The song with a VBRI header, as some encoders write it, in place of its first frame's audio:
// the bytes and frames of the whole stream. Empty when the song does not start with a frame.
std::string WithVbriHeader(std::string mp3) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(mp3.data());
    Mp3FrameHeader h;
    uint32_t nFrames = 0;
    for (size_t pos = 0; pos + 4 <= mp3.size() && Mp3ParseHeader(bytes + pos, h); ++nFrames)
        pos += size_t(h.nFrameBytes);
    const std::string vbri = "VBRI" + BigEndian(1, 2) + BigEndian(0, 2) + BigEndian(75, 2) +
                             BigEndian(uint32_t(mp3.size()), 4) + BigEndian(nFrames, 4) +
                             BigEndian(0, 2) + BigEndian(1, 2) + BigEndian(2, 2) + BigEndian(0, 2);
    constexpr size_t kAfterSideInfo = 4 + 32;
    if (nFrames == 0 || !Mp3ParseHeader(bytes, h) || h.nVersion != 1 || h.bMono ||
        size_t(h.nFrameBytes) < kAfterSideInfo + vbri.size())
        return {};
    return mp3.replace(kAfterSideInfo, vbri.size(), vbri);
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

} // namespace

CTestAudio& CTestAudio::Get() {
    static CTestAudio s_audio;
    return s_audio;
}

CTestAudio::CTestAudio() {
    std::string recipes = kMadeInCode;
    for (const char* pszRecipe : kRecipes)
        recipes += pszRecipe;
    namespace fs = std::filesystem;
    const fs::path root = VERSEWRIGHT_TEST_AUDIO_DIR;
    const std::string strFinal =
        (root / ("set-" + std::to_string(std::hash<std::string>{}(recipes)))).string();
    std::error_code ec;
    if (fs::exists(strFinal + "/complete", ec)) {
        m_strDir = strFinal;
        return;
    }
    fs::create_directories(root, ec);
    std::string strWork = (root / "making-XXXXXX").string();
    if (!mkdtemp(strWork.data())) {
        m_strError = "cannot make a folder in " + root.string();
        return;
    }
    if (!Make(strWork)) {
        fs::remove_all(strWork, ec);
        return;
    }
    Write(strWork + "/complete", "");
    // Another process may have finished first; its set is as good as this one.
    if (std::rename(strWork.c_str(), strFinal.c_str()) != 0)
        fs::remove_all(strWork, ec);
    m_strDir = strFinal;
}

bool CTestAudio::Make(const std::string& strDir) {
    bool bMade = true;
    for (const char* pszRecipe : kRecipes)
        bMade = Run(Expand(pszRecipe, strDir)) && bMade;
    const auto path = [&](const char* pszName) { return strDir + "/" + pszName; };

    // An MPT file: a small lyrics header (its length in the first two bytes) before the MP3.
    const std::string audio = ReadAll(path("vbr_plain.mp3"));
    std::string header = std::string("\0\0\0\0MPTVer1.1\1\0\x1E\0\0\0", 19) + "song.mp3";
    header += '\0';
    header += std::string("\x0C\0\x0A\0\0\0la la", 11) + std::string(5, '\xFF');
    header[0] = char(header.size() & 0xFF);
    header[1] = char(header.size() >> 8);
    Write(path("song.mpt"), header + audio);
    Write(path("bad_header.mpt"), std::string("\xFF\xFF\0\0MPT", 7) + audio);

    Write(path("empty.mp3"), "");
    Write(path("text.mp3"), "[00:01.00]These are lyrics, not audio.\r\n");
    std::string garbage = ReadAll(path("song.wav"));
    garbage.resize(64 * 1024);
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 2654435761u) >> 13);
    Write(path("noise.wma"), garbage);
    Write(path("picture.mp3"), Id3WithPicture(400 * 1024) + ReadAll(path("cbr_xing.mp3")));
    const std::string vbri = WithVbriHeader(ReadAll(path("vbr_plain.mp3")));
    if (!vbri.empty())
        Write(path("vbri.mp3"), vbri);
    bMade = bMade && !vbri.empty();
    return bMade;
}

bool CTestAudio::Run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) == 0)
        return true;
    m_strError += "failed: " + command + "\n";
    return false;
}

double CTestAudio::DecodedMs(const std::string& name) {
    // sox reads the uncompressed containers itself; GStreamer's AIFF parser can stall when it
    // reads a file directly, so the reference decode must not depend on it.
    std::string wav = Path(name);
    const bool bSoxReads =
        name.ends_with(".wav") || name.ends_with(".aiff") || name.ends_with(".au");
    // The folder is shared: each process decodes into a file of its own.
    const std::string decoded = Path("decoded-" + std::to_string(getpid()) + ".wav");
    if (!bSoxReads) {
        wav = decoded;
        // Bounded, and tried twice: a stalled decoder must fail the test, not hang the suite.
        const std::string decode =
            "timeout 60 gst-launch-1.0 -q filesrc location=" + Path(name) +
            " ! decodebin ! audioconvert ! wavenc ! filesink location=" + wav;
        if (!Run(decode) && !Run(decode))
            return -1;
    }
    FILE* pipe = popen(("soxi -D " + wav).c_str(), "r");
    double seconds = -1;
    if (pipe) {
        if (fscanf(pipe, "%lf", &seconds) != 1)
            seconds = -1;
        pclose(pipe);
    }
    std::remove(decoded.c_str());
    return seconds < 0 ? -1 : seconds * 1000;
}
