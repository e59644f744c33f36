#include "app/lock_keys.h"

#include <QGuiApplication>

#ifdef KP53_HAVE_X11
#include <QtGui/qguiapplication_platform.h>
#endif

#ifdef KP53_HAVE_X11
#include <X11/XKBlib.h>
#endif

std::optional<LockKeyStates> ReadLockKeyStates() {
#ifdef KP53_HAVE_X11
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return std::nullopt;
  // The indicators by name: their bit positions differ between keyboard maps.
  auto lit = [display](const char* name, bool* on) {
    const Atom atom = XInternAtom(display, name, True);
    Bool state = False;
    if (atom == None || !XkbGetNamedIndicator(display, atom, nullptr, &state, nullptr, nullptr)) return false;
    *on = state != False;
    return true;
  };
  LockKeyStates s;
  const bool caps = lit("Caps Lock", &s.caps);
  const bool num = lit("Num Lock", &s.num);
  const bool scroll = lit("Scroll Lock", &s.scroll);
  if (!caps && !num && !scroll) return std::nullopt;
  return s;
#else
  return std::nullopt;
#endif
}
