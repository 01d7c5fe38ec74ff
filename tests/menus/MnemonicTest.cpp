#include "MenuTestSupport.h"
#include "app/Resource.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace menutest;

namespace {

// A hooked pop-up with the given labels, opened so that its items are converted.
struct SMenuFixture {
    CTestFrame frame;
    QMenu menu;
    explicit SMenuFixture(const QStringList& labels) {
        for (const QString& strLabel : labels) {
            if (strLabel == "-")
                menu.addSeparator();
            else
                menu.addAction(strLabel);
        }
        frame.HookMenu(&menu);
        menu.popup(QPoint(5, 5));
    }
    ~SMenuFixture() { menu.hide(); }
};

TEST(FindMnemonic, LowestItemWinsAndCaseDoesNotMatter) {
    struct SRow {
        QStringList labels;
        QChar ch;
        int nPosition; // -1: no match
    };
    const SRow rows[] = {
        {{"&Play\tCtrl+Enter", "&Pause", "go &back 5 seconds"}, 'p', 1},
        {{"&Play\tCtrl+Enter", "&Pause", "go &back 5 seconds"}, 'P', 1},
        {{"&Play\tCtrl+Enter", "-", "go &back 5 seconds"}, 'b', 2},
        {{"&Play\tCtrl+Enter", "&Pause"}, 'z', -1},
        {{"Volume +\tCtrl+Up"}, 'v', -1},
        {{"Trailing&"}, 'g', -1},
        {{"A && B", "&Copy"}, '&', 0},
        {{"播放(&P)", "暂停(&P)", "停止(&S)"}, 's', 2},
        {{"&Ñandú"}, QChar(0xF1), 0},
    };
    for (const SRow& row : rows) {
        SCOPED_TRACE(row.labels.join('|').toStdString() + " " + QString(row.ch).toStdString());
        UseTestLook();
        SMenuFixture fixture(row.labels);
        qint64 nResult = 0;
        const bool bFound =
            fixture.frame.MenuHelper().FindMnemonic(row.ch, 0, &fixture.menu, &nResult);
        EXPECT_EQ(bFound, row.nPosition >= 0);
        if (bFound) {
            EXPECT_EQ(nResult, (qint64(MNC_EXECUTE) << 16) | row.nPosition);
        }
    }
}

TEST(FindMnemonic, ItemsNotConvertedAreNotSearched) {
    UseTestLook();
    CTestFrame frame;
    QMenu menu;
    menu.addAction(QStringLiteral("&Pause"));
    qint64 nResult = 0;
    EXPECT_FALSE(frame.MenuHelper().FindMnemonic('p', 0, &menu, &nResult));
    EXPECT_FALSE(frame.MenuHelper().FindMnemonic('p', 0, nullptr, &nResult));
}

TEST(MenuKeys, TypingPInThePlayMenuRunsPause) {
    for (const char* pszKey : {"p", "P"}) {
        SCOPED_TRACE(pszKey);
        UseTestLook();
        CTestFrame frame;
        QMenu* pPlay = frame.Popup(1);
        QSignalSpy play(frame.Command(1, IDC_PLAY), &QAction::triggered);
        QSignalSpy pause(frame.Command(1, IDC_PAUSE), &QAction::triggered);
        pPlay->popup(QPoint(10, 10));
        const QString strKey = QString::fromLatin1(pszKey);
        QKeyEvent key(QEvent::KeyPress, Qt::Key_P,
                      strKey == "P" ? Qt::ShiftModifier : Qt::NoModifier, strKey);
        QApplication::sendEvent(pPlay, &key);
        EXPECT_EQ(play.count(), 0);
        EXPECT_EQ(pause.count(), 1);
        EXPECT_FALSE(pPlay->isVisible()) << "the menu closes";
    }
}

TEST(MenuKeys, UnknownCharacterAndDisabledItemRunNothing) {
    UseTestLook();
    CTestFrame frame;
    QMenu* pPlay = frame.Popup(1);
    QSignalSpy stop(frame.Command(1, ID_PLAY_STOP), &QAction::triggered);
    frame.Command(1, ID_PLAY_STOP)->setEnabled(false);
    pPlay->popup(QPoint(10, 10));
    QTest::keyClick(pPlay, Qt::Key_S);
    QTest::keyClick(pPlay, Qt::Key_Z);
    EXPECT_EQ(stop.count(), 0);
    EXPECT_TRUE(pPlay->isVisible());
    pPlay->hide();
}

} // namespace
