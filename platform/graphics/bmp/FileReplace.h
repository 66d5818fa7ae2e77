// Writing a picture file so that it is never seen half-written: the bytes go
// to a new file beside the target (same folder, so the same file system),
// are flushed to the disk, and the new file then takes the target's name in
// one rename. On any failure the new file is removed and the target (if
// there was one) is as it was.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace korvo {

// Raises EInvalidGraphic "Cannot save '<path>': <what failed> (<system
// reason>)".
void ReplaceFile(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace korvo
