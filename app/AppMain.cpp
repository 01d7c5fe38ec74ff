#include "app/AppMain.h"

#include <QApplication>
#include <QMainWindow>

int RunVersewright(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("Versewright"));
    frame.show();
    return app.exec();
}
