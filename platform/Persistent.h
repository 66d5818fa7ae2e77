// The root of the framework's classes and the streamable object with Assign.
#pragma once

#include <string>

#include "platform/Export.h"

namespace korvo {

class PLOTWELL_API TObject {
 public:
  virtual ~TObject() = default;
  // The class name as the form description writes it ("TPlotwell").
  virtual const char* ClassName() const { return "TObject"; }
};

// An object whose values can be copied from another object. Assign asks the
// source to copy itself (AssignTo); when neither side knows the other, the
// framework's assignment error is raised: "Cannot assign a TSource to a TDest".
class PLOTWELL_API TPersistent : public TObject {
 public:
  const char* ClassName() const override { return "TPersistent"; }
  virtual void Assign(const TPersistent& source);

 protected:
  virtual void AssignTo(TPersistent& dest) const;
  [[noreturn]] void AssignError(const TPersistent* source) const;
};

}  // namespace korvo
