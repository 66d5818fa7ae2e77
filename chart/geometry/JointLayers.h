// The coupling of chart layers: an axis of one layer can follow the same
// axis of another layer, so that panning or zooming the one moves the other.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "platform/Export.h"
#include "platform/Persistent.h"

namespace korvo {

class TClassInfo;
class TCustomPlotwell;

// For each layer L (1..16) the layer that controls its x axis and the one
// that controls its y axis; a layer that controls itself is free. Every layer
// controls itself at first. Coupling is one level deep: a layer that follows
// another cannot be followed, and a layer that is followed cannot follow.
//
// Published as L01xControlledBy, L01yControlledBy, ... L16yControlledBy.
class PLOTWELL_API TJointLayers : public TPersistent {
 public:
  // `owner` is the chart whose ranges a new coupling applies; nullptr for an
  // object that only holds values (to be assigned to a chart).
  explicit TJointLayers(TCustomPlotwell* owner = nullptr);
  TJointLayers(const TJointLayers&) = delete;
  TJointLayers& operator=(const TJointLayers&) = delete;
  const char* ClassName() const override { return "TJointLayers"; }
  static const TClassInfo& ClassInfo();

  // From another TJointLayers: copies both arrays, without applying ranges
  // or firing OnChange. The owner and OnChange stay this object's own.
  void Assign(const TPersistent& source) override;

  TCustomPlotwell* Owner() const { return owner_; }

  // The layer controlling layer `layer`'s x (y) axis. A layer number outside
  // 1..16 raises EKorvoPlotwellError.
  int32_t XControlledBy(int layer) const;
  int32_t YControlledBy(int layer) const;
  // Makes layer `layer`'s x axis follow layer `dest`'s x axis:
  //  - dest outside 1..16: EKorvoPlotwellError "Destination layer 17 is out
  //    of range";
  //  - dest = layer: the layer is free again; no range changes, no OnChange;
  //  - dest follows another layer itself: "Destination layer 2 is already
  //    joined";
  //  - other layers follow `layer`: "Layer 2 is joined by other layers
  //    (3, 5)", listing them in ascending order;
  //  - otherwise dest is stored, the owner's layer gets dest's x range (its
  //    y range stays), without history and limits, and OnChange fires.
  // An error leaves everything as it was.
  void SetXControlledBy(int layer, int32_t dest);
  // The same for the y axis (the layer gets dest's y range; its x range
  // stays).
  void SetYControlledBy(int layer, int32_t dest);

  // The published accessors, one pair per layer (L01xControlledBy is
  // LxControlledBy<1>).
  template <int L>
  int32_t LxControlledBy() const { return x_[L - 1]; }
  template <int L>
  void SetLxControlledBy(int32_t dest) { SetXControlledBy(L, dest); }
  template <int L>
  int32_t LyControlledBy() const { return y_[L - 1]; }
  template <int L>
  void SetLyControlledBy(int32_t dest) { SetYControlledBy(L, dest); }

  std::function<void(TObject* Sender)> OnChange;

 protected:
  void AssignTo(TPersistent& dest) const override;

 private:
  void SetControlledBy(bool xAxis, int layer, int32_t dest);

  TCustomPlotwell* owner_;
  std::array<int32_t, 16> x_;
  std::array<int32_t, 16> y_;
};

}  // namespace korvo
