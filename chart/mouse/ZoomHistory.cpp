// Stepping through the zoom history. The ring's slot ZoomHistoryIndex - 1
// holds the current state; the states older than it run backwards from
// there, the states ahead of it (left by ZoomBack) forwards. Stepping moves
// ZoomHistoryIndex with the current state, so that the next push writes
// right after it and overwrites the first state ahead; the push drops the
// others (ZoomHistoryPushed zeroes them).
//
// A slot that was never written (or was dropped) is all zero; a written one
// never is, since no axis range has equal bounds.
#include "chart/mouse/ChartMouse.h"

namespace korvo {
namespace {

constexpr int Slots = TCustomPlotwell::ZoomHistorySlots;

// Slot numbers run 1..16 around the ring.
int Wrap(int slot) { return ((slot - 1) % Slots + Slots) % Slots + 1; }

// Reads the ring around the current state.
class TZoomSteps {
 public:
  explicit TZoomSteps(const TCustomPlotwell& c) : c_(c) {}

  int Current() const { return Wrap(c_.ZoomHistoryIndex() - 1); }
  bool Written(int slot) const { return !(c_.ZoomHistory(1, slot) == TZoomHistoryEntry{}); }
  // Whether the slot holds the present ranges of every layer.
  bool IsPresent(int slot) const {
    for (int L = 1; L <= TCustomPlotwell::LayerCount; ++L) {
      const TZoomHistoryEntry& e = c_.ZoomHistory(L, slot);
      const TScaleProps& x = *c_.XProps(L);
      const TScaleProps& y = *c_.YProps(L);
      if (e.XLow != x.RangeLow() || e.XHigh != x.RangeHigh() || e.YLow != y.RangeLow() || e.YHigh != y.RangeHigh()) {
        return false;
      }
    }
    return true;
  }
  // The states ahead, valid while the index is where the last step left it.
  int Ahead(const TChartMouse::TState& m) const {
    return m.ZoomForward > 0 && m.ZoomForwardIndex == c_.ZoomHistoryIndex() ? m.ZoomForward : 0;
  }
  // The nearest slot k = 1, 2, ... steps back (dir -1) or ahead (dir +1)
  // that was written and differs from the present ranges, within `limit`
  // steps; 0 when there is none. `steps` gets k.
  int Find(int dir, int limit, int& steps) const {
    const int cur = Current();
    for (int k = 1; k <= limit; ++k) {
      const int s = Wrap(cur + dir * k);
      if (!Written(s)) return 0;
      if (!IsPresent(s)) {
        steps = k;
        return s;
      }
    }
    return 0;
  }

 private:
  const TCustomPlotwell& c_;
};

// Gives every layer the ranges of one slot, as stored: no limits, no
// joined-layer propagation, no new history; one repaint at the end.
void ApplySlot(TCustomPlotwell& c, int slot) {
  TChartMouse::EndBurst(c);
  TChartMouse::TFrame frame(c);
  TChartMouse::TSuspend suspended(c, frame);
  for (int L = 1; L <= TCustomPlotwell::LayerCount; ++L) {
    const TZoomHistoryEntry e = c.ZoomHistory(L, slot);
    c.ApplyLayerRange(L, false, e.XLow, e.YLow, e.XHigh, e.YHigh, false);
  }
  suspended.Finish();
}

}  // namespace

bool TCustomPlotwell::CanZoomBack() const {
  if (IsLoading()) return false;
  const TZoomSteps z(*this);
  if (!z.Written(z.Current())) return false;
  if (!z.IsPresent(z.Current())) return true;
  int steps = 0;
  return z.Find(-1, Slots - 1 - z.Ahead(mouse_), steps) != 0;
}

bool TCustomPlotwell::CanZoomForward() const {
  if (IsLoading()) return false;
  const TZoomSteps z(*this);
  int steps = 0;
  return z.Find(+1, z.Ahead(mouse_), steps) != 0;
}

bool TCustomPlotwell::ZoomBack() {
  if (!CanZoomBack()) return false;
  const TZoomSteps z(*this);
  // Present ranges that were never recorded become the state to come back to.
  if (!z.IsPresent(z.Current())) PushZoomHistory();
  int steps = 0;
  const int ahead = z.Ahead(mouse_);
  const int slot = z.Find(-1, Slots - 1 - ahead, steps);
  if (slot == 0) return false;
  ApplySlot(*this, slot);
  zoom_history_index_ = Wrap(slot + 1);
  mouse_.ZoomForward = ahead + steps;
  mouse_.ZoomForwardIndex = zoom_history_index_;
  return true;
}

bool TCustomPlotwell::ZoomForward() {
  if (IsLoading()) return false;
  const TZoomSteps z(*this);
  int steps = 0;
  const int ahead = z.Ahead(mouse_);
  const int slot = z.Find(+1, ahead, steps);
  if (slot == 0) return false;
  ApplySlot(*this, slot);
  zoom_history_index_ = Wrap(slot + 1);
  mouse_.ZoomForward = ahead - steps;
  mouse_.ZoomForwardIndex = zoom_history_index_;
  return true;
}

// The oldest state within reach: back from the current one over written
// slots, as far as the states ahead leave room.
bool TCustomPlotwell::ZoomHome() {
  if (!CanZoomBack()) return false;
  const TZoomSteps z(*this);
  if (!z.IsPresent(z.Current())) PushZoomHistory();
  const int ahead = z.Ahead(mouse_);
  int slot = 0, steps = 0;
  for (int k = 1; k <= Slots - 1 - ahead && z.Written(Wrap(z.Current() - k)); ++k) {
    slot = Wrap(z.Current() - k);
    steps = k;
  }
  if (slot == 0 || z.IsPresent(slot)) return false;
  ApplySlot(*this, slot);
  zoom_history_index_ = Wrap(slot + 1);
  mouse_.ZoomForward = ahead + steps;
  mouse_.ZoomForwardIndex = zoom_history_index_;
  return true;
}

bool TChartMouse::HistoryHoldsPresent(const TCustomPlotwell& c) {
  const TZoomSteps z(c);
  return z.Written(z.Current()) && z.IsPresent(z.Current());
}

// Replacing steps the index back over the latest state so that the push
// writes there again (a push that will be dropped leaves the index alone).
void TChartMouse::RecordState(TCustomPlotwell& c, bool replace) {
  if (replace && !c.IsLoading() && !c.ZoomHistoryHeld()) c.zoom_history_index_ = Wrap(c.zoom_history_index_ - 1);
  c.PushZoomHistory();
}

// Runs after every push (the index already advanced): the push wrote the
// first state ahead of the current one; the rest are dropped. A burst of
// navigation steps ends with any push but its own (which starts it again).
void TCustomPlotwell::ZoomHistoryPushed() {
  TChartMouse::EndBurst(*this);
  const int ahead = mouse_.ZoomForward > 0 && mouse_.ZoomForwardIndex == Wrap(zoom_history_index_ - 1)
                        ? mouse_.ZoomForward
                        : 0;
  for (int k = 0; k < ahead - 1; ++k) {
    const size_t slot = size_t(Wrap(zoom_history_index_ + k) - 1);
    for (auto& layer : zoom_history_) layer[slot] = TZoomHistoryEntry{};
  }
  mouse_.ZoomForward = 0;
}

}  // namespace korvo
