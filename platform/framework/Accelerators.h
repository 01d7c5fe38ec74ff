#pragma once
// The frame's accelerator table. Keys are translated into commands before any child widget of the
// frame (the editor above all) sees them, as on the platform the program was designed for: an
// accelerator key never reaches the editor, whether its command is enabled or not.

#include <QKeyCombination>
#include <QObject>
#include <vector>

class QKeyEvent;
class QWidget;
class CCommandManager;

struct CAccelerator {
    QKeyCombination key;
    int nId;
};

// Parses "Ctrl+Insert", "Shift+Delete", "Alt+Backspace", "Esc", "F6", "Ctrl+Enter", "A" ...
// Returns false for a text it cannot read.
bool ParseAcceleratorKey(const char* pszText, QKeyCombination& out);

class CAcceleratorFilter : public QObject {
public:
    CAcceleratorFilter(QWidget* pFrame, CCommandManager* pCommands);
    ~CAcceleratorFilter() override;

    void SetTable(std::vector<CAccelerator> table) { m_table = std::move(table); }
    const std::vector<CAccelerator>& GetTable() const { return m_table; }
    // Command id of the key, or 0.
    int Find(const QKeyEvent* pEvent) const;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    bool BelongsToFrame(QObject* pObject) const;

    QWidget* m_pFrame;
    CCommandManager* m_pCommands;
    std::vector<CAccelerator> m_table;
};
