// The long-text table of a display list: texts of any length that text items
// show instead of their inline text.
#pragma once

#include <array>
#include <string>

#include "platform/Export.h"

namespace korvo {

// Fifty texts, numbered 1..50, all empty at first. A text item whose
// LineWidth field is n (1..50) shows entry n of the table of the list it
// belongs to; LineWidth 0 shows the item's inline text.
class PLOTWELL_API TLongTextArray {
 public:
  static constexpr int Count = 50;

  // Entry `index`; an index outside 1..Count gives an empty text, so a
  // renderer can never read beyond the table.
  const std::string& Text(int index) const {
    static const std::string empty;
    return index >= 1 && index <= Count ? texts_[index - 1] : empty;
  }
  // Stores entry `index`. An index outside 1..Count raises
  // EKorvoPlotwellError "Long text index 51 is out of range (1..50)".
  void SetText(int index, std::string text);
  // Empties every entry.
  void Clear();

  friend bool operator==(const TLongTextArray&, const TLongTextArray&) = default;

 private:
  std::array<std::string, Count> texts_;
};

}  // namespace korvo
