// Menus: the popup menu a control names in its PopupMenu property.
#pragma once

#include "platform/Export.h"
#include "platform/framework/Component.h"

namespace korvo {

class TClassInfo;

// A popup menu as a component of a form. It holds no items and shows
// nothing: it exists so that a control's PopupMenu can name it in a form
// description and keep the reference while the menu lives.
class PLOTWELL_API TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}
  const char* ClassName() const override { return "TPopupMenu"; }
  static const TClassInfo& ClassInfo();
};

}  // namespace korvo
