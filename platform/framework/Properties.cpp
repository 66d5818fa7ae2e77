#include "platform/framework/Properties.h"

#include <charconv>
#include <cmath>
#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/framework/PlatformEnums.h"
#include "platform/graphics/Font.h"
#include "platform/Quote.h"

namespace korvo {

TFormValue TFormValue::Integer(int64_t v) {
  TFormValue f;
  f.Kind = TFormValueKind::vkInteger;
  f.Int = v;
  f.Text = std::to_string(v);
  return f;
}

TFormValue TFormValue::Float(std::string literal) {
  TFormValue f;
  f.Kind = TFormValueKind::vkFloat;
  f.Text = std::move(literal);
  return f;
}

TFormValue TFormValue::String(std::string s) {
  TFormValue f;
  f.Kind = TFormValueKind::vkString;
  f.Text = std::move(s);
  return f;
}

TFormValue TFormValue::Ident(std::string name) {
  TFormValue f;
  f.Kind = TFormValueKind::vkIdent;
  f.Text = std::move(name);
  return f;
}

TFormValue TFormValue::Set(std::vector<std::string> items) {
  TFormValue f;
  f.Kind = TFormValueKind::vkSet;
  f.Items = std::move(items);
  return f;
}

namespace {

bool ColorIdent(int64_t value, std::string* name) {
  const char* n = nullptr;
  if (value < INT32_MIN || value > INT32_MAX || !ColorToIdent(TColor(value), &n)) return false;
  *name = n;
  return true;
}

bool IdentColor(std::string_view name, int64_t* value) {
  TColor c = 0;
  if (!IdentToColor(std::string(name).c_str(), &c)) return false;
  *value = c;
  return true;
}

}  // namespace

const TIntNames& ColorNames() {
  static const TIntNames names{"colour", &ColorIdent, &IdentColor};
  return names;
}

// ---------------------------------------------------------------------------
// TPropInfo

bool TPropInfo::IsStored(const TObject& obj) const {
  if (stored_ == TStoredMode::smNever || !StoredByPredicate(obj)) return false;
  switch (kind_) {
    case TPropKind::pkEvent:
      return !BoundMethod(obj).empty();
    case TPropKind::pkComponent:
      return Reference(obj) != nullptr;
    case TPropKind::pkObject:
      return true;
    default:
      return stored_ == TStoredMode::smAlways || !IsDefault(obj);
  }
}

bool TPropInfo::IsDefault(const TObject&) const { return false; }

TFormValue TPropInfo::Get(const TObject&) const {
  throw std::logic_error("the property " + name_ + " has no plain value");
}

void TPropInfo::Set(TObject&, const TFormValue&) const {
  throw std::logic_error("the property " + name_ + " has no plain value");
}

TPersistent* TPropInfo::Object(TObject&) const { throw std::logic_error("the property " + name_ + " is no object"); }

std::string TPropInfo::BoundMethod(const TObject&) const {
  throw std::logic_error("the property " + name_ + " is no event");
}

bool TPropInfo::Bind(TObject&, const TMethodInfo&, TComponent&) const {
  throw std::logic_error("the property " + name_ + " is no event");
}

TComponent* TPropInfo::Reference(const TObject&) const {
  throw std::logic_error("the property " + name_ + " is no component reference");
}

void TPropInfo::SetReference(TObject&, TComponent*) const {
  throw std::logic_error("the property " + name_ + " is no component reference");
}

void TPropInfo::SetDefault(const std::any&) {
  throw std::logic_error("the property " + name_ + " cannot have a default");
}

// ---------------------------------------------------------------------------
// TClassInfo

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, std::type_index type)
    : name_(std::move(name)), parent_(parent), type_(type) {}

bool TClassInfo::InheritsFrom(const TClassInfo& ancestor) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
    if (c == &ancestor) return true;
  }
  return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
  for (const TPropInfo* p : published_) {
    if (SameName(p->Name(), name)) return p;
  }
  return nullptr;
}

const TPropInfo* TClassInfo::FindDeclared(std::string_view name) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
    for (const auto& p : c->own_) {
      if (SameName(p->Name(), name)) return p.get();
    }
  }
  return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
    for (const TMethodInfo& m : c->methods_) {
      if (SameName(m.Name(), name)) return &m;
    }
  }
  return nullptr;
}

std::vector<const TFieldInfo*> TClassInfo::Fields() const {
  std::vector<const TFieldInfo*> out = parent_ ? parent_->Fields() : std::vector<const TFieldInfo*>();
  for (const TFieldInfo& f : fields_) out.push_back(&f);
  return out;
}

TComponent* TClassInfo::Create(TComponent* owner) const {
  if (!factory_) throw EPropertyError("the class " + name_ + " cannot be created by a form description");
  return factory_(owner);
}

// ---------------------------------------------------------------------------
// The registry

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return out;
}

struct Registry {
  std::mutex mutex;
  std::vector<std::unique_ptr<TClassInfo>> all;
  std::map<std::string, const TClassInfo*> by_name;
  std::unordered_map<std::type_index, const TClassInfo*> by_type;
};

Registry& TheRegistry() {
  static Registry* r = new Registry;  // lives as long as the program, like the descriptions
  return *r;
}

}  // namespace

namespace prop_detail {

const TClassInfo& AddToRegistry(std::unique_ptr<TClassInfo> info) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  const std::string key = Lower(info->Name());
  if (r.by_name.count(key) != 0) throw std::logic_error("two classes registered under the name " + info->Name());
  if (r.by_type.count(info->Type()) != 0) throw std::logic_error("the class " + info->Name() + " registered twice");
  const TClassInfo* p = info.get();
  r.by_name.emplace(key, p);
  r.by_type.emplace(p->Type(), p);
  r.all.push_back(std::move(info));
  return *p;
}

void PlaceProperty(std::vector<const TPropInfo*>& list, const TPropInfo* p) {
  for (const TPropInfo*& q : list) {
    if (SameName(q->Name(), p->Name())) {
      q = p;
      return;
    }
  }
  list.push_back(p);
}

// -- conversions --------------------------------------------------------------

namespace {

std::string Describe(const TFormValue& v) {
  switch (v.Kind) {
    case TFormValueKind::vkInteger:
      return "the integer " + Excerpt(v.Text);
    case TFormValueKind::vkFloat:
      return "the number " + Excerpt(v.Text);
    case TFormValueKind::vkString:
      return "the string " + Quoted(v.Text);
    case TFormValueKind::vkIdent:
      return "the name " + Excerpt(v.Text);
    case TFormValueKind::vkSet:
      return "a set";
  }
  return "a value";
}

template <class F>
F ParseFloat(const TFormValue& v, const char* type_name) {
  if (v.Kind == TFormValueKind::vkIdent) {
    if (SameName(v.Text, "NaN")) return std::numeric_limits<F>::quiet_NaN();
    if (SameName(v.Text, "Inf")) return std::numeric_limits<F>::infinity();
    if (SameName(v.Text, "-Inf")) return -std::numeric_limits<F>::infinity();
  }
  if (v.Kind != TFormValueKind::vkFloat && v.Kind != TFormValueKind::vkInteger) WrongKind(v, "a number");
  F out{};
  const char* first = v.Text.data();
  const char* last = first + v.Text.size();
  const auto [ptr, ec] = std::from_chars(first, last, out);
  if (ec == std::errc::result_out_of_range) {
    throw EPropertyError(Excerpt(v.Text) + " is out of the range of a " + type_name);
  }
  if (ec != std::errc() || ptr != last) throw EPropertyError(Quoted(v.Text) + " is not a valid number");
  return out;
}

template <class F>
TFormValue FormatFloat(F value) {
  if (std::isnan(value)) return TFormValue::Ident("NaN");
  if (std::isinf(value)) return TFormValue::Ident(value > 0 ? "Inf" : "-Inf");
  char buf[64];
  const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
  std::string text(buf, ec == std::errc() ? ptr : buf);
  // Always look like a floating-point literal: 3 -> 3.0, 1e-10 -> 1.0E-10.
  const size_t e = text.find('e');
  std::string literal = text.substr(0, e);
  if (literal.find('.') == std::string::npos) literal.append(".0");
  if (e != std::string::npos) literal.append(1, 'E').append(text, e + 1, std::string::npos);
  return TFormValue::Float(std::move(literal));
}

}  // namespace

void WrongKind(const TFormValue& v, const char* expected) {
  throw EPropertyError(std::string("expected ") + expected + ", found " + Describe(v));
}

int64_t DecodeInteger(const TFormValue& v, int64_t lo, int64_t hi, const TIntNames* names) {
  int64_t x = 0;
  if (v.Kind == TFormValueKind::vkIdent && names != nullptr) {
    if (!names->FromIdent(v.Text, &x)) throw EPropertyError(Quoted(v.Text) + " is not a " + names->What + " name");
  } else if (v.Kind == TFormValueKind::vkInteger) {
    x = v.Int;
  } else {
    WrongKind(v, names ? (std::string("an integer or a ") + names->What + " name").c_str() : "an integer");
  }
  if (x < lo || x > hi) {
    throw EPropertyError(std::to_string(x) + " is out of range (" + std::to_string(lo) + " .. " + std::to_string(hi) +
                         ")");
  }
  return x;
}

TFormValue EncodeInteger(int64_t v, const TIntNames* names) {
  std::string name;
  if (names != nullptr && names->ToIdent(v, &name)) return TFormValue::Ident(name);
  return TFormValue::Integer(v);
}

bool DecodeBool(const TFormValue& v) {
  if (v.Kind == TFormValueKind::vkIdent) {
    if (SameName(v.Text, "True")) return true;
    if (SameName(v.Text, "False")) return false;
  }
  WrongKind(v, "True or False");
}

double DecodeDouble(const TFormValue& v) { return ParseFloat<double>(v, "double"); }
long double DecodeLongDouble(const TFormValue& v) { return ParseFloat<long double>(v, "long double"); }
float DecodeFloatValue(const TFormValue& v) { return ParseFloat<float>(v, "float"); }
TFormValue EncodeDouble(double v) { return FormatFloat(v); }
TFormValue EncodeLongDouble(long double v) { return FormatFloat(v); }
TFormValue EncodeFloatValue(float v) { return FormatFloat(v); }

const std::string& DecodeString(const TFormValue& v) {
  if (v.Kind != TFormValueKind::vkString) WrongKind(v, "a string");
  return v.Text;
}

namespace {
int FindName(const TEnumTypeInfo& info, std::string_view name) {
  for (size_t i = 0; i < info.Names.size(); ++i) {
    if (SameName(info.Names[i], name)) return int(i);
  }
  return info.Parse(name);  // raises the standard message
}
}  // namespace

int DecodeEnum(const TFormValue& v, const TEnumTypeInfo& info) {
  if (v.Kind != TFormValueKind::vkIdent) WrongKind(v, (std::string("a ") + std::string(info.TypeName) + " name").c_str());
  return FindName(info, v.Text);
}

std::vector<int> DecodeSet(const TFormValue& v, const TEnumTypeInfo& info) {
  if (v.Kind != TFormValueKind::vkSet) WrongKind(v, "a set in [ ]");
  std::vector<int> out;
  for (const std::string& item : v.Items) out.push_back(FindName(info, item));
  return out;
}

}  // namespace prop_detail

const TClassInfo* FindClass(std::string_view name) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  const auto it = r.by_name.find(Lower(name));
  return it == r.by_name.end() ? nullptr : it->second;
}

const TClassInfo* ObjectClassInfo(const TObject& obj) {
  {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    const auto it = r.by_type.find(std::type_index(typeid(obj)));
    if (it != r.by_type.end()) return it->second;
  }
  return FindClass(obj.ClassName());
}

const TClassInfo* SubObjectClassInfo(const TPropInfo& p, const TObject& sub) {
  if (const TClassInfo* own = ObjectClassInfo(sub)) return own;
  const TClassInfo* declared = p.ObjectClass();
  if (const TClassInfo* own = ObjectClassInfo(sub)) return own;
  return declared;
}

const TClassInfo& TClassInfoSource<TPersistent>::Get() {
  static const TClassInfo& info = TClassBuilder<TPersistent>("TPersistent", nullptr).Register();
  return info;
}

const TClassInfo& TClassInfoSource<TFont>::Get() {
  static const TClassInfo& info = DefineClass<TFont, TPersistent>("TFont")
                                      .Color("Color", &TFont::Color, &TFont::SetColor)
                                      .Prop("Height", &TFont::Height, &TFont::SetHeight)
                                      .Prop("Name", &TFont::Name, &TFont::SetName)
                                      .Prop("Size", &TFont::Size, &TFont::SetSize)
                                      .Stored(false)
                                      .Prop("Style", &TFont::Style, &TFont::SetStyle)
                                      .Register();
  return info;
}

}  // namespace korvo
