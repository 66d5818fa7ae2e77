#include "platform/framework/Menus.h"

#include "platform/framework/Properties.h"

namespace korvo {

const TClassInfo& TPopupMenu::ClassInfo() {
  static const TClassInfo& info = DefineClass<TPopupMenu, TComponent>("TPopupMenu").Register();
  return info;
}

}  // namespace korvo
