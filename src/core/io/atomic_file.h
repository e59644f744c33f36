// Writing a file so that it is either replaced whole or left as it was: the new contents go into a
// temporary file in the same folder, are flushed to disk and then renamed over the target.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kp53 {

enum class AtomicWrite {
  Ok,
  CannotCreate,  // no temporary file could be made in the folder (missing, not writable)
  CannotWrite,   // writing, flushing or renaming failed; the target is as it was
};

struct AtomicWriteResult {
  AtomicWrite status = AtomicWrite::Ok;
  int error = 0;  // errno of the failure
  bool ok() const { return status == AtomicWrite::Ok; }
};

// Writes the pieces one after the other as the new contents of `path`. A symbolic link is written
// through (the file it points at is replaced, the link stays); a replaced file keeps its
// permissions, a new one gets the usual ones for the user's umask.
AtomicWriteResult WriteFileAtomically(const std::string& path, std::initializer_list<std::string_view> pieces);

}  // namespace kp53
