#pragma once
// Songs made at test time for the playback tests, and the real GStreamer player (fakeaudiosink)
// behind the player registry.

#include <QString>
#include <QTemporaryDir>

class CPlaybackAudio {
public:
    // Makes the folder and the songs once per process; Error() tells what failed.
    static CPlaybackAudio& Get();
    QString Path(const char* pszName) const { return m_dir.filePath(QString::fromLatin1(pszName)); }
    const QString& Error() const { return m_strError; }

    // Length of the made songs.
    static constexpr uint32_t kSongMs = 8000;

    // Every later MediaOpen plays through GStreamer into a clock-synced fake sink.
    static void UseGstreamer();

private:
    CPlaybackAudio();
    void Run(const QString& strCommand);

    QTemporaryDir m_dir;
    QString m_strError;
};
