// Published properties: what a class shows to form descriptions. Each class
// registers once, in order, the properties a description may set, with
// getter, setter and default, the event methods a form offers to its
// components' events, and the fields that receive the components a form
// description creates. The form reader and writer work only through this
// registry.
//
// A class registers in a static member function that builds its description
// on first use:
//
//   const TClassInfo& TGauge::ClassInfo() {
//     static const TClassInfo& info =
//         DefineClass<TGauge, TCustomControl>("TGauge")
//             .Publish("Align")                              // a framework property
//             .Prop("Position", &TGauge::Position, &TGauge::SetPosition).Default(0)
//             .Prop("Kind", &TGauge::Kind, &TGauge::SetKind).Default(TGaugeKind::gkBar)
//             .Color("ForeColor", &TGauge::ForeColor, &TGauge::SetForeColor).Default(clBlack)
//             .Object("Marker", &TGauge::Marker)            // written as Marker.Width = 2
//             .Event("OnProgress", &TGauge::OnProgress)
//             .Register();
//     return info;
//   }
//
//   // At namespace scope in the same source file: registers the class when
//   // the program starts, so that form descriptions find it by name.
//   const TClassInfo& kGaugeClass = TGauge::ClassInfo();
//
// The kind of a Prop follows from the getter's type: bool, integers,
// floating point, std::string, enumerations with TEnumInfo names, and sets
// (classes with Contains(E) and Include(E) over such an enumeration).
// Integers that have names of their own (colours, cursors) use Color, Cursor
// or NamedInt. Properties come in the order registered, the parent class's
// first. A property without a default is always written; one with a default
// only when it differs; Stored(...) refines that.
//
// Forms register the handler methods their description may bind to events
// (Method) and the fields that receive the components (Field):
//
//   DefineClass<TMainForm, TForm>("TMainForm")
//       .Field("StartButton", &TMainForm::StartButton)
//       .Method("StartButtonClick", &TMainForm::StartButtonClick)
//       .Register();
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

#include "platform/Exceptions.h"
#include "platform/Export.h"
#include "platform/Persistent.h"
#include "platform/framework/Component.h"
#include "platform/framework/EnumNames.h"
#include "platform/graphics/Color.h"

namespace korvo {

class TClassInfo;
class TFont;

enum class TPropKind : uint8_t {
  pkInteger,
  pkFloat,
  pkBool,
  pkString,
  pkColor,
  pkEnum,
  pkSet,
  pkObject,     // an owned sub-object, written as dotted names (Font.Name)
  pkEvent,      // a std::function event, written as the name of a form method
  pkComponent,  // a reference to another component, written as its name
};

// One value as the form description writes it. Numbers keep their literal
// text, so that a floating-point property parses it exactly for its own type.
enum class TFormValueKind : uint8_t { vkInteger, vkFloat, vkString, vkIdent, vkSet };

struct PLOTWELL_API TFormValue {
  TFormValueKind Kind = TFormValueKind::vkInteger;
  int64_t Int = 0;                 // vkInteger
  std::string Text;                // literal of a number, the string, the identifier
  std::vector<std::string> Items;  // vkSet: the element names

  static TFormValue Integer(int64_t v);
  static TFormValue Float(std::string literal);
  static TFormValue String(std::string s);
  static TFormValue Ident(std::string name);
  static TFormValue Set(std::vector<std::string> items);
  friend bool operator==(const TFormValue&, const TFormValue&) = default;
};

// Names of the values of an integer property that has some (colours,
// cursors). Values without a name are written as numbers.
struct PLOTWELL_API TIntNames {
  const char* What;  // "colour": for messages
  bool (*ToIdent)(int64_t value, std::string* name);
  bool (*FromIdent)(std::string_view name, int64_t* value);
};
PLOTWELL_API const TIntNames& ColorNames();

class TMethodInfo;

// One registered property. The accessors taking objects expect an object of
// the registering class (or a descendant); the reader and writer guarantee it
// by looking properties up in the object's own class description.
class PLOTWELL_API TPropInfo {
 public:
  virtual ~TPropInfo() = default;

  const std::string& Name() const { return name_; }
  TPropKind Kind() const { return kind_; }
  bool IsPublished() const { return published_; }
  // The value names of enumeration and set properties; nullptr otherwise.
  const TEnumTypeInfo* EnumType() const { return enum_type_; }
  bool HasDefault() const { return has_default_; }
  // Whether the writer leaves the property out while it holds its default.
  bool LeftOutAtDefault() const { return has_default_ && stored_ == TStoredMode::smDefault; }

  // Whether the writer writes this property of `obj`.
  bool IsStored(const TObject& obj) const;
  // Whether the value equals the registered default (false without one).
  virtual bool IsDefault(const TObject& obj) const;

  // Value properties (integer, float, bool, string, colour, enumeration,
  // set). Set raises EPropertyError for a value of the wrong kind or out of
  // the property's range; errors of the setter itself pass through.
  virtual TFormValue Get(const TObject& obj) const;
  virtual void Set(TObject& obj, const TFormValue& value) const;

  // pkObject: the sub-object (nullptr when the getter gives none), and the
  // class the getter declares (registered on first call).
  virtual TPersistent* Object(TObject& obj) const;
  virtual const TClassInfo* ObjectClass() const { return nullptr; }

  // pkEvent: the name of the form method bound to the event (empty when the
  // event is unassigned or was assigned by code), and binding a method.
  // Bind returns false when the method's signature is not the event's.
  virtual std::string BoundMethod(const TObject& obj) const;
  virtual bool Bind(TObject& obj, const TMethodInfo& method, TComponent& root) const;

  // pkComponent: the referenced component, and setting it. SetReference
  // raises EPropertyError when the component has the wrong class.
  virtual TComponent* Reference(const TObject& obj) const;
  virtual void SetReference(TObject& obj, TComponent* value) const;

 protected:
  enum class TStoredMode : uint8_t { smDefault, smAlways, smNever };

  virtual std::unique_ptr<TPropInfo> Clone() const = 0;
  // Sets the default from a value of the property's type (or one that
  // converts to it); std::logic_error otherwise.
  virtual void SetDefault(const std::any& value);
  bool StoredByPredicate(const TObject& obj) const { return !stored_if_ || stored_if_(obj); }

 private:
  template <class>
  friend class TClassBuilder;
  friend class TClassInfo;

  std::string name_;
  TPropKind kind_ = TPropKind::pkInteger;
  bool published_ = true;
  bool has_default_ = false;
  TStoredMode stored_ = TStoredMode::smDefault;
  std::function<bool(const TObject&)> stored_if_;
  const TEnumTypeInfo* enum_type_ = nullptr;
};

// A handler method that a form offers to its components' events.
class PLOTWELL_API TMethodInfo {
 public:
  TMethodInfo(std::string name, std::type_index signature, std::function<std::any(TComponent&)> make)
      : name_(std::move(name)), signature_(signature), make_(std::move(make)) {}
  const std::string& Name() const { return name_; }
  // typeid of the function type, e.g. void(TObject*).
  std::type_index Signature() const { return signature_; }
  // A std::function of the method's signature calling the method on `root`.
  std::any MakeHandler(TComponent& root) const { return make_(root); }

 private:
  std::string name_;
  std::type_index signature_;
  std::function<std::any(TComponent&)> make_;
};

// A form field that receives the component of the same name.
class PLOTWELL_API TFieldInfo {
 public:
  TFieldInfo(std::string name, const TClassInfo& (*field_class)(),
             std::function<bool(TComponent&, TComponent*)> assign, std::function<TComponent*(TComponent&)> get)
      : name_(std::move(name)), field_class_(field_class), assign_(std::move(assign)), get_(std::move(get)) {}
  const std::string& Name() const { return name_; }
  // The class the field holds (registered on first call).
  const TClassInfo& FieldClass() const { return field_class_(); }
  // Stores `value` in the field of `root`; false when it has the wrong class.
  bool Assign(TComponent& root, TComponent* value) const { return assign_(root, value); }
  TComponent* Get(TComponent& root) const { return get_(root); }

 private:
  std::string name_;
  const TClassInfo& (*field_class_)();
  std::function<bool(TComponent&, TComponent*)> assign_;
  std::function<TComponent*(TComponent&)> get_;
};

// The registered description of one class.
class PLOTWELL_API TClassInfo {
 public:
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const std::string& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  std::type_index Type() const { return type_; }
  bool InheritsFrom(const TClassInfo& ancestor) const;

  // The published properties, inherited ones first, in registration order.
  std::span<const TPropInfo* const> Properties() const { return published_; }
  // A published property by name (ignoring case), or nullptr.
  const TPropInfo* FindProperty(std::string_view name) const;
  // A property declared by this class or an ancestor, published or not.
  const TPropInfo* FindDeclared(std::string_view name) const;
  // A handler method of this class or an ancestor (ignoring case).
  const TMethodInfo* FindMethod(std::string_view name) const;
  // The fields of this class and its ancestors.
  std::vector<const TFieldInfo*> Fields() const;

  // Whether the form reader can create components of the class.
  bool CanCreate() const { return static_cast<bool>(factory_); }
  TComponent* Create(TComponent* owner) const;

 private:
  template <class>
  friend class TClassBuilder;
  TClassInfo(std::string name, const TClassInfo* parent, std::type_index type);

  std::string name_;
  const TClassInfo* parent_;
  std::type_index type_;
  std::vector<std::unique_ptr<TPropInfo>> own_;
  std::vector<const TPropInfo*> published_;
  std::vector<TMethodInfo> methods_;
  std::vector<TFieldInfo> fields_;
  std::function<TComponent*(TComponent*)> factory_;
};

// The registered class of that name (ignoring case), or nullptr.
PLOTWELL_API const TClassInfo* FindClass(std::string_view name);
// The registered class of the object's dynamic type; when that type is not
// registered itself, the class registered under its ClassName(); nullptr
// when neither is.
PLOTWELL_API const TClassInfo* ObjectClassInfo(const TObject& obj);

// The class description of a sub-object reached through property `p`: that
// of its own type when registered, else that of the type p declares.
PLOTWELL_API const TClassInfo* SubObjectClassInfo(const TPropInfo& p, const TObject& sub);

// Where a class's description comes from: T::ClassInfo() unless specialised
// (the framework's own persistent classes without that member).
template <class T>
struct TClassInfoSource {
  static const TClassInfo& Get() { return T::ClassInfo(); }
};
template <>
struct PLOTWELL_API TClassInfoSource<TPersistent> {
  static const TClassInfo& Get();
};
template <>
struct PLOTWELL_API TClassInfoSource<TFont> {
  static const TClassInfo& Get();
};

// Registers T (and its ancestors) so that form descriptions can name it.
// Raises std::logic_error when T has no description of its own (it inherits
// its parent's ClassInfo()).
template <class T>
const TClassInfo& RegisterClass() {
  const TClassInfo& info = TClassInfoSource<T>::Get();
  if (info.Type() != std::type_index(typeid(T))) {
    throw std::logic_error(std::string("class ") + typeid(T).name() + " does not register its own properties");
  }
  return info;
}

template <class... T>
void RegisterClasses() {
  (RegisterClass<T>(), ...);
}

// The callable stored in an event that the reader bound to a form method; it
// keeps the method's name so that the writer can write it back.
template <class Sig>
struct TMethodThunk;
template <class R, class... A>
struct TMethodThunk<R(A...)> {
  std::string Name;
  std::function<R(A...)> Call;
  R operator()(A... args) const { return Call(std::forward<A>(args)...); }
};

namespace prop_detail {

template <class V>
concept NamedEnum = std::is_enum_v<V> && requires { TEnumInfo<V>::Names; };

template <class S, class E>
E SetElementOf(bool (S::*)(E) const);

template <class V>
concept EnumSetType = requires { &V::Contains; } && NamedEnum<decltype(SetElementOf(&V::Contains))> &&
                      std::is_default_constructible_v<V> &&
                      requires(V s, decltype(SetElementOf(&V::Contains)) e) { s.Include(e); };

template <class V>
using SetElement = decltype(SetElementOf(&V::Contains));

template <class V>
constexpr TPropKind KindOf() {
  if constexpr (std::is_same_v<V, bool>) return TPropKind::pkBool;
  else if constexpr (std::is_integral_v<V>) return TPropKind::pkInteger;
  else if constexpr (std::is_floating_point_v<V>) return TPropKind::pkFloat;
  else if constexpr (std::is_same_v<V, std::string>) return TPropKind::pkString;
  else if constexpr (NamedEnum<V>) return TPropKind::pkEnum;
  else if constexpr (EnumSetType<V>) return TPropKind::pkSet;
  else static_assert(sizeof(V) == 0, "this type cannot be a published property");
}

// Conversions between values and the form's text model. Decoders raise
// EPropertyError with a message naming what was wrong.
[[noreturn]] PLOTWELL_API void WrongKind(const TFormValue& v, const char* expected);
PLOTWELL_API int64_t DecodeInteger(const TFormValue& v, int64_t lo, int64_t hi, const TIntNames* names);
PLOTWELL_API TFormValue EncodeInteger(int64_t v, const TIntNames* names);
PLOTWELL_API bool DecodeBool(const TFormValue& v);
PLOTWELL_API double DecodeDouble(const TFormValue& v);
PLOTWELL_API long double DecodeLongDouble(const TFormValue& v);
PLOTWELL_API float DecodeFloatValue(const TFormValue& v);
PLOTWELL_API TFormValue EncodeDouble(double v);
PLOTWELL_API TFormValue EncodeLongDouble(long double v);
PLOTWELL_API TFormValue EncodeFloatValue(float v);
PLOTWELL_API const std::string& DecodeString(const TFormValue& v);
PLOTWELL_API int DecodeEnum(const TFormValue& v, const TEnumTypeInfo& info);
PLOTWELL_API std::vector<int> DecodeSet(const TFormValue& v, const TEnumTypeInfo& info);

template <class V>
V Decode(const TFormValue& fv, const TIntNames* names) {
  if constexpr (std::is_same_v<V, bool>) {
    return DecodeBool(fv);
  } else if constexpr (std::is_integral_v<V>) {
    using L = std::numeric_limits<V>;
    constexpr bool wide_unsigned = std::is_unsigned_v<V> && sizeof(V) >= sizeof(int64_t);
    constexpr int64_t hi = wide_unsigned ? INT64_MAX : int64_t(L::max());
    return V(DecodeInteger(fv, int64_t(L::min()), hi, names));
  } else if constexpr (std::is_same_v<V, float>) {
    return DecodeFloatValue(fv);
  } else if constexpr (std::is_same_v<V, double>) {
    return DecodeDouble(fv);
  } else if constexpr (std::is_same_v<V, long double>) {
    return DecodeLongDouble(fv);
  } else if constexpr (std::is_same_v<V, std::string>) {
    return DecodeString(fv);
  } else if constexpr (NamedEnum<V>) {
    return V(DecodeEnum(fv, EnumTypeInfo<V>()));
  } else {
    using E = SetElement<V>;
    V s{};
    for (int i : DecodeSet(fv, EnumTypeInfo<E>())) s.Include(E(i));
    return s;
  }
}

template <class V>
TFormValue Encode(const V& v, const TIntNames* names) {
  if constexpr (std::is_same_v<V, bool>) {
    return TFormValue::Ident(v ? "True" : "False");
  } else if constexpr (std::is_integral_v<V>) {
    return EncodeInteger(int64_t(v), names);
  } else if constexpr (std::is_same_v<V, float>) {
    return EncodeFloatValue(v);
  } else if constexpr (std::is_same_v<V, double>) {
    return EncodeDouble(v);
  } else if constexpr (std::is_same_v<V, long double>) {
    return EncodeLongDouble(v);
  } else if constexpr (std::is_same_v<V, std::string>) {
    return TFormValue::String(v);
  } else if constexpr (NamedEnum<V>) {
    const std::string_view name = EnumName(v);
    if (name.empty()) return TFormValue::Integer(int64_t(v));
    return TFormValue::Ident(std::string(name));
  } else {
    using E = SetElement<V>;
    std::vector<std::string> items;
    for (size_t i = 0; i < EnumCount<E>(); ++i) {
      if (v.Contains(E(i))) items.emplace_back(TEnumInfo<E>::Names[i]);
    }
    return TFormValue::Set(std::move(items));
  }
}

// Converts a default given at registration to the property's type.
template <class V>
V DefaultFrom(const std::any& a, const std::string& property) {
  if (const V* v = std::any_cast<V>(&a)) return *v;
  if constexpr (std::is_arithmetic_v<V>) {
    if (const int* i = std::any_cast<int>(&a)) return V(*i);
    if (const unsigned* u = std::any_cast<unsigned>(&a)) return V(*u);
    if (const long* l = std::any_cast<long>(&a)) return V(*l);
    if (const double* d = std::any_cast<double>(&a)) return V(*d);
    if (const bool* b = std::any_cast<bool>(&a)) return V(*b);
  }
  if constexpr (std::is_same_v<V, std::string>) {
    if (const char* const* s = std::any_cast<const char*>(&a)) return std::string(*s);
  }
  throw std::logic_error("the default given for " + property + " does not have the property's type");
}

template <class T, class V>
class TValueProp final : public TPropInfo {
 public:
  using Getter = std::function<V(const T&)>;
  using Setter = std::function<void(T&, V)>;
  TValueProp(Getter get, Setter set, const TIntNames* names)
      : get_(std::move(get)), set_(std::move(set)), names_(names) {}

  TFormValue Get(const TObject& obj) const override { return Encode<V>(get_(static_cast<const T&>(obj)), names_); }
  void Set(TObject& obj, const TFormValue& value) const override {
    if (!set_) throw EPropertyError("the property " + Name() + " is read-only");
    set_(static_cast<T&>(obj), Decode<V>(value, names_));
  }
  bool IsDefault(const TObject& obj) const override {
    return default_.has_value() && get_(static_cast<const T&>(obj)) == *default_;
  }

 protected:
  std::unique_ptr<TPropInfo> Clone() const override { return std::make_unique<TValueProp>(*this); }
  void SetDefault(const std::any& value) override { default_ = DefaultFrom<V>(value, Name()); }

 private:
  Getter get_;
  Setter set_;
  const TIntNames* names_;
  std::optional<V> default_;
};

template <class T, class X>
class TObjectProp final : public TPropInfo {
 public:
  explicit TObjectProp(std::function<X*(T&)> get) : get_(std::move(get)) {}
  TPersistent* Object(TObject& obj) const override { return get_(static_cast<T&>(obj)); }
  const TClassInfo* ObjectClass() const override { return &TClassInfoSource<X>::Get(); }

 protected:
  std::unique_ptr<TPropInfo> Clone() const override { return std::make_unique<TObjectProp>(*this); }

 private:
  std::function<X*(T&)> get_;
};

template <class T, class X>
class TReferenceProp final : public TPropInfo {
 public:
  TReferenceProp(std::function<X*(const T&)> get, std::function<void(T&, X*)> set)
      : get_(std::move(get)), set_(std::move(set)) {}
  TComponent* Reference(const TObject& obj) const override { return get_(static_cast<const T&>(obj)); }
  void SetReference(TObject& obj, TComponent* value) const override {
    X* x = dynamic_cast<X*>(value);
    if (value != nullptr && x == nullptr) {
      throw EPropertyError(std::string("a ") + value->ClassName() + " cannot be assigned to " + Name());
    }
    set_(static_cast<T&>(obj), x);
  }

 protected:
  std::unique_ptr<TPropInfo> Clone() const override { return std::make_unique<TReferenceProp>(*this); }

 private:
  std::function<X*(const T&)> get_;
  std::function<void(T&, X*)> set_;
};

template <class T, class C, class Sig>
class TEventProp final : public TPropInfo {
 public:
  explicit TEventProp(std::function<Sig> C::*member) : member_(member) {}
  std::string BoundMethod(const TObject& obj) const override {
    const std::function<Sig>& f = static_cast<const T&>(obj).*member_;
    const auto* thunk = f.template target<TMethodThunk<Sig>>();
    return thunk ? thunk->Name : std::string();
  }
  bool Bind(TObject& obj, const TMethodInfo& method, TComponent& root) const override {
    if (method.Signature() != std::type_index(typeid(Sig))) return false;
    static_cast<T&>(obj).*member_ = std::any_cast<std::function<Sig>>(method.MakeHandler(root));
    return true;
  }

 protected:
  std::unique_ptr<TPropInfo> Clone() const override { return std::make_unique<TEventProp>(*this); }

 private:
  std::function<Sig> C::*member_;
};

}  // namespace prop_detail

// Builds and registers the description of class T. Each property method adds
// a property; Default, Stored and NotPublished refine the one added last.
template <class T>
class TClassBuilder {
 public:
  TClassBuilder(std::string name, const TClassInfo* parent)
      : info_(new TClassInfo(std::move(name), parent, typeid(T))) {
    if (parent != nullptr) info_->published_ = parent->published_;
    if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent*> &&
                  !std::is_abstract_v<T>) {
      info_->factory_ = [](TComponent* owner) -> TComponent* { return new T(owner); };
    }
  }

  // A value property; its kind follows from the getter's type.
  template <class C, class G, class C2, class S>
  TClassBuilder& Prop(std::string name, G (C::*getter)() const, void (C2::*setter)(S)) {
    using V = std::decay_t<G>;
    return AddValue<V>(std::move(name), getter, setter, nullptr);
  }
  // A read-only value property (read by writers and designers; the reader
  // refuses to set it).
  template <class C, class G>
  TClassBuilder& ReadOnly(std::string name, G (C::*getter)() const) {
    using V = std::decay_t<G>;
    return AddValue<V>(std::move(name), getter, static_cast<void (C::*)(V)>(nullptr), nullptr);
  }
  // A colour: written as clRed when the colour has a name, else as a number.
  template <class C, class C2>
  TClassBuilder& Color(std::string name, TColor (C::*getter)() const, void (C2::*setter)(TColor)) {
    AddValue<TColor>(std::move(name), getter, setter, &ColorNames());
    last_->kind_ = TPropKind::pkColor;
    return *this;
  }
  // An integer whose values may have names (cursors, for example).
  template <class C, class G, class C2, class S>
  TClassBuilder& NamedInt(std::string name, G (C::*getter)() const, void (C2::*setter)(S),
                          const TIntNames& names) {
    using V = std::decay_t<G>;
    static_assert(std::is_integral_v<V> && !std::is_same_v<V, bool>);
    return AddValue<V>(std::move(name), getter, setter, &names);
  }
  // An owned sub-object whose own registered properties are written with
  // the property's name as prefix (Font.Name = 'Arial').
  template <class C, class X>
  TClassBuilder& Object(std::string name, X* (C::*getter)()) {
    static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<TPersistent, X>);
    auto p = std::make_unique<prop_detail::TObjectProp<T, X>>([getter](T& t) { return (t.*getter)(); });
    return Add(std::move(p), std::move(name), TPropKind::pkObject);
  }
  // The same with a const getter that hands out the owned object.
  template <class C, class X>
    requires(!std::is_const_v<X>)
  TClassBuilder& Object(std::string name, X* (C::*getter)() const) {
    static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<TPersistent, X>);
    auto p = std::make_unique<prop_detail::TObjectProp<T, X>>([getter](T& t) { return (t.*getter)(); });
    return Add(std::move(p), std::move(name), TPropKind::pkObject);
  }
  // A reference to another component of the form, written as its name.
  template <class C, class X, class C2>
  TClassBuilder& Reference(std::string name, X* (C::*getter)() const, void (C2::*setter)(X*)) {
    static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<C2, T> && std::is_base_of_v<TComponent, X>);
    auto p = std::make_unique<prop_detail::TReferenceProp<T, X>>([getter](const T& t) { return (t.*getter)(); },
                                                                  [setter](T& t, X* x) { (t.*setter)(x); });
    return Add(std::move(p), std::move(name), TPropKind::pkComponent);
  }
  // An event: a std::function member, written as the bound method's name.
  template <class C, class Sig>
  TClassBuilder& Event(std::string name, std::function<Sig> C::*member) {
    static_assert(std::is_base_of_v<C, T>);
    auto p = std::make_unique<prop_detail::TEventProp<T, C, Sig>>(member);
    return Add(std::move(p), std::move(name), TPropKind::pkEvent);
  }

  // Publishes a property that an ancestor declared without publishing (or
  // re-publishes a published one in place, usually with a new default).
  TClassBuilder& Publish(const std::string& name) {
    const TPropInfo* declared = info_->parent_ ? info_->parent_->FindDeclared(name) : nullptr;
    if (declared == nullptr) throw std::logic_error(info_->name_ + ": no inherited property " + name + " to publish");
    std::unique_ptr<TPropInfo> copy = CloneProp(*declared);
    copy->published_ = true;
    last_ = copy.get();
    info_->own_.push_back(std::move(copy));
    Place(last_);
    return *this;
  }

  // The default of the property added last: not written while it holds it.
  template <class V>
  TClassBuilder& Default(V value) {
    RequireLast("Default");
    SetDefaultOf(*last_, std::any(value));
    return *this;
  }
  // Stored(false): never written (still read). Stored(true): always written,
  // even when equal to the default, and whatever rule an ancestor gave the
  // property it publishes (ParentFont leaving out Font, ParentShowHint
  // ShowHint): that predicate is dropped.
  TClassBuilder& Stored(bool always) {
    RequireLast("Stored");
    last_->stored_ = always ? TPropInfo::TStoredMode::smAlways : TPropInfo::TStoredMode::smNever;
    last_->stored_if_ = nullptr;
    return *this;
  }
  // Written only while the predicate holds (and, with a default, differs).
  template <class C>
  TClassBuilder& Stored(bool (C::*predicate)() const) {
    static_assert(std::is_base_of_v<C, T>);
    RequireLast("Stored");
    last_->stored_if_ = [predicate](const TObject& o) { return (static_cast<const T&>(o).*predicate)(); };
    return *this;
  }
  // Declares the property added last for descendants to publish.
  TClassBuilder& NotPublished() {
    RequireLast("NotPublished");
    last_->published_ = false;
    auto& list = info_->published_;
    std::erase(list, last_);
    return *this;
  }

  // A handler method the form description may bind to events by name.
  template <class C, class R, class... A>
  TClassBuilder& Method(std::string name, R (C::*method)(A...)) {
    static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<TComponent, T>);
    using Sig = R(A...);
    auto make = [name, method](TComponent& root) -> std::any {
      T* self = dynamic_cast<T*>(&root);
      if (self == nullptr) throw std::logic_error("method " + name + " bound to a root of another class");
      std::function<Sig> f = TMethodThunk<Sig>{name, [self, method](A... args) -> R {
                                                  return (self->*method)(std::forward<A>(args)...);
                                                }};
      return f;
    };
    info_->methods_.emplace_back(name, std::type_index(typeid(Sig)), std::move(make));
    return *this;
  }
  // A field that receives the component of that name after reading, and
  // is cleared when that component is removed from the form.
  template <class C, class X>
  TClassBuilder& Field(std::string name, X* C::*member) {
    static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<TComponent, T> && std::is_base_of_v<TComponent, X>);
    auto assign = [member](TComponent& root, TComponent* value) {
      X* x = dynamic_cast<X*>(value);
      if (value != nullptr && x == nullptr) return false;
      static_cast<T&>(root).*member = x;
      return true;
    };
    auto get = [member](TComponent& root) -> TComponent* { return static_cast<T&>(root).*member; };
    info_->fields_.emplace_back(std::move(name), &TClassInfoSource<X>::Get, std::move(assign), std::move(get));
    return *this;
  }

  // Registers the description; the result lives as long as the program.
  const TClassInfo& Register();

 private:
  template <class V, class C, class G, class C2, class S>
  TClassBuilder& AddValue(std::string name, G (C::*getter)() const, void (C2::*setter)(S), const TIntNames* names) {
    static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<C2, T>);
    typename prop_detail::TValueProp<T, V>::Setter set;
    if (setter != nullptr) set = [setter](T& t, V v) { (t.*setter)(std::move(v)); };
    auto p = std::make_unique<prop_detail::TValueProp<T, V>>([getter](const T& t) -> V { return (t.*getter)(); },
                                                              std::move(set), names);
    if constexpr (prop_detail::NamedEnum<V>) {
      p->enum_type_ = &EnumTypeInfo<V>();
    } else if constexpr (prop_detail::EnumSetType<V>) {
      p->enum_type_ = &EnumTypeInfo<prop_detail::SetElement<V>>();
    }
    return Add(std::move(p), std::move(name), prop_detail::KindOf<V>());
  }

  TClassBuilder& Add(std::unique_ptr<TPropInfo> p, std::string name, TPropKind kind) {
    for (const auto& own : info_->own_) {
      if (SameName(own->name_, name)) throw std::logic_error(info_->name_ + ": property " + name + " registered twice");
    }
    p->name_ = std::move(name);
    p->kind_ = kind;
    last_ = p.get();
    info_->own_.push_back(std::move(p));
    Place(last_);
    return *this;
  }

  void Place(const TPropInfo* p) { PlaceProperty(*info_, p); }
  void RequireLast(const char* what) {
    if (last_ == nullptr) throw std::logic_error(std::string(what) + " before any property of " + info_->name_);
  }
  static std::unique_ptr<TPropInfo> CloneProp(const TPropInfo& p) { return p.Clone(); }
  static void SetDefaultOf(TPropInfo& p, const std::any& value) {
    p.SetDefault(value);
    p.has_default_ = true;
  }
  static void PlaceProperty(TClassInfo& info, const TPropInfo* p);

  std::unique_ptr<TClassInfo> info_;
  TPropInfo* last_ = nullptr;
};

namespace prop_detail {
// Adds a finished description to the registry (by name and by type) and
// keeps it for the life of the program.
PLOTWELL_API const TClassInfo& AddToRegistry(std::unique_ptr<TClassInfo> info);
// Puts a published property into the list: in place of an inherited one of
// the same name, else at the end.
PLOTWELL_API void PlaceProperty(std::vector<const TPropInfo*>& list, const TPropInfo* p);
}  // namespace prop_detail

template <class T>
const TClassInfo& TClassBuilder<T>::Register() {
  if (!info_) throw std::logic_error("class description registered twice");
  return prop_detail::AddToRegistry(std::move(info_));
}

template <class T>
void TClassBuilder<T>::PlaceProperty(TClassInfo& info, const TPropInfo* p) {
  if (p->IsPublished()) prop_detail::PlaceProperty(info.published_, p);
}

// Starts the description of class T, derived from Parent (whose own
// description is registered first).
template <class T, class Parent>
TClassBuilder<T> DefineClass(std::string name) {
  static_assert(std::is_base_of_v<Parent, T> && !std::is_same_v<Parent, T>);
  return TClassBuilder<T>(std::move(name), &TClassInfoSource<Parent>::Get());
}

}  // namespace korvo
