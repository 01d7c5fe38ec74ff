#pragma once
// One resource set of an interface language (128, 140, 141, 142): the menu bar, the
// accelerator table and the document string, read from the embedded setNNN.json.

#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QList>
#include <QString>

// Registers the embedded resources of the program (resources/resources.qrc). Safe to call
// any number of times; everything that reads ":/..." calls it first.
void EnsureResources();

// The frame icon (resource 128) in its drawn sizes, 16, 32 and 48 pixels.
QIcon LoadFrameIcon();

struct SMenuEntry {
    int nId = 0;     // command id; 0 for separators and pop-ups
    QString strText; // label with & mnemonic, "\t" before the key name
    bool bSeparator = false;
    bool bGrayed = false;    // shown disabled, e.g. the recent-file placeholder
    QList<SMenuEntry> items; // the pop-up's entries; empty for commands and separators

    bool IsPopup() const { return !bSeparator && nId == 0; }
};

struct SAccelerator {
    QKeySequence key;
    int nCommand = 0;
};

class CResourceSet {
public:
    // Reads ":/resources/setNNN.json". False (and an empty set) when it is missing or malformed, or
    // when an accelerator key does not parse.
    bool Load(int nSetId);

    int Id() const { return m_nId; }
    const QList<SMenuEntry>& Menu() const { return m_menu; }
    const QList<SAccelerator>& Accelerators() const { return m_accelerators; }
    const QString& DocumentString() const { return m_strDocument; }
    // Field n (0 window title, 1 document name, 2 new file name, 3 filter name, 4 filter
    // extension, 5 file type id, 6 file type name) of the document string; empty if absent.
    QString DocumentField(int nField) const;

private:
    int m_nId = 0;
    QList<SMenuEntry> m_menu;
    QList<SAccelerator> m_accelerators;
    QString m_strDocument;
};

// A tool bar resource (resources/toolbars.json): button size, the command id of each button
// (0 for a gap) and the strip of images side by side, one per non-zero id in button order.
struct SToolbarResource {
    int nWidth = 0;
    int nHeight = 0;
    QList<int> buttons;
    QImage strip;

    // The image of the n-th non-zero button; null when out of range.
    QImage Image(int nIndex) const;
};

// False when the tool bar is unknown or malformed, or its strip lacks images for its buttons.
bool LoadToolbarResource(int nId, SToolbarResource* pToolbar);
