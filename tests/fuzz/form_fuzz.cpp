// Form descriptions. Contract: reading either succeeds or raises EFormError
// (no other exception escapes, and a failed read leaks nothing: the leak
// checker sees every input); what was read paints headless; what it writes
// reads back, and writing that again gives the same text
// (write(read(write(x))) == write(x)).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "chart/plotwell.h"
#include "fuzz/FuzzInput.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/FormWriter.h"
#include "platform/framework/StdCtrls.h"
#include "scale/Scale.h"

namespace korvo::fuzz {
namespace {

// Charts larger than this are read and written but not painted, so that one
// input stays well under a second.
constexpr int64_t kPaintedPixels = 1 << 20;

void PaintCharts(TComponent& c) {
  if (auto* chart = dynamic_cast<TPlotwell*>(&c)) {
    if (int64_t(chart->Width()) * chart->Height() <= kPaintedPixels) {
      chart->HandleNeeded();
      chart->Repaint();
      chart->ShowGraph();
    }
  }
  for (int i = 0; i < c.ComponentCount(); ++i) PaintCharts(*c.Components(i));
}

std::unique_ptr<TComponent> Read(std::string_view text, bool mustSucceed) {
  try {
    return CreateComponentFromText(text);
  } catch (const EFormError&) {
    if (mustSucceed) Broken("a written description does not read back");
  } catch (...) {
    Broken("the reader raised something other than EFormError");
  }
  return nullptr;
}

}  // namespace

// The first line where two texts part, with its neighbours.
void ReportFirstDifference(const std::string& a, const std::string& b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  const size_t from = a.rfind('\n', i == 0 ? 0 : i - 1);
  const size_t start = from == std::string::npos ? 0 : from + 1;
  std::fprintf(stderr, "first write:  ...%.160s\nsecond write: ...%.160s\n", a.c_str() + start, b.c_str() + start);
}

}  // namespace korvo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvo;
  static const bool registered = (RegisterClasses<TPlotwell, TScale, TForm, TPanel, TBevel, TButton>(), true);
  (void)registered;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<TComponent> root = fuzz::Read(text, false);
  if (!root) return 0;
  try {
    fuzz::PaintCharts(*root);
  } catch (const Exception&) {
    // A chart may refuse to paint a setting (a logarithmic axis over
    // negative values) with the library's error.
  } catch (...) {
    fuzz::Broken("painting raised something other than the library's Exception");
  }
  const std::string first = WriteComponentText(*root);
  root.reset();
  std::unique_ptr<TComponent> again = fuzz::Read(first, true);
  const std::string second = WriteComponentText(*again);
  if (second != first) {
    fuzz::ReportFirstDifference(first, second);
    fuzz::Broken("write(read(write(x))) differs from write(x)");
  }
  return 0;
}
