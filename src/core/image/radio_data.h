// The image together with the four areas that live as long as it does, and the image-wide
// operations on them.
#pragma once

#include "image/channel_table.h"
#include "image/long_lived_areas.h"
#include "image/radio_image.h"

namespace kp53 {

struct RadioData {
  RadioImage image{};
  // Offset that channel entry adds to a receive frequency to propose a transmit frequency (MHz).
  // Not radio memory: it travels after the image in the data file.
  double defaultSplit = 0.0;
  IdentityArea identity;
  SignalingSystemArea signaling;
  HardwareArea hardware;
  ChannelTable channels;
};

// Fills the image with the built-in defaults of every area and resets the long-lived areas.
void InitImage(RadioData& data);
// Loads the long-lived areas from the image: identity, signalling system, hardware, channels.
void ReloadAreas(RadioData& data);
// Rewrites the whole image from its areas: every bit that no area owns becomes zero, the regions
// of the signalling system that is not selected become zero, the derived channel bytes are
// recomputed and the checksum is stored.
void NormalizeImage(RadioData& data);

}  // namespace kp53
