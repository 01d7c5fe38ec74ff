#include "platform/framework/Accelerators.h"

#include <QApplication>
#include <QDialog>
#include <QDockWidget>
#include <QKeyEvent>
#include <QKeySequence>
#include <QToolBar>
#include <QWidget>
#include <cstring>

#include "platform/framework/CommandManager.h"

namespace {
constexpr Qt::KeyboardModifiers kModifierMask =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// The main Enter and the keypad's Enter are one key here; so are the keypad's Insert, Delete...
QKeyCombination Normalise(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return;
    if (key == Qt::Key_Backtab)
        key = Qt::Key_Tab;
    return QKeyCombination(modifiers & kModifierMask, key);
}
} // namespace

bool ParseAcceleratorKey(const char* pszText, QKeyCombination& out) {
    static const struct {
        const char* pszName;
        Qt::Key key;
    } kNames[] = {
        {"Esc", Qt::Key_Escape},    {"Enter", Qt::Key_Return},  {"Backspace", Qt::Key_Backspace},
        {"Insert", Qt::Key_Insert}, {"Delete", Qt::Key_Delete}, {"Left", Qt::Key_Left},
        {"Right", Qt::Key_Right},   {"Up", Qt::Key_Up},         {"Down", Qt::Key_Down}};
    QString text = QString::fromUtf8(pszText);
    Qt::KeyboardModifiers modifiers;
    for (;;) {
        if (text.startsWith(QLatin1String("Ctrl+"))) {
            modifiers |= Qt::ControlModifier;
            text = text.mid(5);
        } else if (text.startsWith(QLatin1String("Shift+"))) {
            modifiers |= Qt::ShiftModifier;
            text = text.mid(6);
        } else if (text.startsWith(QLatin1String("Alt+"))) {
            modifiers |= Qt::AltModifier;
            text = text.mid(4);
        } else {
            break;
        }
    }
    for (const auto& name : kNames) {
        if (text == QLatin1String(name.pszName)) {
            out = Normalise(name.key, modifiers);
            return true;
        }
    }
    const QKeySequence seq = QKeySequence::fromString(text, QKeySequence::PortableText);
    if (seq.count() != 1 || text.isEmpty())
        return false;
    out = Normalise(seq[0].key(), modifiers);
    return true;
}

CAcceleratorFilter::CAcceleratorFilter(QWidget* pFrame, CCommandManager* pCommands)
    : QObject(pFrame), m_pFrame(pFrame), m_pCommands(pCommands) {
    qApp->installEventFilter(this);
}

CAcceleratorFilter::~CAcceleratorFilter() {
    if (qApp)
        qApp->removeEventFilter(this);
}

int CAcceleratorFilter::Find(const QKeyEvent* pEvent) const {
    const QKeyCombination key = Normalise(static_cast<Qt::Key>(pEvent->key()), pEvent->modifiers());
    for (const CAccelerator& acc : m_table)
        if (acc.key == key)
            return acc.nId;
    return 0;
}

// The frame and its children, its docked or floating bars; not dialogs, menus or other windows.
bool CAcceleratorFilter::BelongsToFrame(QObject* pObject) const {
    QWidget* pWidget = qobject_cast<QWidget*>(pObject);
    while (pWidget) {
        if (pWidget == m_pFrame)
            return true;
        if (pWidget->isWindow() && !qobject_cast<QDockWidget*>(pWidget) &&
            !qobject_cast<QToolBar*>(pWidget))
            return false;
        if (qobject_cast<QDialog*>(pWidget))
            return false;
        pWidget = pWidget->parentWidget();
    }
    return false;
}

bool CAcceleratorFilter::eventFilter(QObject* pWatched, QEvent* pEvent) {
    const QEvent::Type type = pEvent->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    if (!pWatched->isWidgetType() || !BelongsToFrame(pWatched))
        return false;
    const int nId = Find(static_cast<QKeyEvent*>(pEvent));
    if (nId == 0)
        return false;
    pEvent->accept();
    if (type == QEvent::KeyPress)
        m_pCommands->Execute(nId);
    // ShortcutOverride accepted: no shortcut of the toolkit takes the key, it comes back here as
    // a key press, which the editor then never receives.
    return true;
}
