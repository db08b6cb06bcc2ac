// Domain files on disk: where they live, reading one whole, and replacing one
// atomically under a lock so concurrent writers in other processes lose no keys.
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>  // renameat2, RENAME_NOREPLACE
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/user_defaults_internal.h"

namespace vlx::defaults_internal {
namespace {

using json = nlohmann::json;

std::string homeDirectory() {
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/') return pw->pw_dir;
  return "/tmp";
}

// mkdir -p with private permissions for the parts it creates.
bool makeDirectories(const std::string& path) {
  if (path.empty()) return false;
  for (size_t pos = 1; pos <= path.size(); ++pos) {
    if (pos != path.size() && path[pos] != '/') continue;
    const std::string prefix = path.substr(0, pos);
    if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string directoryOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

// Closes a descriptor when leaving scope.
struct Fd {
  int fd = -1;
  explicit Fd(int f) : fd(f) {}
  ~Fd() {
    if (fd >= 0) close(fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
};

bool writeAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// Writes `text` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so a reader sees either the old or the new domain.
bool replaceFileAtomically(const std::string& path, const std::string& text) {
  const std::string dir = directoryOf(path);
  std::string tmpl = dir + "/." + path.substr(dir.size() + 1) + ".tmp-XXXXXX";
  const int fd = mkstemp(tmpl.data());
  if (fd < 0) return false;
  bool ok;
  {
    Fd guard(fd);
    ok = writeAll(fd, text) && fsync(fd) == 0;
  }
  if (ok) ok = rename(tmpl.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(tmpl.c_str());
    return false;
  }
  // Make the rename itself durable.
  const int dirFd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
  return true;
}

// Renames an unparsable domain file to "<file>.corrupt-<timestamp>[-n]" so
// that what the user had is kept when the domain is written anew.
bool setAside(const std::string& path) {
  char stamp[32];
  const std::time_t now = std::time(nullptr);
  std::tm tm {};
  gmtime_r(&now, &tm);
  std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &tm);
  const std::string base = path + ".corrupt-" + stamp;
  for (int n = 0; n < 1000; ++n) {
    const std::string target = n == 0 ? base : base + "-" + std::to_string(n);
    // Never replace an earlier copy: rename without replacing where the file
    // system offers it, else link() (which fails on an existing name) and unlink.
    if (renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno == EEXIST) continue;
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (link(path.c_str(), target.c_str()) == 0) return unlink(path.c_str()) == 0;
    if (errno != EEXIST) return false;
  }
  return false;
}

// Holds an exclusive flock on "<domain file>.lock" while alive.
class DomainLock {
 public:
  explicit DomainLock(const std::string& path) {
    fd_ = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) return;
    while (flock(fd_, LOCK_EX) != 0) {
      if (errno != EINTR) {
        close(fd_);
        fd_ = -1;
        return;
      }
    }
  }
  ~DomainLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
  }
  DomainLock(const DomainLock&) = delete;
  DomainLock& operator=(const DomainLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace

std::string defaultsDirectory() {
  // A relative XDG_CONFIG_HOME is invalid and ignored.
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string config = (xdg && xdg[0] == '/') ? std::string(xdg) : homeDirectory() + "/.config";
  return config + "/vellix/defaults";
}

bool isValidDomainName(std::string_view name) {
  return !name.empty() && name.size() <= 200 && name.front() != '.' &&
         name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

std::optional<std::string> domainFilePath(std::string_view name) {
  if (!isValidDomainName(name)) return std::nullopt;
  return defaultsDirectory() + "/" + std::string(name) + ".json";
}

DomainRead readDomainFile(const std::string& path) {
  DomainRead result;
  // O_NONBLOCK: a FIFO in the file's place must not hang the reader.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    result.status = errno == ENOENT ? ReadStatus::missing : ReadStatus::unreadable;
    return result;
  }
  Fd guard(fd);
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    result.status = ReadStatus::unreadable;
    return result;
  }
  // Read at most one byte past the limit: enough to know the file is too large.
  std::string text;
  char buffer[16384];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      result.status = ReadStatus::unreadable;
      return result;
    }
    if (n == 0) break;
    text.append(buffer, static_cast<size_t>(n));
    if (text.size() > kMaxDomainFileSize) break;
  }
  auto object = parseDomainJson(text);
  if (!object) {
    result.status = ReadStatus::corrupt;
    return result;
  }
  result.status = ReadStatus::ok;
  result.object = std::move(*object);
  return result;
}

bool modifyDomain(std::string_view name, const std::function<bool(json&)>& modify) {
  const auto path = domainFilePath(name);
  if (!path || !makeDirectories(directoryOf(*path))) return false;
  DomainLock lock(*path);
  if (!lock.held()) return false;
  try {
    DomainRead current = readDomainFile(*path);
    switch (current.status) {
      case ReadStatus::ok:
        break;
      case ReadStatus::missing:
        current.object = json::object();
        break;
      case ReadStatus::corrupt:
        if (!setAside(*path)) return false;
        current.object = json::object();
        break;
      case ReadStatus::unreadable:
        // Replacing a file we could not read would destroy it.
        return false;
    }
    if (!modify(current.object)) return true;
    return replaceFileAtomically(*path, serializeDomain(current.object));
  } catch (...) {  // allocation failure
    return false;
  }
}

bool removeDomainFile(std::string_view name) {
  const auto path = domainFilePath(name);
  if (!path) return false;
  struct stat st {};
  if (stat(path->c_str(), &st) != 0) return errno == ENOENT;
  DomainLock lock(*path);
  if (!lock.held()) return false;
  return unlink(path->c_str()) == 0 || errno == ENOENT;
}

}  // namespace vlx::defaults_internal
