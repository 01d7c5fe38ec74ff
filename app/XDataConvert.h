#pragma once
// The settings record's Windows structures and their Qt counterparts: font, window placement and
// colours.

#include <QColor>
#include <QFont>

#include "app/XDataRecord.h"

class QWidget;

LogFontA LogFontFromFont(const QFont& font);
// Starts from the system's fixed-pitch font; an empty face name keeps its family.
QFont FontFromLogFont(const LogFontA& logFont);

// The window's normal (restored) geometry and show state.
WindowPlacement GetWindowPlacement(const QWidget* pWindow);
// Moves the window to the normal geometry and shows it by the show command; a geometry no
// screen shows gives the first-run size and place.
void SetWindowPlacement(QWidget* pWindow, const WindowPlacement& placement);
// The size and place of the window when no settings exist.
void PlaceAtFirstRunSize(QWidget* pWindow);

QColor ColorFromRef(ColorRef cr);
ColorRef RefFromColor(const QColor& color);
