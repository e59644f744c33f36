#include "document/undo_history.h"

namespace kp53 {

void UndoHistory::Push(const ImageSnapshot& before, const std::string& mergeKey) {
  redo_.clear();
  if (!mergeKey.empty() && mergeKey == lastKey_ && !undo_.empty()) return;
  lastKey_ = mergeKey;
  undo_.push_back(before);
  if (undo_.size() > kLimit) undo_.pop_front();
}

std::optional<ImageSnapshot> UndoHistory::Undo(const ImageSnapshot& current) {
  lastKey_.clear();
  if (undo_.empty()) return std::nullopt;
  ImageSnapshot s = undo_.back();
  undo_.pop_back();
  redo_.push_back(current);
  return s;
}

std::optional<ImageSnapshot> UndoHistory::Redo(const ImageSnapshot& current) {
  lastKey_.clear();
  if (redo_.empty()) return std::nullopt;
  ImageSnapshot s = redo_.back();
  redo_.pop_back();
  undo_.push_back(current);
  return s;
}

void UndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
  lastKey_.clear();
}

}  // namespace kp53
