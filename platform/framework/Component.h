// Components: named objects in an ownership tree, the unit that form
// descriptions create and that the designer and the reader put into the
// loading and designing states.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/EnumSet.h"
#include "platform/Exceptions.h"
#include "platform/Export.h"
#include "platform/Persistent.h"
#include "platform/framework/EnumNames.h"

namespace korvo {

class TClassInfo;

// A component that cannot be named, inserted or renamed as asked.
class PLOTWELL_API EComponentError : public Exception {
 public:
  using Exception::Exception;
};

enum class TComponentStateItem : uint8_t { csLoading, csReading, csWriting, csDestroying, csDesigning };
using TComponentState = TEnumSet<TComponentStateItem>;

template <>
struct TEnumInfo<TComponentStateItem> {
  static constexpr std::string_view TypeName = "TComponentState";
  static constexpr std::array<std::string_view, 5> Names = {"csLoading", "csReading", "csWriting", "csDestroying",
                                                            "csDesigning"};
};

// What happened to the component passed to Notification.
enum class TOperation : uint8_t { opInsert, opRemove };

// Whether a text is a valid component name: a letter or '_' followed by
// letters, digits and '_' (ASCII only).
PLOTWELL_API bool IsValidIdent(std::string_view name);

// Names are compared as the classic framework does: ASCII letters without
// regard to case.
PLOTWELL_API bool SameName(std::string_view a, std::string_view b);

// Ownership: a component owns the components created with it as owner and
// destroys them, in reverse order of their creation, when it is destroyed.
// A component destroyed on its own first leaves its owner's list. Components
// are created with `new` and handed to their owner; one without an owner
// belongs to whoever created it.
//
// Names: empty, or an identifier that no other component of the same owner
// carries (compared without regard to case). SetName raises EComponentError
// otherwise and keeps the old name.
//
// Notification(component, operation) tells a component that `component` was
// inserted into or removed from its owner (the owner forwards the call to all
// its components), or, for components that asked with FreeNotification, that
// `component` is being destroyed. A component that refers to another (a chart
// showing another chart's items) uses it to drop the reference in time.
class PLOTWELL_API TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  const char* ClassName() const override { return "TComponent"; }
  static const TClassInfo& ClassInfo();

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name);
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t tag) { tag_ = tag; }

  int ComponentCount() const { return int(components_.size()); }
  // The owned component at index (0 .. ComponentCount - 1), in creation order.
  TComponent* Components(int index) const;
  // This component's index in its owner's list; -1 without an owner.
  int ComponentIndex() const;
  // The owned component of that name (ignoring case), or nullptr.
  TComponent* FindComponent(std::string_view name) const;

  // Takes a component without an owner (or moves one from another owner)
  // into this component's list, and lets it go again. The component's name
  // must be free in this owner (EComponentError otherwise).
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Destroys every owned component, the last created first.
  void DestroyComponents();

  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return state_.Contains(TComponentStateItem::csLoading); }
  bool IsDesigning() const { return state_.Contains(TComponentStateItem::csDesigning); }
  bool IsDestroying() const { return state_.Contains(TComponentStateItem::csDestroying); }
  // Puts the component (and, by default, everything it owns) into or out of
  // design mode. Components inserted into a designing owner design too.
  void SetDesigning(bool value, bool include_owned = true);

  // Asks for Notification(component, opRemove) when `component` is
  // destroyed. The request is mutual bookkeeping: either side may go first.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

 protected:
  // Called once the form reader has set every property of every component
  // it created; the base clears csLoading. Overrides call the base first.
  virtual void Loaded();
  virtual void Notification(TComponent* component, TOperation operation);
  // Checks that `component` (owned by this one) may be renamed from
  // current_name to new_name; the base checks uniqueness.
  virtual void ValidateRename(TComponent* component, const std::string& current_name,
                              const std::string& new_name);
  // Marks the component as being destroyed (csDestroying) and, through the
  // owned components, everything it owns.
  void Destroying();

 private:
  friend class TReader;  // sets csLoading and calls Loaded

  void SetLoadingState(bool loading);
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void ClearOwnerField(TComponent* component);
  void ForgetFreeNotifier(TComponent* component);

  TComponent* owner_ = nullptr;
  std::string name_;
  intptr_t tag_ = 0;
  TComponentState state_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> free_notifies_;
};

}  // namespace korvo
