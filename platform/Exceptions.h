// The framework's exception classes. Every error the library raises derives
// from Exception, itself a std::runtime_error carrying the English message.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/Export.h"

namespace korvo {

class PLOTWELL_API Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// Assign between objects of unrelated classes.
class PLOTWELL_API EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A picture file that cannot be read or written.
class PLOTWELL_API EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// A font that cannot be found or loaded.
class PLOTWELL_API EFontError : public Exception {
 public:
  using Exception::Exception;
};

// A text that names no value of an enumeration, or a malformed value text.
class PLOTWELL_API EPropertyError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace korvo
