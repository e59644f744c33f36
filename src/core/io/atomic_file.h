// Writing a file so that it is either replaced whole or left as it was: the new contents go into a
// temporary file in the same folder (an unnamed one where the file system has them, so that a
// process killed while writing leaves nothing behind), are flushed to disk and then put in place
// with one rename or link.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kp53 {

enum class AtomicWrite {
  Ok,
  CannotCreate,  // no temporary file could be made in the folder (missing, not writable)
  CannotWrite,   // writing, flushing or renaming failed; the target is as it was
  ReadOnly,      // the target exists and the user may not write it (see MayWrite)
  NotAFile,      // the target exists and is not a regular file (a folder, a device, a FIFO)
  Exists,        // Replace::Never and a file of that name exists
  IsInput,       // the target is one of the files the output is made from (same device and inode)
};

struct AtomicWriteResult {
  AtomicWrite status = AtomicWrite::Ok;
  int error = 0;  // errno of the failure
  bool ok() const { return status == AtomicWrite::Ok; }
};

enum class Replace {
  Allowed,  // an existing file is replaced
  Never,    // the file is created only when no file of that name exists at the moment it is put
            // in place; otherwise the result is Exists and nothing is changed
};

// Writes the pieces one after the other as the new contents of `path`. A symbolic link is written
// through, also a dangling one (the file it names is created, the link stays); a replaced file
// keeps its permissions, a new one gets the usual ones for the user's umask. A target that is one
// of `inputs` (under any name: links, other spellings) is never written.
AtomicWriteResult WriteFileAtomically(const std::string& path, std::initializer_list<std::string_view> pieces,
                                      Replace replace = Replace::Allowed, const std::vector<std::string>& inputs = {});

// Writes the pieces as a new file beside `path` under the first free name of "name-1.ext",
// "name-2.ext" and so on (never replacing anything); `written` receives the name used.
AtomicWriteResult WriteFileBeside(const std::string& path, std::initializer_list<std::string_view> pieces,
                                  std::string& written);

// False when `path` exists and the user may not write it: its owner-write bit is clear (which
// counts even for a user, such as root, whom the system would let write anyway) or the system
// refuses writing. True for a path that does not exist.
bool MayWrite(const std::string& path);

// The operating system's text for an errno value.
std::string ErrorText(int error);

// Why a write failed, in words: "the file is read-only", "not a regular file", "it is the file
// being read" or the system's text for the error.
std::string WriteFailureReason(const AtomicWriteResult& result);
// "cannot create PATH: reason" or "cannot write PATH: reason"; for Exists (Replace::Never and the
// name taken since the command began) the reason adds "(it appeared while the command ran; ...)".
std::string DescribeWriteFailure(const std::string& path, const AtomicWriteResult& result);

}  // namespace kp53
