// Makes the test songs: 1 s of a quiet tone then 2 s of loud noise, so a VBR encoding changes
// its bit rate and a length guessed from the first frames is wrong.
#include "tests/player/TestAudio.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

CTestAudio& CTestAudio::Get() {
    static CTestAudio s_audio;
    return s_audio;
}

CTestAudio::CTestAudio() {
    char tmpl[] = "/tmp/vw_player_XXXXXX";
    if (!mkdtemp(tmpl)) {
        m_strError = "mkdtemp";
        return;
    }
    m_strDir = tmpl;
    const std::string song = Path("song.wav");
    Run("sox -q -n -r 44100 -c 2 -b 16 " + song +
        " synth 1 sine 440 vol 0.05 : synth 2 whitenoise vol 0.5");
    Run("lame --quiet -b 128 " + song + " " + Path("cbr_xing.mp3"));
    Run("lame --quiet -b 128 -t " + song + " " + Path("cbr_plain.mp3"));
    Run("lame --quiet -V 2 " + song + " " + Path("vbr_xing.mp3"));
    Run("lame --quiet -V 2 -t " + song + " " + Path("vbr_plain.mp3"));
    Run("lame --quiet -b 64 -m m --resample 22.05 -t " + song + " " + Path("mpeg2_mono.mp3"));
    Run("sox -q " + song + " " + Path("song.aiff"));
    Run("sox -q " + song + " " + Path("song.au"));
    Run("timeout 60 gst-launch-1.0 -q filesrc location=" + song +
        " ! wavparse ! audioconvert ! avenc_wmav2 ! asfmux ! filesink location=" +
        Path("song.wma"));
    Run("timeout 60 gst-launch-1.0 -q filesrc location=" + song +
        " ! wavparse ! audioconvert ! lamemp3enc target=bitrate bitrate=96 ! id3v2mux"
        " ! filesink location=" +
        Path("tagged.mp3"));

    // An MPT file: a small lyrics header (its length in the first two bytes) before the MP3.
    std::ifstream mp3(Path("vbr_plain.mp3"), std::ios::binary);
    const std::string audio((std::istreambuf_iterator<char>(mp3)), {});
    std::string header = std::string("\0\0\0\0MPTVer1.1\1\0\x1E\0\0\0", 19) + "song.mp3";
    header += '\0';
    header += std::string("\x0C\0\x0A\0\0\0la la", 11) + std::string(5, '\xFF');
    header[0] = char(header.size() & 0xFF);
    header[1] = char(header.size() >> 8);
    Write("song.mpt", header + audio);
    Write("bad_header.mpt", std::string("\xFF\xFF\0\0MPT", 7) + audio);

    Write("empty.mp3", "");
    Write("text.mp3", "[00:01.00]These are lyrics, not audio.\r\n");
    std::ifstream wav(song, std::ios::binary);
    std::string garbage((std::istreambuf_iterator<char>(wav)), {});
    garbage.resize(64 * 1024);
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 2654435761u) >> 13);
    Write("noise.wma", garbage);
}

CTestAudio::~CTestAudio() {
    if (!m_strDir.empty())
        Run("rm -rf " + m_strDir);
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
    const bool bSoxReads = name.ends_with(".wav") || name.ends_with(".aiff") ||
                           name.ends_with(".au");
    if (!bSoxReads) {
        wav = Path("decoded.wav");
        // Bounded, and tried twice: a stalled decoder must fail the test, not hang the suite.
        const std::string decode = "timeout 60 gst-launch-1.0 -q filesrc location=" + Path(name) +
                                   " ! decodebin ! audioconvert ! wavenc ! filesink location=" +
                                   wav;
        if (!Run(decode) && !Run(decode))
            return -1;
    }
    FILE* pipe = popen(("soxi -D " + wav).c_str(), "r");
    double seconds = -1;
    if (!pipe)
        return -1;
    if (fscanf(pipe, "%lf", &seconds) != 1)
        seconds = -1;
    pclose(pipe);
    return seconds * 1000;
}

void CTestAudio::Write(const std::string& name, const std::string& bytes) {
    std::ofstream out(Path(name), std::ios::binary);
    out << bytes;
}
