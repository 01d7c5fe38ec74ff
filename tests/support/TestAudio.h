#pragma once
// Songs made with the tools the machine has, once per build tree, in a folder every test process
// shares (made under another name and renamed into place, so parallel tests never see half of it).

#include <string>

class CTestAudio {
public:
    // Makes the folder and every file on first use; Error() tells what failed.
    static CTestAudio& Get();
    const std::string& Dir() const { return m_strDir; }
    std::string Path(const std::string& name) const { return m_strDir + "/" + name; }
    const std::string& Error() const { return m_strError; }
    // What GStreamer decodes from the file, in milliseconds (the length it really plays);
    // -1 when it cannot be decoded.
    double DecodedMs(const std::string& name);

    // Length of the short songs (song.wav and what is made from it), in seconds: a quiet tone
    // then loud noise, so a VBR encoding changes its bit rate.
    static constexpr double kSongSeconds = 3.0;
    // Length of long.mp3, a steady tone for playing through the program, in milliseconds.
    static constexpr unsigned kLongSongMs = 8000;

private:
    CTestAudio();
    bool Make(const std::string& strDir);
    bool Run(const std::string& command);

    std::string m_strDir;
    std::string m_strError;
};
