// Where the single-instance lock and socket live: a folder that only this user can reach. A
// folder that another user made, a symbolic link, or one that others may enter would let them
// take the lock first (and so keep the program from starting) or listen in their place.
#pragma once

#include <string>

struct InstanceFolder {
  std::string path;  // empty: no private folder was found; the check cannot be made
  // For the user: which folder was refused and why; empty when the first choice served.
  std::string notice;
};

// Empty when `dir` is a real folder (not a symbolic link) owned by this user with no access for
// group and others; otherwise why not.
std::string PrivateFolderProblem(const std::string& dir);

// The session's runtime folder `runtimeDir` ($XDG_RUNTIME_DIR; when that is empty, the standard
// /run/user/<uid>), else `cacheDir` + "/kp53win", made private when it is missing.
InstanceFolder FindInstanceFolder(const std::string& runtimeDir, const std::string& cacheDir);

// The same from the environment: $XDG_RUNTIME_DIR or /run/user/<uid>, and $XDG_CACHE_HOME or
// $HOME/.cache.
InstanceFolder FindInstanceFolder();
