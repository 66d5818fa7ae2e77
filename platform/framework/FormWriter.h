// Writing form descriptions: the component tree under a root in the text
// format that FormReader.h reads.
//
// The root is written with the components it owns, nested as they are
// parented: components that are not controls at the root's level, controls
// inside their parent (in the parent's order of child controls). Controls
// owned by the root but without a parent, and components owned by others,
// are not written. Each object lists its published properties in
// registration order, two spaces deeper than its 'object' line, leaving out
// those its class does not store (defaults, Stored rules); sub-objects are
// written as dotted names, events as the name of the form method bound to
// them, references as the referenced component's name. Floating-point values
// are written with the fewest digits that read back to the same value.
#pragma once

#include <string>

#include "platform/Export.h"
#include "platform/framework/Component.h"
#include "platform/framework/Properties.h"

namespace korvo {

// The description of `root` and what it owns. Raises EPropertyError when a
// component's class is not registered.
PLOTWELL_API std::string WriteComponentText(const TComponent& root);

// A value as the description writes it ("clRed", "[fsBold]", "'It''s'").
PLOTWELL_API std::string FormatFormValue(const TFormValue& value);

// The text of one published property of `object`; `path` may be dotted.
// Raises EPropertyError for an unknown path or a property without a plain
// value.
PLOTWELL_API std::string GetPropertyText(const TObject& object, const std::string& path);

}  // namespace korvo
