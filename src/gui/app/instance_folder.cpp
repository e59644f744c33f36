#include "app/instance_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

std::string PrivateFolderProblem(const std::string& dir) {
  if (dir.empty()) return "not set";
  struct stat st {};
  if (::lstat(dir.c_str(), &st) != 0) return errno == ENOENT ? "missing" : std::string("unusable: ") + std::strerror(errno);
  if (S_ISLNK(st.st_mode)) return "a symbolic link";
  if (!S_ISDIR(st.st_mode)) return "not a folder";
  if (st.st_uid != ::getuid()) return "owned by another user";
  if ((st.st_mode & 077) != 0) return "open to other users";
  return {};
}

InstanceFolder FindInstanceFolder(const std::string& runtimeDir, const std::string& cacheDir) {
  InstanceFolder out;
  const std::string runtime = runtimeDir.empty() ? "/run/user/" + std::to_string(::getuid()) : runtimeDir;
  const std::string why = PrivateFolderProblem(runtime);
  if (why.empty()) {
    out.path = runtime;
    return out;
  }
  out.notice = "the runtime folder " + runtime + " is " + why;
  if (cacheDir.empty()) {
    out.notice += ", and there is no cache folder";
    return out;
  }
  const std::string fallback = cacheDir + "/kp53win";
  ::mkdir(cacheDir.c_str(), 0700);
  ::mkdir(fallback.c_str(), 0700);
  const std::string fallbackWhy = PrivateFolderProblem(fallback);
  if (fallbackWhy.empty()) {
    out.path = fallback;
    out.notice += "; using " + fallback;
  } else {
    out.notice += ", and " + fallback + " is " + fallbackWhy;
  }
  return out;
}

InstanceFolder FindInstanceFolder() {
  const auto env = [](const char* name) {
    const char* v = std::getenv(name);
    return std::string(v ? v : "");
  };
  std::string cache = env("XDG_CACHE_HOME");
  if (cache.empty() && !env("HOME").empty()) cache = env("HOME") + "/.cache";
  return FindInstanceFolder(env("XDG_RUNTIME_DIR"), cache);
}
