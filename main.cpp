#include "app/AppMain.h"
#include "player/GstMediaBackend.h"
#include "player/GstPeakDecoder.h"
#include "player/MediaPlayer.h"

// The program plays through GStreamer; the window layer knows the player only by its interface.
int main(int argc, char** argv) {
    MediaSetBackendFactory(GstMediaBackendFactory());
    SetPeakDecoder(DecodeSongPeaks);
    return RunVersewright(argc, argv);
}
