// Data sharing: charts that show one chart's data list.
//
// A group is one root (a chart without UseDataOf) and at most MaxSharers
// members, each of which has the root as UseDataOf and stands in the root's
// share list in joining order. All charts of a group hold the same data
// list (one shared TPwDataList), so an item added or a ClearGraph made
// through any of them is seen by all at once. Nothing else is shared.
#include <algorithm>
#include <string>

#include "chart/CustomPlotwell.h"
#include "platform/framework/Application.h"

namespace korvo {
namespace {

// A refused change of UseDataOf: the user is told, nothing changes.
void Refuse(const char* text) { Application()->MessageBox(text, Application()->Title(), MB_OK | MB_ICONINFORMATION); }

}  // namespace

void TCustomPlotwell::SetUseDataOf(TCustomPlotwell* chart) {
  if (chart == this) {
    Refuse("Plotwell: Cannot share data with myself");
    return;
  }
  if (!sharers_.empty()) {
    Refuse("Plotwell: Cannot use foreign data. Other Plotwells are using my own data.");
    return;
  }
  if (chart == use_data_of_) return;
  if (chart == nullptr) {
    use_data_of_->RemoveSharer(this);
    use_data_of_ = nullptr;
    MakeDataListPrivate();  // keeps the items it showed
    RedrawSharer(this);
    return;
  }
  // Groups are one level deep: joining a member joins its root.
  TCustomPlotwell* root = chart->use_data_of_ != nullptr ? chart->use_data_of_ : chart;
  if (root == use_data_of_) return;  // already a member of that group
  if (int(root->sharers_.size()) >= MaxSharers) {
    Refuse("Plotwell: Max. number of data shares exceeded");
    return;
  }
  if (use_data_of_ != nullptr) use_data_of_->RemoveSharer(this);
  use_data_of_ = root;
  ShareDataList(*root);
  root->sharers_.push_back(this);
  RedrawSharer(this);
}

TCustomPlotwell* TCustomPlotwell::Sharer(int index) const {
  return index >= 0 && index < ShareCount() ? sharers_[size_t(index)] : nullptr;
}

// The group's charts hold one list, so there is nothing to copy: this makes
// sure that every chart of the group refers to the root's list.
void TCustomPlotwell::PropagateItems() {
  TCustomPlotwell* root = use_data_of_ != nullptr ? use_data_of_ : this;
  for (TCustomPlotwell* member : root->sharers_) {
    if (!member->SharesDataListWith(*root)) member->ShareDataList(*root);
  }
}

void TCustomPlotwell::RedrawSharer(TCustomPlotwell* chart) {
  if (chart != nullptr) chart->RepaintIfAutomatic();
}

void TCustomPlotwell::RemoveSharer(TCustomPlotwell* chart) {
  const auto it = std::find(sharers_.begin(), sharers_.end(), chart);
  if (it != sharers_.end()) sharers_.erase(it);  // the ones behind move up, in order
}

// A chart that goes leaves no reference to itself behind: a member leaves
// its root's list; a root's members become free charts, each keeping a copy
// of the items it showed.
void TCustomPlotwell::LeaveSharingGroup() {
  if (use_data_of_ != nullptr) {
    use_data_of_->RemoveSharer(this);
    use_data_of_ = nullptr;
  }
  for (TCustomPlotwell* member : sharers_) {
    member->use_data_of_ = nullptr;
    member->MakeDataListPrivate();
  }
  sharers_.clear();
}

}  // namespace korvo
