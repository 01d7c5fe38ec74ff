#pragma once
// Audio files made at test time in a temporary folder, with the tools the machine has.

#include <string>

class CTestAudio {
public:
    // Makes the folder and every file; Error() tells what failed.
    static CTestAudio& Get();
    const std::string& Dir() const { return m_strDir; }
    std::string Path(const std::string& name) const { return m_strDir + "/" + name; }
    const std::string& Error() const { return m_strError; }
    // What GStreamer decodes from the file, in milliseconds (the length it really plays);
    // -1 when it cannot be decoded.
    double DecodedMs(const std::string& name);

    // Length of the made songs, in seconds.
    static constexpr double kSongSeconds = 3.0;

private:
    CTestAudio();
    ~CTestAudio();
    bool Run(const std::string& command);
    void Write(const std::string& name, const std::string& bytes);

    std::string m_strDir;
    std::string m_strError;
};
