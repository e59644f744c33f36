// The state of the keyboard's lock keys, for the CAPS, NUM and SCRL panes of the status bar.
#pragma once

#include <optional>

struct LockKeyStates {
  bool caps = false;
  bool num = false;
  bool scroll = false;
  bool operator==(const LockKeyStates&) const = default;
};

// The lock states as the X server's keyboard indicators show them; nothing where the platform
// does not tell (Wayland, the offscreen platform, a build without Xlib).
std::optional<LockKeyStates> ReadLockKeyStates();
