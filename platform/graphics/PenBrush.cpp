#include "platform/graphics/Brush.h"
#include "platform/graphics/Pen.h"

namespace korvo {

void TPen::Assign(const TPersistent& source) {
  if (auto* p = dynamic_cast<const TPen*>(&source)) {
    color_ = p->color_;
    style_ = p->style_;
    width_ = p->width_;
    mode_ = p->mode_;
    stamp_ink_ = p->stamp_ink_;
    return;
  }
  TPersistent::Assign(source);
}

void TBrush::Assign(const TPersistent& source) {
  if (auto* b = dynamic_cast<const TBrush*>(&source)) {
    color_ = b->color_;
    style_ = b->style_;
    stamp_ink_ = b->stamp_ink_;
    return;
  }
  TPersistent::Assign(source);
}

}  // namespace korvo
