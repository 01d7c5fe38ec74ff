#include "tests/gui/PlaybackAudio.h"

#include <QFile>
#include <cstdlib>

#include "player/GstMediaBackend.h"
#include "player/MediaPlayer.h"

CPlaybackAudio& CPlaybackAudio::Get() {
    static CPlaybackAudio s_audio;
    return s_audio;
}

CPlaybackAudio::CPlaybackAudio() {
    if (!m_dir.isValid()) {
        m_strError = QStringLiteral("no temporary folder");
        return;
    }
    // Eight seconds of a quiet tone, as MP3 and as WAV; and a file that is no audio at all.
    const QString wav = Path("song.wav");
    Run(QStringLiteral("sox -q -n -r 44100 -c 2 -b 16 '%1' synth 8 sine 330 vol 0.1").arg(wav));
    Run(QStringLiteral("lame --quiet -b 128 '%1' '%2'").arg(wav, Path("song.mp3")));
    Run(QStringLiteral("sox -q -n -r 44100 -c 1 -b 16 '%1' synth 4 sine 440 vol 0.1")
            .arg(Path("short.wav")));
    QFile text(Path("broken.mp3"));
    if (text.open(QIODevice::WriteOnly))
        text.write("[00:01.00]These are lyrics, not audio.\r\n");
}

void CPlaybackAudio::Run(const QString& strCommand) {
    if (std::system(strCommand.toLocal8Bit().constData()) != 0)
        m_strError += strCommand + QLatin1Char('\n');
}

void CPlaybackAudio::UseGstreamer() {
    MediaSetBackendFactory(GstMediaBackendFactory("fakeaudiosink"));
}
