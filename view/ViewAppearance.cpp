#include <QCheckBox>
#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QPalette>
#include <algorithm>
#include <cstdint>

#include "app/XDataConvert.h"
#include "platform/SettingsStore.h"
#include "view/VersewrightView.h"

namespace {
constexpr int kMinLineHeight = 12;

// |lfHeight|, at least the minimum; a height the font could not take (0 or absurd) leaves the
// font at its default size, so that size counts instead.
int LineHeightOf(int32_t lfHeight, const QFont& font) {
    int64_t nHeight = lfHeight < 0 ? -static_cast<int64_t>(lfHeight) : lfHeight;
    if (nHeight == 0 || nHeight > 1000)
        nHeight = QFontInfo(font).pixelSize();
    return std::max<int>(kMinLineHeight, static_cast<int>(nHeight));
}

// The font dialog offers no effects: no underline, strike-out or colour.
void HideFontEffects(QFontDialog& dlg) {
    for (QCheckBox* pBox : dlg.findChildren<QCheckBox*>()) {
        if (auto* pGroup = qobject_cast<QGroupBox*>(pBox->parentWidget()))
            pGroup->hide();
        else
            pBox->hide();
    }
}

// The colour dialog starting from cr; false when cancelled.
bool ChooseColor(QWidget* pParent, ColorRef& cr) {
    QColorDialog dlg(ColorFromRef(cr), pParent);
    dlg.setOption(QColorDialog::DontUseNativeDialog);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    cr = RefFromColor(dlg.selectedColor());
    return true;
}
} // namespace

// The saved font and colours are applied while the view is made; without a record the view
// shows the system's fixed-pitch font, black on white.
int CVersewrightView::OnCreate() {
    XDataRecord record;
    if (LoadXData(record)) {
        ApplyFont(FontFromLogFont(record.font));
        m_nLineHeight = LineHeightOf(record.font.lfHeight, m_font);
        SetEditTextColor(record.textColor);
        SetEditBkColor(record.backColor);
    } else {
        ApplyFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        ApplyColors();
    }
    return 0;
}

void CVersewrightView::ApplyFont(const QFont& font) {
    m_font = font;
    m_bFontCreated = 1;
    setFont(m_font);
    m_nLineHeight = LineHeightOf(LogFontFromFont(m_font).lfHeight, m_font);
    RedrawGutter();
}

void CVersewrightView::ApplyColors() {
    // Base paints the empty area and the background behind the text alike.
    QPalette pal = palette();
    pal.setColor(QPalette::Text, ColorFromRef(m_crText));
    pal.setColor(QPalette::Base, ColorFromRef(m_crBack));
    setPalette(pal);
    m_hBackBrush = QBrush(ColorFromRef(m_crBack));
    viewport()->update();
}

void CVersewrightView::SetEditTextColor(ColorRef cr) {
    m_crText = cr;
    ApplyColors();
}

void CVersewrightView::SetEditBkColor(ColorRef cr) {
    m_crBack = cr;
    ApplyColors();
}

void CVersewrightView::SetFormattingMargin() {
    if (viewportMargins() != QMargins(kGutterWidth, 0, 0, 0))
        setViewportMargins(kGutterWidth, 0, 0, 0);
}

void CVersewrightView::OnSetFont() {
    const QFont current =
        m_bFontCreated ? m_font : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QFontDialog dlg(current, window());
    dlg.setOption(QFontDialog::DontUseNativeDialog);
    HideFontEffects(dlg);
    if (dlg.exec() == QDialog::Accepted) {
        QFont font = dlg.selectedFont();
        // Effects cannot be chosen here; those of the current font stay.
        font.setUnderline(current.underline());
        font.setStrikeOut(current.strikeOut());
        ApplyFont(font);
    }
    SetFormattingMargin();
}

void CVersewrightView::OnTextColor() {
    ColorRef cr = m_crText;
    if (ChooseColor(window(), cr))
        SetEditTextColor(cr);
}

void CVersewrightView::OnBkColor() {
    ColorRef cr = m_crBack;
    if (ChooseColor(window(), cr))
        SetEditBkColor(cr);
}
