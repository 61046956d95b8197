#include "wholefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "engine/text.h"

namespace automaten {

bool WritableTarget(const std::string& path, std::string& reason) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return true;
    reason = SystemReason(errno);
    return false;
  }
  if (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)) return true;
  reason = S_ISDIR(info.st_mode) ? "ein Ordner" : "keine gewöhnliche Datei (eine Pipe oder ein Gerät)";
  return false;
}

bool WriteWhole(const std::string& path, const std::string& bytes, std::string& reason) {
  if (!WritableTarget(path, reason)) return false;
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  std::string name = folder + "/.automaten-XXXXXX";
  std::vector<char> buffer(name.begin(), name.end());
  buffer.push_back('\0');
  const int fd = ::mkstemp(buffer.data());
  if (fd < 0) {
    reason = SystemReason(errno);
    return false;
  }
  name = buffer.data();
  const auto fail = [&](int error) {
    reason = SystemReason(error);
    ::close(fd);
    ::unlink(name.c_str());
    return false;
  };
  // The permissions of the file replaced, or those a new file gets.
  struct stat old {};
  mode_t mode;
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  if (::fchmod(fd, mode) != 0) return fail(errno);
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(errno);
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(name.c_str());
    reason = SystemReason(error);
    return false;
  }
  if (::rename(name.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(name.c_str());
    reason = SystemReason(error);
    return false;
  }
  return true;
}

}  // namespace automaten
