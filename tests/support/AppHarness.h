#pragma once
// Starts and ends the whole program (application, frame, document, view) inside a test, and
// drives it as a user would: keys, commands, message boxes.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

#include "app/MainFrame.h"
#include "app/VersewrightApp.h"
#include "doc/VersewrightDoc.h"
#include "tests/support/RecordingBackend.h"
#include "view/VersewrightView.h"

class CRunningApp {
public:
    CRunningApp() = default;
    ~CRunningApp() { Stop(); }

    // InitInstance with these arguments; false if start-up failed.
    bool Start(const QStringList& args = {});
    void Stop();

    CVersewrightApp& App() { return *m_pApp; }
    CMainFrame* Frame() const { return g_pMainFrame; }
    CVersewrightView* View() const { return g_pView; }
    CVersewrightDoc* Doc() const { return View() ? View()->GetDocument() : nullptr; }

    // The editor text as bytes (CR LF line ends).
    std::string Text() const;
    // Replaces the text as a file load would (no undo) and clears the modified flag.
    void SetText(const std::string& text);
    // Puts the caret at a line and column.
    void SetCaret(int nLine, int nColumn);
    bool Execute(int nId);
    void Press(int nKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // An open audio file in the player (recording backend) at a position.
    void LoadRecordedAudio(uint32_t nPositionMs);
    void SetPosition(uint32_t nPositionMs);
    // The recording player's script: its answers, failures and the calls it saw.
    CRecordingScript& Script() { return m_script; }

private:
    std::unique_ptr<CVersewrightApp> m_pApp;
    CRecordingScript m_script;
};

// Answers the next message box with the button of that id ("IDYES", "IDNO", "IDCANCEL", "IDOK")
// and stores its text in *pText.
void AnswerNextMessageBox(const char* pszButton, QString* pText = nullptr);

// Reads the stored settings record; empty when there is none.
QByteArray StoredXData();
