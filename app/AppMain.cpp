#include "app/AppMain.h"

#include <QApplication>

#include "app/VersewrightApp.h"

int RunVersewright(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Versewright"));
    CVersewrightApp theApp;
    if (!theApp.InitInstance())
        return 1;
    return theApp.Run();
}
