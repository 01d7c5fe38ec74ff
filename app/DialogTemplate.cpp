#include "app/DialogTemplate.h"

#include "app/ResourceSet.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

#include <cmath>

namespace {

constexpr int kEnglishSet = 128;
constexpr int kSetIds[] = {kEnglishSet, 140, 141, 142};

QJsonObject LoadSetDialogs(int nSetId) {
    EnsureResources();
    QFile file(QStringLiteral(":/resources/set%1.json").arg(nSetId));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    return doc.object().value(QStringLiteral("dialogs")).toObject();
}

QRect RectFromJson(const QJsonValue& value) {
    const QJsonArray a = value.toArray();
    if (a.size() != 4)
        return {};
    return QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt());
}

QStringList StringsFromJson(const QJsonValue& value) {
    QStringList out;
    for (const QJsonValue& v : value.toArray())
        out << v.toString();
    return out;
}

bool TemplateFromJson(int nId, const QJsonObject& o, CDialogTemplate& out) {
    const QJsonArray size = o.value(QStringLiteral("size")).toArray();
    const QJsonArray font = o.value(QStringLiteral("font")).toArray();
    if (size.size() != 2 || font.size() != 2)
        return false;
    out = CDialogTemplate();
    out.m_nId = nId;
    out.m_strCaption = o.value(QStringLiteral("caption")).toString();
    out.m_sizeUnits = QSize(size[0].toInt(), size[1].toInt());
    out.m_strFontFace = font[0].toString();
    out.m_nFontPoints = font[1].toInt();
    out.m_styles = StringsFromJson(o.value(QStringLiteral("style")));
    for (const QJsonValue& v : o.value(QStringLiteral("controls")).toArray()) {
        const QJsonObject c = v.toObject();
        CDialogControl ctl;
        ctl.nId = c.value(QStringLiteral("id")).toInt(-1);
        ctl.strName = c.value(QStringLiteral("name")).toString();
        ctl.strKind = c.value(QStringLiteral("kind")).toString();
        ctl.strText = c.value(QStringLiteral("text")).toString();
        ctl.rcUnits = RectFromJson(c.value(QStringLiteral("rect")));
        ctl.styles = StringsFromJson(c.value(QStringLiteral("style")));
        out.m_controls.append(ctl);
    }
    return true;
}

// Windows rounds dialog-unit conversions to the nearest pixel (MulDiv).
int MulDivRound(int value, int mul, int div) {
    return static_cast<int>(std::lround(static_cast<double>(value) * mul / div));
}

QWidget* CreateControl(const CDialogControl& ctl, QWidget* pParent) {
    QWidget* pWidget = nullptr;
    if (ctl.strKind == QLatin1String("edit")) {
        if (ctl.HasStyle(QStringLiteral("multiline"))) {
            auto* pEdit = new QPlainTextEdit(pParent);
            pEdit->setReadOnly(ctl.HasStyle(QStringLiteral("readonly")));
            pEdit->setVerticalScrollBarPolicy(ctl.HasStyle(QStringLiteral("vscroll"))
                                                  ? Qt::ScrollBarAlwaysOn
                                                  : Qt::ScrollBarAlwaysOff);
            if (!ctl.HasStyle(QStringLiteral("border")))
                pEdit->setFrameShape(QFrame::NoFrame);
            pWidget = pEdit;
        } else {
            auto* pEdit = new QLineEdit(pParent);
            pEdit->setReadOnly(ctl.HasStyle(QStringLiteral("readonly")));
            if (ctl.HasStyle(QStringLiteral("center")))
                pEdit->setAlignment(Qt::AlignCenter);
            pWidget = pEdit;
        }
    } else if (ctl.strKind == QLatin1String("button")) {
        auto* pButton = new QPushButton(ctl.strText, pParent);
        // A "flat" push button still has its one-line border; the toolkit's flat buttons have
        // none and would read as labels, so it is drawn as an ordinary push button.
        pButton->setDefault(ctl.HasStyle(QStringLiteral("default")));
        pWidget = pButton;
    } else if (ctl.strKind == QLatin1String("trackbar")) {
        auto* pSlider = new QSlider(Qt::Horizontal, pParent);
        pSlider->setTickPosition(ctl.HasStyle(QStringLiteral("noticks")) ? QSlider::NoTicks
                                                                         : QSlider::TicksBelow);
        pWidget = pSlider;
    } else {
        // Static text, and the icon whose image the dialog puts in.
        auto* pLabel = new QLabel(pParent);
        if (ctl.strKind == QLatin1String("static")) {
            pLabel->setText(ctl.strText);
            pLabel->setTextFormat(Qt::PlainText);
        }
        pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        pWidget = pLabel;
    }
    if (!ctl.strName.isEmpty())
        pWidget->setObjectName(ctl.strName);
    SetDlgCtrlId(pWidget, ctl.nId);
    if (ctl.strKind != QLatin1String("static") && ctl.strKind != QLatin1String("icon"))
        pWidget->setFocusPolicy(ctl.HasStyle(QStringLiteral("tabstop")) ? Qt::StrongFocus
                                                                        : Qt::ClickFocus);
    pWidget->setEnabled(!ctl.HasStyle(QStringLiteral("disabled")));
    return pWidget;
}

} // namespace

bool CDialogTemplate::Load(int nSetId, int nTemplateId, CDialogTemplate& out) {
    const QString strKey = QString::number(nTemplateId);
    QJsonObject dialogs = LoadSetDialogs(nSetId);
    if (!dialogs.contains(strKey) && nSetId != kEnglishSet)
        dialogs = LoadSetDialogs(kEnglishSet);
    if (!dialogs.contains(strKey))
        return false;
    return TemplateFromJson(nTemplateId, dialogs.value(strKey).toObject(), out);
}

bool CDialogTemplate::Load(int nTemplateId, CDialogTemplate& out) {
    for (int nSetId : kSetIds) {
        const QJsonObject dialogs = LoadSetDialogs(nSetId);
        const QString strKey = QString::number(nTemplateId);
        if (dialogs.contains(strKey))
            return TemplateFromJson(nTemplateId, dialogs.value(strKey).toObject(), out);
    }
    return false;
}

const CDialogControl* CDialogTemplate::FindControl(int nId) const {
    for (const CDialogControl& ctl : m_controls) {
        if (ctl.nId == nId)
            return &ctl;
    }
    return nullptr;
}

QFont CDialogTemplate::Font() const {
    const bool bFixed = m_strFontFace.compare(QLatin1String("Fixedsys"), Qt::CaseInsensitive) == 0;
    QFont font =
        QFontDatabase::systemFont(bFixed ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont);
    if (m_nFontPoints > 0)
        font.setPointSize(m_nFontPoints);
    return font;
}

CDialogUnits CDialogUnits::FromFont(const QFont& font) {
    // The average width of the 52 letters, rounded as Windows computes its dialog base units.
    const QFontMetrics fm(font);
    const int nLetters = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    CDialogUnits units;
    units.nBaseX = (nLetters / 26 + 1) / 2;
    units.nBaseY = fm.height();
    return units;
}

int CDialogUnits::XToPixels(int x) const {
    return MulDivRound(x, nBaseX, 4);
}

int CDialogUnits::YToPixels(int y) const {
    return MulDivRound(y, nBaseY, 8);
}

QRect CDialogUnits::ToPixels(const QRect& rcUnits) const {
    return QRect(XToPixels(rcUnits.x()), YToPixels(rcUnits.y()), XToPixels(rcUnits.width()),
                 YToPixels(rcUnits.height()));
}

QSize CDialogUnits::ToPixels(const QSize& sizeUnits) const {
    return QSize(XToPixels(sizeUnits.width()), YToPixels(sizeUnits.height()));
}

QSize CreateDialogControls(const CDialogTemplate& tmpl, QWidget* pParent) {
    pParent->setFont(tmpl.Font());
    const CDialogUnits units = CDialogUnits::FromFont(pParent->font());
    for (const CDialogControl& ctl : tmpl.m_controls) {
        QWidget* pWidget = CreateControl(ctl, pParent);
        pWidget->setGeometry(units.ToPixels(ctl.rcUnits));
    }
    const QSize size = units.ToPixels(tmpl.m_sizeUnits);
    if (tmpl.m_styles.contains(QStringLiteral("caption"))) {
        pParent->setWindowTitle(tmpl.m_strCaption);
        pParent->setFixedSize(size);
    } else {
        pParent->resize(size);
    }
    return size;
}

// The framework's dialogs are made from the template of whichever set holds it.
bool BuildDialogControls(int nTemplateId, QWidget* pDialog) {
    CDialogTemplate tmpl;
    if (!CDialogTemplate::Load(nTemplateId, tmpl))
        return false;
    CreateDialogControls(tmpl, pDialog);
    return true;
}
