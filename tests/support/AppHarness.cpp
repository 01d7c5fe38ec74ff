#include "tests/support/AppHarness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "doc/LrcText.h"
#include "platform/SettingsStore.h"

bool CRunningApp::Start(const QStringList& args) {
    Stop();
    m_script.Install();
    m_pApp = std::make_unique<CVersewrightApp>();
    m_pApp->SetCommandLine(args);
    return m_pApp->InitInstance();
}

void CRunningApp::Stop() {
    MediaCloseAll();
    m_pApp.reset();
}

std::string CRunningApp::Text() const {
    std::string buffer(LYRICS_CAPACITY, '\0');
    buffer.resize(View()->GetLyricsText(buffer.data(), LYRICS_CAPACITY));
    return buffer;
}

void CRunningApp::SetText(const std::string& text) {
    View()->SetLyricsText(text.c_str());
    Doc()->SetModifiedFlag(false);
}

void CRunningApp::SetCaret(int nLine, int nColumn) {
    QTextCursor cursor(View()->document()->findBlockByNumber(nLine));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, nColumn);
    View()->setTextCursor(cursor);
}

bool CRunningApp::Execute(int nId) {
    return Frame()->GetCommands().Execute(nId);
}

void CRunningApp::Press(int nKey, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(View(), static_cast<Qt::Key>(nKey), modifiers);
}

void CRunningApp::LoadRecordedAudio(uint32_t nPositionMs) {
    m_script.durationSeconds = 3600.0 * 2;
    m_script.positionSeconds = nPositionMs / 1000.0;
    MediaOpen(nullptr, "song.mp3", 0);
    View()->m_bAudioLoaded = 1;
}

void CRunningApp::SetPosition(uint32_t nPositionMs) {
    m_script.positionSeconds = nPositionMs / 1000.0;
}

void AnswerNextMessageBox(const char* pszButton, QString* pText) {
    const QString strButton = QString::fromLatin1(pszButton);
    auto* pTimer = new QTimer;
    QObject::connect(pTimer, &QTimer::timeout, pTimer, [pTimer, strButton, pText] {
        auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!pBox)
            return;
        pTimer->stop(); // answers one box only
        if (pText)
            *pText = pBox->text();
        if (auto* pButton = pBox->findChild<QAbstractButton*>(strButton))
            pButton->click();
        else
            pBox->reject();
        pTimer->deleteLater();
    });
    pTimer->start(10);
}

QByteArray StoredXData() {
    char buffer[1024];
    uint32_t size = sizeof buffer;
    if (!ReadSetting("XDATA", buffer, size))
        return {};
    return QByteArray(buffer, static_cast<qsizetype>(size));
}
