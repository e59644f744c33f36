// Undo and redo of changes to the image by whole-image snapshots. The document captures its state
// (the image with the channel model stored into it, and DefaultSplit) before each change and
// hands it here when the change really altered something.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "image/radio_image.h"

namespace kp53 {

struct ImageSnapshot {
  RadioImage image{};
  double defaultSplit = 0.0;
  bool operator==(const ImageSnapshot&) const = default;
};

class UndoHistory {
 public:
  static constexpr std::size_t kLimit = 100;

  // Records the state before a change; the oldest step goes beyond the limit. Redo is dropped.
  // A change with the same non-empty `mergeKey` as the one before (typing in one field) joins it.
  void Push(const ImageSnapshot& before, const std::string& mergeKey = {});
  // The state to go back to; `current` becomes the step that Redo returns to.
  std::optional<ImageSnapshot> Undo(const ImageSnapshot& current);
  std::optional<ImageSnapshot> Redo(const ImageSnapshot& current);
  // A change that does not join the one before (another field, a command).
  void BreakMerge() { lastKey_.clear(); }
  void Clear();

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  std::size_t UndoCount() const { return undo_.size(); }

 private:
  std::deque<ImageSnapshot> undo_;
  std::deque<ImageSnapshot> redo_;
  std::string lastKey_;
};

}  // namespace kp53
