// Where a picture's bytes come from: a buffer, or a file that is read only
// where the decoder asks, so that a loader holds no copy of the file.
// Private to platform/bmp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace korvo::bmp {

class TByteSource {
 public:
  virtual ~TByteSource() = default;
  virtual uint64_t Size() const = 0;
  // `count` bytes from `offset`, which the caller has checked lie inside
  // Size(): a pointer into the source, or into `scratch` (at least `count`
  // bytes) after reading them there. A file that can no longer give them
  // raises EInvalidGraphic.
  virtual const uint8_t* Read(uint64_t offset, size_t count, uint8_t* scratch) = 0;
};

class TMemorySource final : public TByteSource {
 public:
  explicit TMemorySource(std::span<const uint8_t> data) : data_(data) {}
  uint64_t Size() const override { return data_.size(); }
  const uint8_t* Read(uint64_t offset, size_t, uint8_t*) override { return data_.data() + offset; }

 private:
  std::span<const uint8_t> data_;
};

// An open picture file. Opening refuses, with EInvalidGraphic naming the
// path and why, whatever is not a regular file (a directory, a device such
// as /dev/zero, a fifo or a socket) before a byte is read, and never waits
// for a fifo's writer. The size is the file's size when it was opened.
class TFileSource final : public TByteSource {
 public:
  explicit TFileSource(const std::string& path);
  ~TFileSource() override;
  TFileSource(const TFileSource&) = delete;
  TFileSource& operator=(const TFileSource&) = delete;
  uint64_t Size() const override { return size_; }
  const uint8_t* Read(uint64_t offset, size_t count, uint8_t* scratch) override;
  // The open file as a stdio stream at its start, for libpng; the source
  // gives up the descriptor to it and must not be read from afterwards.
  std::FILE* ReleaseAsStream();

 private:
  int fd_ = -1;
  uint64_t size_ = 0;
};

// "Cannot load '<path>': <fault>", the path quoted in full up to a bounded
// length so that a huge name cannot make a huge message.
std::string CannotLoad(const std::string& path, const std::string& fault);

}  // namespace korvo::bmp
