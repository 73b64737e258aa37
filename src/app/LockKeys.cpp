#include "app/LockKeys.h"

#include <QGuiApplication>

#ifdef HALVEX_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace halvex {

#ifdef HALVEX_HAVE_X11
namespace {

bool IndicatorOn(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None) return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return false;
    return on == True;
}

}  // namespace
#endif

LockKeyState ReadLockKeys() {
    LockKeyState state;
#ifdef HALVEX_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return state;
    state.caps = IndicatorOn(display, "Caps Lock");
    state.num = IndicatorOn(display, "Num Lock");
    state.scroll = IndicatorOn(display, "Scroll Lock");
#endif
    return state;
}

}  // namespace halvex
