#include "platform/graphics/bmp/FileReplace.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/Exceptions.h"

namespace korvo {
namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& what, int error) {
  throw EInvalidGraphic("Cannot save '" + path + "': " + what + " (" + std::strerror(error) + ")");
}

// Removes the new file unless it has become the target.
class TNewFile {
 public:
  TNewFile(std::string name, int fd) : name_(std::move(name)), fd_(fd) {}
  ~TNewFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!kept_) ::unlink(name_.c_str());
  }
  TNewFile(const TNewFile&) = delete;
  TNewFile& operator=(const TNewFile&) = delete;
  int Fd() const { return fd_; }
  const std::string& Name() const { return name_; }
  // Closes the file; false (errno set) when the close reports a failed write.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  void Keep() { kept_ = true; }

 private:
  std::string name_;
  int fd_;
  bool kept_ = false;
};

}  // namespace

void ReplaceFile(const std::string& path, std::span<const uint8_t> bytes) {
  // A name no other writer uses: the process and a counter. Created with
  // O_EXCL and mode 0666, so the user's umask applies as for any new file.
  static std::atomic<uint64_t> counter{0};
  std::string name;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    name = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt == 100)) Fail(path, "cannot create a file beside it", errno);
  }
  TNewFile file(name, fd);
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(file.Fd(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(path, "cannot write the file", errno);
    }
    done += size_t(n);
  }
  if (::fsync(file.Fd()) != 0) Fail(path, "cannot write the file", errno);
  if (!file.Close()) Fail(path, "cannot write the file", errno);
  if (std::rename(file.Name().c_str(), path.c_str()) != 0) Fail(path, "cannot replace the file", errno);
  file.Keep();
}

}  // namespace korvo
