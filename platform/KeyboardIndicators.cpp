#include "platform/KeyboardIndicators.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <dlfcn.h>

namespace {

// XkbGetIndicatorState from the X library the X11 platform plugin has loaded already; looked
// up at run time so that the program needs no X11 at build time or on other platforms.
using PfnGetIndicatorState = int (*)(void* pDisplay, unsigned nDevice, unsigned* pState);
constexpr unsigned kXkbUseCoreKbd = 0x0100;

PfnGetIndicatorState IndicatorFunction() {
    static const PfnGetIndicatorState pfn = [] {
        void* pLibrary = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
        return pLibrary ? reinterpret_cast<PfnGetIndicatorState>(
                              dlsym(pLibrary, "XkbGetIndicatorState"))
                        : nullptr;
    }();
    return pfn;
}

} // namespace

SLockKeys QueryLockKeys() {
    SLockKeys keys;
#if QT_CONFIG(xcb)
    auto* pApp = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    auto* pX11 = pApp ? pApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    const PfnGetIndicatorState pfn = pX11 && pX11->display() ? IndicatorFunction() : nullptr;
    unsigned nState = 0;
    if (pfn && pfn(pX11->display(), kXkbUseCoreKbd, &nState) == 0) {
        // The default keyboard description numbers Caps, Num and Scroll Lock 1, 2 and 3.
        keys.bKnown = true;
        keys.bCaps = nState & 0x1;
        keys.bNum = nState & 0x2;
        keys.bScroll = nState & 0x4;
    }
#endif
    return keys;
}
