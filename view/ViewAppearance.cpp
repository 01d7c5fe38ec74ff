#include <QFontDatabase>
#include <QFontInfo>
#include <QPalette>

#include "app/XDataConvert.h"
#include "platform/SettingsStore.h"
#include "view/VersewrightView.h"

// The saved font and colours are applied while the view is made; without a record the view
// shows the system's fixed-pitch font, black on white.
int CVersewrightView::OnCreate() {
    XDataRecord record;
    if (LoadXData(record)) {
        m_crText = record.textColor;
        m_crBack = record.backColor;
        ApplyFont(FontFromLogFont(record.font));
    } else {
        ApplyFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    }
    ApplyColors();
    return 0;
}

void CVersewrightView::ApplyFont(const QFont& font) {
    m_font = font;
    m_bFontCreated = 1;
    setFont(m_font);
    m_nLineHeight = std::max(12, QFontInfo(m_font).pixelSize());
    RedrawGutter();
}

void CVersewrightView::ApplyColors() {
    QPalette pal = palette();
    pal.setColor(QPalette::Text, ColorFromRef(m_crText));
    pal.setColor(QPalette::Base, ColorFromRef(m_crBack));
    setPalette(pal);
    m_hBackBrush = QBrush(ColorFromRef(m_crBack));
}
