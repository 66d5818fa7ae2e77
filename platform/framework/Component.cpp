#include "platform/framework/Component.h"

#include <algorithm>

#include "platform/framework/Properties.h"
#include "platform/Quote.h"

namespace korvo {

bool IsValidIdent(std::string_view name) {
  if (name.empty()) return false;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(name[0])) return false;
  return std::all_of(name.begin() + 1, name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

const TClassInfo& TComponent::ClassInfo() {
  static const TClassInfo& info = DefineClass<TComponent, TPersistent>("TComponent")
                                      .Prop("Name", &TComponent::Name, &TComponent::SetName)
                                      .Stored(false)
                                      .Prop("Tag", &TComponent::Tag, &TComponent::SetTag)
                                      .Default(0)
                                      .Register();
  return info;
}

TComponent::TComponent(TComponent* owner) {
  if (owner != nullptr) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!free_notifies_.empty()) {
    TComponent* c = free_notifies_.back();
    free_notifies_.pop_back();
    c->ForgetFreeNotifier(this);
    c->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name)) throw EComponentError(Quoted(name) + " is not a valid component name");
  if (owner_ != nullptr) {
    owner_->ValidateRename(this, name_, name);
    owner_->ClearOwnerField(this);
    name_ = name;
    if (!owner_->IsDestroying()) {
      if (const TClassInfo* info = ObjectClassInfo(*owner_)) {
        for (const TFieldInfo* f : info->Fields()) {
          if (SameName(f->Name(), name_)) f->Assign(*owner_, this);  // a field of another class stays as it is
        }
      }
    }
  } else {
    name_ = name;
  }
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) {
    throw EComponentError("component index " + std::to_string(index) + " out of bounds (" +
                          std::to_string(ComponentCount()) + " components)");
  }
  return components_[size_t(index)];
}

int TComponent::ComponentIndex() const {
  if (owner_ == nullptr) return -1;
  const auto& list = owner_->components_;
  return int(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_) {
    if (SameName(c->name_, name)) return c;
  }
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (component == nullptr || component->owner_ == this) return;
  ValidateRename(component, std::string(), component->name_);
  if (component->owner_ != nullptr) component->owner_->RemoveComponent(component);
  Insert(component);
  if (!component->name_.empty()) {
    if (const TClassInfo* info = ObjectClassInfo(*this)) {
      for (const TFieldInfo* f : info->Fields()) {
        if (SameName(f->Name(), component->name_)) f->Assign(*this, component);
      }
    }
  }
  if (IsDesigning()) component->SetDesigning(true);
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component == nullptr || component->owner_ != this) return;
  ClearOwnerField(component);
  Remove(component);
  Notification(component, TOperation::opRemove);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    Remove(c);
    delete c;
  }
}

void TComponent::SetDesigning(bool value, bool include_owned) {
  if (value) {
    state_.Include(TComponentStateItem::csDesigning);
  } else {
    state_.Exclude(TComponentStateItem::csDesigning);
  }
  if (include_owned) {
    for (TComponent* c : components_) c->SetDesigning(value, true);
  }
}

void TComponent::FreeNotification(TComponent* component) {
  if (component == nullptr || component == this) return;
  if (std::find(free_notifies_.begin(), free_notifies_.end(), component) == free_notifies_.end()) {
    free_notifies_.push_back(component);
  }
  auto& theirs = component->free_notifies_;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (component == nullptr) return;
  ForgetFreeNotifier(component);
  component->ForgetFreeNotifier(this);
}

void TComponent::Loaded() { state_.Exclude(TComponentStateItem::csLoading); }

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component != nullptr) RemoveFreeNotification(component);
  // Forward to every owned component; a handler may remove components.
  size_t i = components_.size();
  while (i > 0) {
    --i;
    components_[i]->Notification(component, operation);
    if (i > components_.size()) i = components_.size();
  }
}

void TComponent::ValidateRename(TComponent* component, const std::string& current_name, const std::string& new_name) {
  if (component == nullptr || new_name.empty() || SameName(current_name, new_name)) return;
  TComponent* other = FindComponent(new_name);
  if (other != nullptr && other != component) {
    throw EComponentError("A component named " + new_name + " already exists");
  }
}

void TComponent::Destroying() {
  if (IsDestroying()) return;
  state_.Include(TComponentStateItem::csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::SetLoadingState(bool loading) {
  if (loading) {
    state_.Include(TComponentStateItem::csLoading);
  } else {
    state_.Exclude(TComponentStateItem::csLoading);
  }
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
  std::erase(components_, component);
  component->owner_ = nullptr;
}

void TComponent::ClearOwnerField(TComponent* component) {
  // During destruction the derived parts of this owner (and its fields) are
  // gone already; nothing may be written there.
  if (IsDestroying() || component->name_.empty()) return;
  const TClassInfo* info = ObjectClassInfo(*this);
  if (info == nullptr) return;
  for (const TFieldInfo* f : info->Fields()) {
    if (SameName(f->Name(), component->name_) && f->Get(*this) == component) f->Assign(*this, nullptr);
  }
}

void TComponent::ForgetFreeNotifier(TComponent* component) { std::erase(free_notifies_, component); }

}  // namespace korvo
