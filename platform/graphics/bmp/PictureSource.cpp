#include "platform/graphics/bmp/PictureSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Exceptions.h"
#include "platform/Quote.h"

namespace korvo::bmp {
namespace {

// Paths are quoted whole up to this length: any real path fits, and a
// megabyte name still gives a one-line message.
constexpr size_t MaxQuotedPath = 4096;

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISFIFO(mode)) return "a fifo";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a plain file";
}

}  // namespace

std::string CannotLoad(const std::string& path, const std::string& fault) {
  std::string quoted = path.size() <= MaxQuotedPath ? "'" + path + "'" : Quoted(path);
  return "Cannot load " + quoted + ": " + fault;
}

TFileSource::TFileSource(const std::string& path) {
  // O_NONBLOCK: opening a fifo for reading would otherwise wait for a
  // writer. It changes nothing for the regular files that are kept.
  errno = 0;
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) throw EInvalidGraphic(CannotLoad(path, std::string("cannot open the file (") + std::strerror(errno) + ")"));
  struct stat st {};
  if (::fstat(fd_, &st) != 0) {
    const int err = errno;
    ::close(fd_);
    throw EInvalidGraphic(CannotLoad(path, std::string("cannot read the file (") + std::strerror(err) + ")"));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd_);
    throw EInvalidGraphic(CannotLoad(path, std::string("not a regular file (") + KindOf(st.st_mode) + ")"));
  }
  size_ = uint64_t(st.st_size);
}

TFileSource::~TFileSource() {
  if (fd_ >= 0) ::close(fd_);
}

const uint8_t* TFileSource::Read(uint64_t offset, size_t count, uint8_t* scratch) {
  size_t done = 0;
  while (done < count) {
    const ssize_t got = ::pread(fd_, scratch + done, count - done, off_t(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw EInvalidGraphic(std::string("cannot read the file (") + std::strerror(errno) + ")");
    if (got == 0) throw EInvalidGraphic("the file became shorter while it was read");
    done += size_t(got);
  }
  return scratch;
}

std::FILE* TFileSource::ReleaseAsStream() {
  const int flags = ::fcntl(fd_, F_GETFL);
  if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
  std::FILE* stream = ::fdopen(fd_, "rb");
  if (stream != nullptr) fd_ = -1;
  return stream;
}

}  // namespace korvo::bmp
