#include "app/AppMain.h"

#include <QApplication>

#include "app/VersewrightApp.h"
#include "player/GstMediaBackend.h"
#include "player/MediaPlayer.h"

int RunVersewright(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Versewright"));
    MediaSetBackendFactory(GstMediaBackendFactory());
    CVersewrightApp theApp;
    if (!theApp.InitInstance())
        return 1;
    return theApp.Run();
}
