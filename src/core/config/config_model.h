// The whole configuration as the text form sees it: the image with its long-lived areas and one
// instance of every other area, loaded from the image and stored back into it.
#pragma once

#include "image/on_demand_areas.h"
#include "image/radio_data.h"

namespace kp53::config {

// The on-demand areas are the same set NormalizeImage uses.
struct ConfigModel : OnDemandAreas {
  RadioData data;
  // While the text enters a channel's fields the channel is in use (the grid edits only those);
  // its own state is kept here.
  int heldChannel = -1;
  int heldEnabled = 1;

  // Loads every area from `image` and `split` as opening a file does.
  void Load(const RadioImage& image, double split);
  // The areas kept beside the image, read from it again.
  void LoadAreas();
  // Those areas written into the image: the selected signalling system's areas only, since the
  // two systems share bits.
  void StoreAreas();
  // Runs a rule that works on the image: the areas go in first and are read back after.
  template <typename F>
  void WithImage(F f) {
    StoreAreas();
    f();
    LoadAreas();
  }
  // Stores every area, normalises the image and reads it back: the image a save would write.
  void Finish();
};

}  // namespace kp53::config
