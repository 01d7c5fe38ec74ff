#pragma once
// Rests the pointer on a widget and takes it away again, as the tool-tip and fly-by machinery
// sees it.

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QWidget>

// The widget's fly-by prompt goes to the status bar; returns the tool tip shown (empty when none).
inline QString HoverTip(QWidget* pWidget) {
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(pWidget, &enter);
    const QPoint at = pWidget->rect().center();
    QHelpEvent help(QEvent::ToolTip, at, pWidget->mapToGlobal(at));
    QApplication::sendEvent(pWidget, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// The tool tip fades out on a timer; waits until it has gone.
inline bool LeaveTip(QWidget* pWidget) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(pWidget, &leave);
    QToolTip::hideText();
    return QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000);
}
