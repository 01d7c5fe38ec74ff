#include "app/XDataConvert.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/CodePage.h"

namespace {
constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t FIXED_PITCH = 1;
constexpr uint8_t VARIABLE_PITCH = 2;
constexpr uint8_t FF_MODERN = 0x30;
// How much of a window a screen must show for the user to reach it and move it on.
constexpr int kMinVisible = 48;

bool SomeScreenShows(const QRect& rc) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&rc](const QScreen* pScreen) {
        const QRect rcShown = rc.intersected(pScreen->availableGeometry());
        return rcShown.width() >= kMinVisible && rcShown.height() >= kMinVisible;
    });
}
} // namespace

void PlaceAtFirstRunSize(QWidget* pWindow) {
    // A window the size a desktop program usually opens with, centred on its screen.
    const QScreen* pScreen = pWindow->screen();
    if (!pScreen)
        return;
    const QRect rcAvail = pScreen->availableGeometry();
    const QSize size(std::min(800, rcAvail.width()), std::min(640, rcAvail.height()));
    pWindow->resize(size);
    pWindow->move(rcAvail.center() - QPoint(size.width() / 2, size.height() / 2));
}

LogFontA LogFontFromFont(const QFont& font) {
    LogFontA lf;
    const QFontInfo info(font);
    lf.lfHeight = -info.pixelSize();
    lf.lfWeight = info.weight();
    lf.lfItalic = info.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = info.fixedPitch() ? (FIXED_PITCH | FF_MODERN) : VARIABLE_PITCH;
    // The face name in the system's code page, cut at a whole character.
    const CCodePage cp = CCodePage::System();
    const QString family = font.family();
    std::string name;
    cp.FromUnicode(family.toStdU16String(), name);
    size_t n = 0;
    const char* p = name.c_str();
    while (p[n]) {
        const size_t nChar = cp.CharLength(p + n);
        if (n + nChar > LF_FACESIZE - 1)
            break;
        n += nChar;
    }
    std::memcpy(lf.lfFaceName, name.data(), n);
    lf.lfFaceName[n] = '\0';
    return lf;
}

QFont FontFromLogFont(const LogFontA& lf) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const size_t nName = strnlen(lf.lfFaceName, LF_FACESIZE);
    if (nName) {
        std::u16string wide;
        CCodePage::System().ToUnicode(std::string_view(lf.lfFaceName, nName), wide);
        font.setFamily(QString::fromStdU16String(wide));
    }
    // A negative height is the character height, a positive one the cell height; both are near
    // enough to the pixel size here. 0 keeps the default size.
    const int64_t nHeight = lf.lfHeight < 0 ? -static_cast<int64_t>(lf.lfHeight) : lf.lfHeight;
    if (nHeight > 0 && nHeight <= 1000)
        font.setPixelSize(static_cast<int>(nHeight));
    if (lf.lfWeight > 0 && lf.lfWeight <= 1000)
        font.setWeight(static_cast<QFont::Weight>(lf.lfWeight));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    return font;
}

WindowPlacement GetWindowPlacement(const QWidget* pWindow) {
    WindowPlacement wp;
    wp.length = 44;
    const Qt::WindowStates states = pWindow->windowState();
    if (states & Qt::WindowMinimized) {
        wp.showCmd = SW_SHOWMINIMIZED;
        if (states & Qt::WindowMaximized)
            wp.flags = WPF_RESTORETOMAXIMIZED;
    } else if (states & Qt::WindowMaximized) {
        wp.showCmd = SW_SHOWMAXIMIZED;
    } else {
        wp.showCmd = SW_SHOWNORMAL;
    }
    wp.ptMinPositionX = wp.ptMinPositionY = -1;
    wp.ptMaxPositionX = wp.ptMaxPositionY = -1;
    const QRect rc =
        pWindow->normalGeometry().isValid() ? pWindow->normalGeometry() : pWindow->geometry();
    wp.rcNormalLeft = rc.left();
    wp.rcNormalTop = rc.top();
    wp.rcNormalRight = rc.left() + rc.width();
    wp.rcNormalBottom = rc.top() + rc.height();
    return wp;
}

void SetWindowPlacement(QWidget* pWindow, const WindowPlacement& wp) {
    const int64_t nWidth = static_cast<int64_t>(wp.rcNormalRight) - wp.rcNormalLeft;
    const int64_t nHeight = static_cast<int64_t>(wp.rcNormalBottom) - wp.rcNormalTop;
    if (pWindow->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))
        pWindow->setWindowState(Qt::WindowNoState);
    // An empty or absurd rectangle would make the window vanish, and so would one left on a
    // screen that is gone: the window opens where it does the first time.
    const bool bSane = nWidth > 0 && nHeight > 0 && nWidth < 100000 && nHeight < 100000;
    const QRect rc(wp.rcNormalLeft, wp.rcNormalTop, static_cast<int>(bSane ? nWidth : 0),
                   static_cast<int>(bSane ? nHeight : 0));
    if (bSane && SomeScreenShows(rc))
        pWindow->setGeometry(rc);
    else
        PlaceAtFirstRunSize(pWindow);
    switch (wp.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        // Minimised from the maximised state, it comes back maximised when restored.
        if (wp.flags & WPF_RESTORETOMAXIMIZED)
            pWindow->setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
        pWindow->showMinimized();
        break;
    case SW_SHOWMAXIMIZED:
        pWindow->showMaximized();
        break;
    default:
        // SW_HIDE included: a program whose window never shows cannot be closed by its user.
        pWindow->showNormal();
        break;
    }
}

QColor ColorFromRef(ColorRef cr) {
    return QColor(static_cast<int>(cr & 0xFF), static_cast<int>((cr >> 8) & 0xFF),
                  static_cast<int>((cr >> 16) & 0xFF));
}

ColorRef RefFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<ColorRef>(rgb.red()) | (static_cast<ColorRef>(rgb.green()) << 8) |
           (static_cast<ColorRef>(rgb.blue()) << 16);
}
