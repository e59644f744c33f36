// Which Configure, Common, Signaling, Radio, Channel and Help commands are enabled. One fixed set
// per signalling system; bit (command id - first id of the range) enables a command.
#pragma once

namespace kp53 {

struct MenuRange {
  int firstId;
  int lastId;
};

inline constexpr MenuRange kMenuRanges[] = {
    {32850, 32850},  // Configure
    {32772, 32781},  // Common
    {32783, 32795},  // Signaling
    {32820, 32822},  // Radio
    {32830, 32830},  // Channel
    {32840, 32842},  // Help
};
inline constexpr int kMenuRangeCount = 6;

struct MenuEnableSet {
  unsigned mask[kMenuRangeCount];
};

inline constexpr MenuEnableSet kTwoToneMenus{{0x1F, 0x3FF, 0x181F, 0x7, 0x1, 0x7}};
inline constexpr MenuEnableSet kFiveToneMenus{{0x1F, 0x3FF, 0x1FE1, 0x7, 0x1, 0x7}};

inline const MenuEnableSet& MenuSetFor(bool fiveTone) { return fiveTone ? kFiveToneMenus : kTwoToneMenus; }

// True when the set enables `commandId`; nullopt-like -1 when the command lies in no range.
inline int MenuEnabled(const MenuEnableSet& set, int commandId) {
  for (int r = 0; r < kMenuRangeCount; ++r) {
    const MenuRange& range = kMenuRanges[r];
    // The Configure range has one command; its mask's other bits name no command.
    if (commandId >= range.firstId && commandId <= range.lastId)
      return ((set.mask[r] >> (commandId - range.firstId)) & 1u) ? 1 : 0;
  }
  return -1;
}

}  // namespace kp53
