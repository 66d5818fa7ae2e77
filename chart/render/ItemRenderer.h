// The renderer of chart items: draws one TpwChartItem at a time onto a canvas
// and keeps the state of one render pass.
// PENDING: the item renderer is being written; this is its placeholder.
#pragma once

namespace korvo {

class TItemRenderer {};

}  // namespace korvo
