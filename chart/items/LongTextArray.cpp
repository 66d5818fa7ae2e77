#include "chart/items/LongTextArray.h"

#include <utility>

#include "base/korvobase.h"

namespace korvo {

void TLongTextArray::SetText(int index, std::string text) {
  if (index < 1 || index > Count) {
    throw EKorvoPlotwellError("Long text index " + std::to_string(index) + " is out of range (1..50)");
  }
  texts_[index - 1] = std::move(text);
}

void TLongTextArray::Clear() {
  for (std::string& t : texts_) t.clear();
}

}  // namespace korvo
