// The base group shared by the scale and the chart: errors, enumerations with
// their value names, event signatures, mark glyphs and frames.
#pragma once

#include "base/BaseEnums.h"
#include "base/ChartEnums.h"
#include "base/CrossHair.h"
#include "base/DTLabel.h"
#include "base/EventTypes.h"
#include "base/Frames.h"
#include "base/Marks.h"
#include "base/ScaleEnums.h"
#include "base/TextLabel.h"
#include "platform/Exceptions.h"
#include "platform/Export.h"

namespace korvo {

// The library's error classes; messages are the system's own English texts.
class PLOTWELL_API EKorvoError : public Exception {
 public:
  using Exception::Exception;
};

class PLOTWELL_API EKorvoPlotwellError : public EKorvoError {
 public:
  using EKorvoError::EKorvoError;
};

}  // namespace korvo
