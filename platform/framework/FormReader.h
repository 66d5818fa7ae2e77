// Reading form descriptions: the text format that describes a tree of
// components and their published properties.
//
//   object MainForm: TMainForm
//     Left = 297
//     Caption = 'A ''quoted'' word'#13#10 +
//       'and a second line'
//     Color = clBtnFace
//     Font.Height = -16
//     Font.Style = [fsBold]
//     OnMouseMove = FormMouseMove
//     object Panel1: TPanel
//       BevelInner = bvLowered
//       object Chart1: TChart
//         RangeLow = -1.2
//       end
//     end
//   end
//
// Values: integers (decimal with an optional '-', or $hex), floating-point
// numbers (read exactly for the property's type; NaN, Inf and -Inf by name),
// strings in single quotes ('' for a quote, #nn for the character with code
// nn, parts joined directly or with + across lines), identifiers (True and
// False, enumeration values, colour and cursor names, method names for
// events, component names for references) and sets in [ ]. Names of
// properties, classes, values and methods are compared without regard to
// case.
//
// Reading creates every nested object through its class's registered factory
// with the root as owner; a control's parent is the enclosing object. All
// components read are in the loading state (csLoading) while their
// properties are set, in the order of the description, through the
// registered setters; events are bound to the root's registered methods,
// component references resolved once everything exists, the root's fields
// filled, and then Loaded is called on every component read, the root first,
// in the order of creation.
//
// Any fault — a syntax error, an unknown class or property, a value of the
// wrong kind, a value the setter refuses, a missing method or 'end' — raises
// EFormError naming the line, the component and the property; the
// components read so far are destroyed again, and an existing root is left
// out of the loading state.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Exceptions.h"
#include "platform/Export.h"
#include "platform/framework/Component.h"

namespace korvo {

// A form description that cannot be read. The message reads
// "line 12: Chart1: TChart.MouseActionX: unknown property".
class PLOTWELL_API EFormError : public Exception {
 public:
  // A detail is put after the reason in brackets: "line 1: C:
  // TPlotwell.Scale1X: Logarithmic axis must not be negative. (RangeLow -5,
  // RangeHigh 1)".
  EFormError(int line, std::string component, std::string property, std::string reason, std::string detail = {});
  int Line() const { return line_; }
  // The component's name (empty when the fault lies outside a component).
  const std::string& Component() const { return component_; }
  // "TChart.Font.Name": the class and the property path; empty when the
  // fault concerns no property.
  const std::string& Property() const { return property_; }
  const std::string& Reason() const { return reason_; }
  // What the property held, where the component said so (see TFaultPlace).
  const std::string& Detail() const { return detail_; }

 private:
  int line_;
  std::string component_;
  std::string property_;
  std::string reason_;
  std::string detail_;
};

// Where the fault lies that a component's Loaded raises, when it concerns
// one published property: its path ("Scale1X") and what it holds there.
// Loaded raises its own error with a place nested in it (ThrowAtPlace), so
// the error keeps its class and message for any other caller; the reader's
// EFormError then names the property and adds the detail.
struct TFaultPlace {
  std::string Property;
  std::string Detail;
};

template <class E>
[[noreturn]] void ThrowAtPlace(const E& error, TFaultPlace place) {
  try {
    throw std::move(place);
  } catch (...) {
    std::throw_with_nested(error);
  }
}

// Reads a description whose root object is `root` itself (an existing
// component of the root class, typically a form reading its own
// description in its constructor). When the root's owner already has a
// component of the root's name, the root is named Name_1 (Name_2, ...). A
// TForm root read with Visible = True is shown at the end.
PLOTWELL_API void ReadComponentText(std::string_view text, TComponent* root);

// Creates the root from its registered class, without owner, and reads the
// description into it.
PLOTWELL_API std::unique_ptr<TComponent> CreateComponentFromText(std::string_view text);

// Sets one published property from the text of a value as a description
// writes it ("clRed", "[fsBold]", "'text'", "-1.5"); `path` may be dotted
// ("Font.Name"). Events and component references cannot be set this way.
// Raises EPropertyError naming the property.
PLOTWELL_API void SetPropertyText(TObject& object, std::string_view path, std::string_view value);

}  // namespace korvo
