#include "platform/framework/FormReader.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <vector>

#include "platform/framework/Control.h"
#include "platform/framework/Properties.h"
#include "platform/framework/StdCtrls.h"
#include "platform/graphics/text/Utf8.h"
#include "platform/Quote.h"

namespace korvo {

EFormError::EFormError(int line, std::string component, std::string property, std::string reason, std::string detail)
    : Exception("line " + std::to_string(line) + ": " + (component.empty() ? std::string() : Excerpt(component) + ": ") +
                (property.empty() ? std::string() : Excerpt(property) + ": ") + reason +
                (detail.empty() ? std::string() : " (" + detail + ")")),
      line_(line),
      component_(std::move(component)),
      property_(std::move(property)),
      reason_(std::move(reason)),
      detail_(std::move(detail)) {}

namespace {

// ---------------------------------------------------------------------------
// Tokens

enum class TTokenKind : uint8_t { End, Ident, Integer, Float, String, Symbol };

struct TToken {
  TTokenKind Kind = TTokenKind::End;
  std::string Text;  // identifier, number literal, decoded string
  int64_t Int = 0;
  char Symbol = 0;
  int Line = 1;
};

// A syntax error found by the lexer or parser; the reader adds the
// component it was reading.
struct TSyntaxError {
  int Line;
  std::string Reason;
};

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class TLexer {
 public:
  // A leading UTF-8 byte-order mark is not part of the description.
  explicit TLexer(std::string_view text) : text_(text) {
    if (text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
  }

  TToken Next() {
    SkipSpace();
    TToken t;
    t.Line = line_;
    if (pos_ >= text_.size()) return t;
    const char c = text_[pos_];
    if (IsIdentStart(c)) {
      const size_t start = pos_;
      while (pos_ < text_.size() && (IsIdentStart(text_[pos_]) || IsDigit(text_[pos_]))) ++pos_;
      t.Kind = TTokenKind::Ident;
      t.Text = std::string(text_.substr(start, pos_ - start));
      return t;
    }
    if (IsDigit(c)) return Number(t);
    if (c == '$') return HexNumber(t);
    if (c == '\'' || c == '#') return String(t);
    static constexpr std::string_view kSymbols = "=:[],.+-()<>{}";
    if (kSymbols.find(c) != std::string_view::npos) {
      ++pos_;
      t.Kind = TTokenKind::Symbol;
      t.Symbol = c;
      return t;
    }
    throw TSyntaxError{line_, Printable(c) + " is not allowed here"};
  }

 private:
  static std::string Printable(char c) {
    if (c >= 32 && c < 127) return std::string("the character '") + c + "'";
    return "the byte " + std::to_string(int(static_cast<unsigned char>(c)));
  }

  void SkipSpace() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') {
        ++line_;
      } else if (c != ' ' && c != '\t' && c != '\r') {
        return;
      }
      ++pos_;
    }
  }

  TToken Number(TToken& t) {
    const size_t start = pos_;
    while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    bool is_float = false;
    if (pos_ + 1 < text_.size() && text_[pos_] == '.' && IsDigit(text_[pos_ + 1])) {
      is_float = true;
      ++pos_;
      while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    }
    if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
      size_t p = pos_ + 1;
      if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
      if (p < text_.size() && IsDigit(text_[p])) {
        is_float = true;
        pos_ = p;
        while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
      }
    }
    if (pos_ < text_.size() && IsIdentStart(text_[pos_])) {
      throw TSyntaxError{line_, Quoted(text_.substr(start, pos_ - start + 1)) + " is not a number"};
    }
    t.Text = std::string(text_.substr(start, pos_ - start));
    if (is_float) {
      // from_chars does not take a '+' in the exponent.
      if (const size_t plus = t.Text.find('+'); plus != std::string::npos) t.Text.erase(plus, 1);
      t.Kind = TTokenKind::Float;
      return t;
    }
    t.Kind = TTokenKind::Integer;
    const auto [ptr, ec] = std::from_chars(t.Text.data(), t.Text.data() + t.Text.size(), t.Int);
    if (ec != std::errc() || ptr != t.Text.data() + t.Text.size()) {
      throw TSyntaxError{line_, "the integer " + t.Text + " is too large"};
    }
    return t;
  }

  TToken HexNumber(TToken& t) {
    const size_t start = ++pos_;
    while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    const std::string_view digits = text_.substr(start, pos_ - start);
    uint64_t v = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
    if (digits.empty() || ec != std::errc() || digits.size() > 16) {
      throw TSyntaxError{line_, Quoted("$" + std::string(digits)) + " is not a valid hexadecimal number"};
    }
    // Up to 8 digits are a 32-bit value, as the classic writer wrote colours.
    t.Int = digits.size() <= 8 ? int64_t(int32_t(uint32_t(v))) : int64_t(v);
    t.Text = std::to_string(t.Int);
    t.Kind = TTokenKind::Integer;
    return t;
  }

  // A run of quoted parts and #nn character codes, joined.
  TToken String(TToken& t) {
    t.Kind = TTokenKind::String;
    while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
      if (text_[pos_] == '\'') {
        ++pos_;
        for (;;) {
          if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r') {
            throw TSyntaxError{t.Line, "the string is not closed on its line"};
          }
          if (text_[pos_] == '\'') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
              t.Text += '\'';
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          t.Text += text_[pos_++];
        }
      } else {
        ++pos_;
        const bool hex = pos_ < text_.size() && text_[pos_] == '$';
        if (hex) ++pos_;
        const size_t start = pos_;
        while (pos_ < text_.size() &&
               (hex ? std::isxdigit(static_cast<unsigned char>(text_[pos_])) != 0 : IsDigit(text_[pos_]))) {
          ++pos_;
        }
        const std::string_view digits = text_.substr(start, pos_ - start);
        uint32_t cp = 0;
        const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), cp, hex ? 16 : 10);
        if (digits.empty() || ec != std::errc() || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
          throw TSyntaxError{line_, Quoted("#" + std::string(hex ? "$" : "") + std::string(digits)) +
                                        " is not a valid character code"};
        }
        text::AppendUtf8(t.Text, char32_t(cp));
      }
    }
    return t;
  }

  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
};

// ---------------------------------------------------------------------------
// The parsed tree

struct TPropertyLine {
  int Line = 0;
  std::vector<std::string> Path;
  TFormValue Value;
};

struct TObjectNode {
  int Line = 0;
  std::string Name;
  std::string ClassName;
  std::vector<TPropertyLine> Properties;
  std::vector<TObjectNode> Children;
};

// Reading starts with the first token in Root or LoneValue, so that a
// fault in it is reported like every other syntax error.
class TParser {
 public:
  explicit TParser(std::string_view text) : lexer_(text) {}

  TObjectNode Root() {
    Advance();
    if (!IsKeyword("object")) {
      if (IsKeyword("inherited") || IsKeyword("inline")) Fail("inherited descriptions are not supported");
      Fail("the description must start with 'object'");
    }
    TObjectNode root = Object(0);
    if (tok_.Kind != TTokenKind::End) Fail("unexpected " + Describe(tok_) + " after the final 'end'");
    return root;
  }

  // A lone value, for SetPropertyText.
  TFormValue LoneValue() {
    Advance();
    TFormValue v = Value();
    if (tok_.Kind != TTokenKind::End) Fail("unexpected " + Describe(tok_) + " after the value");
    return v;
  }

  const std::string& CurrentObject() const { return current_; }
  // "TPanel.Caption" while a property's value is read, else empty.
  std::string CurrentProperty() const { return property_.empty() ? std::string() : current_class_ + "." + property_; }

 private:
  static std::string Describe(const TToken& t) {
    switch (t.Kind) {
      case TTokenKind::End:
        return "end of text";
      case TTokenKind::Ident:
        return Quoted(t.Text);
      case TTokenKind::Integer:
      case TTokenKind::Float:
        return "the number " + t.Text;
      case TTokenKind::String:
        return "a string";
      case TTokenKind::Symbol:
        return std::string("'") + t.Symbol + "'";
    }
    return "a token";
  }

  [[noreturn]] void Fail(const std::string& reason) { throw TSyntaxError{tok_.Line, reason}; }

  void Advance() { tok_ = lexer_.Next(); }
  bool IsKeyword(std::string_view word) const { return tok_.Kind == TTokenKind::Ident && SameName(tok_.Text, word); }
  bool IsSymbol(char c) const { return tok_.Kind == TTokenKind::Symbol && tok_.Symbol == c; }
  std::string ExpectIdent(const char* what) {
    if (tok_.Kind != TTokenKind::Ident) Fail(std::string("expected ") + what + ", found " + Describe(tok_));
    std::string s = tok_.Text;
    Advance();
    return s;
  }

  TObjectNode Object(int depth) {
    if (depth > 64) Fail("objects are nested too deeply");
    TObjectNode node;
    node.Line = tok_.Line;
    Advance();  // 'object'
    std::string first = ExpectIdent("a component name");
    if (IsSymbol(':')) {
      Advance();
      node.Name = std::move(first);
      node.ClassName = ExpectIdent("a class name after ':'");
    } else {
      node.ClassName = std::move(first);
    }
    const std::string outer = current_;
    const std::string outer_class = current_class_;
    current_ = node.Name;
    current_class_ = node.ClassName;
    for (;;) {
      if (tok_.Kind == TTokenKind::End) {
        throw TSyntaxError{tok_.Line, "'end' missing for the object opened at line " + std::to_string(node.Line)};
      }
      if (IsKeyword("end")) {
        Advance();
        break;
      }
      if (IsKeyword("object")) {
        node.Children.push_back(Object(depth + 1));
        continue;
      }
      if (IsKeyword("inherited") || IsKeyword("inline")) Fail("inherited objects are not supported");
      node.Properties.push_back(Property());
    }
    current_ = outer;
    current_class_ = outer_class;
    return node;
  }

  TPropertyLine Property() {
    TPropertyLine p;
    p.Line = tok_.Line;
    p.Path.push_back(ExpectIdent("a property name or 'end'"));
    while (IsSymbol('.')) {
      Advance();
      p.Path.push_back(ExpectIdent("a property name after '.'"));
    }
    property_ = Join(p.Path);
    if (!IsSymbol('=')) Fail("expected '=' after " + property_ + ", found " + Describe(tok_));
    Advance();
    p.Value = Value();
    property_.clear();
    return p;
  }

  static std::string Join(const std::vector<std::string>& path) {
    std::string s;
    for (const std::string& part : path) s += (s.empty() ? "" : ".") + part;
    return s;
  }

  TFormValue Value() {
    const int line = tok_.Line;
    if (IsSymbol('-')) {
      Advance();
      if (tok_.Kind == TTokenKind::Integer) {
        if (tok_.Int == INT64_MIN) Fail("the integer -" + tok_.Text + " is too large");
        TFormValue v = TFormValue::Integer(-tok_.Int);
        Advance();
        return v;
      }
      if (tok_.Kind == TTokenKind::Float) {
        TFormValue v = TFormValue::Float("-" + tok_.Text);
        Advance();
        return v;
      }
      if (IsKeyword("Inf")) {
        Advance();
        return TFormValue::Ident("-Inf");
      }
      Fail("expected a number after '-', found " + Describe(tok_));
    }
    switch (tok_.Kind) {
      case TTokenKind::Integer: {
        TFormValue v = TFormValue::Integer(tok_.Int);
        Advance();
        return v;
      }
      case TTokenKind::Float: {
        TFormValue v = TFormValue::Float(tok_.Text);
        Advance();
        return v;
      }
      case TTokenKind::String: {
        std::string s = tok_.Text;
        Advance();
        while (IsSymbol('+')) {
          Advance();
          if (tok_.Kind != TTokenKind::String) Fail("expected a string after '+', found " + Describe(tok_));
          s += tok_.Text;
          Advance();
        }
        return TFormValue::String(std::move(s));
      }
      case TTokenKind::Ident: {
        std::string name = tok_.Text;
        Advance();
        while (IsSymbol('.')) {
          Advance();
          name += "." + ExpectIdent("a name after '.'");
        }
        return TFormValue::Ident(std::move(name));
      }
      case TTokenKind::Symbol:
        if (tok_.Symbol == '[') return Set();
        if (tok_.Symbol == '(' || tok_.Symbol == '<' || tok_.Symbol == '{') {
          Fail(std::string("values in '") + tok_.Symbol + "' are not supported");
        }
        break;
      case TTokenKind::End:
        throw TSyntaxError{line, "the value of " + property_ + " is missing"};
    }
    Fail("expected a value, found " + Describe(tok_));
  }

  TFormValue Set() {
    Advance();  // '['
    std::vector<std::string> items;
    if (IsSymbol(']')) {
      Advance();
      return TFormValue::Set(std::move(items));
    }
    for (;;) {
      items.push_back(ExpectIdent("a set element"));
      if (IsSymbol(']')) {
        Advance();
        return TFormValue::Set(std::move(items));
      }
      if (!IsSymbol(',')) Fail("expected ',' or ']' in the set, found " + Describe(tok_));
      Advance();
    }
  }

  TLexer lexer_;
  TToken tok_;
  std::string current_;
  std::string current_class_;
  std::string property_;
};

// ---------------------------------------------------------------------------
// Resolving property paths

struct TResolved {
  TObject* Target;
  const TPropInfo* Property;
};

// Walks a dotted path from `object` down the sub-objects. Errors are
// EPropertyError naming the part that failed.
TResolved Resolve(TObject& object, const TClassInfo& cls, const std::vector<std::string>& path) {
  TObject* target = &object;
  const TClassInfo* c = &cls;
  std::string done;
  for (size_t i = 0; i < path.size(); ++i) {
    const TPropInfo* p = c->FindProperty(path[i]);
    if (p == nullptr) throw EPropertyError(done.empty() ? "unknown property" : "unknown property of " + done);
    if (i + 1 == path.size()) return TResolved{target, p};
    if (p->Kind() != TPropKind::pkObject) throw EPropertyError(p->Name() + " has no properties of its own");
    TPersistent* sub = p->Object(*target);
    if (sub == nullptr) throw EPropertyError(p->Name() + " holds no object");
    c = SubObjectClassInfo(*p, *sub);
    if (c == nullptr) throw EPropertyError("the class " + std::string(sub->ClassName()) + " is not registered");
    done += (done.empty() ? "" : ".") + p->Name();
    target = sub;
  }
  throw EPropertyError("empty property name");
}

std::string JoinPath(const std::vector<std::string>& path) {
  std::string s;
  for (const std::string& part : path) s += (s.empty() ? "" : ".") + part;
  return s;
}

}  // namespace

// ---------------------------------------------------------------------------
// The reader

class TReader {
 public:
  explicit TReader(TComponent* existing_root) : root_(existing_root) {}

  TComponent* Read(const TObjectNode& node) {
    RegisterStandardClasses();
    BindRoot(node);
    try {
      // The classes of the root's fields are the ones its description uses.
      for (const TFieldInfo* f : root_class_->Fields()) f->FieldClass();
      Begin(root_, node.Line);
      if (!node.Name.empty()) Guard(node, "", [&] { root_->SetName(UniqueRootName(node.Name)); });
      ApplyProperties(*root_, *root_class_, node);
      for (const TObjectNode& child : node.Children) ReadChild(child, root_);
      ResolveFixups();
      AssignFields(node);
      for (size_t i = 0; i < created_.size(); ++i) {
        TComponent* c = created_[i];
        try {
          c->Loaded();
        } catch (const std::exception& e) {
          TFaultPlace place;
          try {
            if (const auto* nested = dynamic_cast<const std::nested_exception*>(&e)) nested->rethrow_nested();
          } catch (const TFaultPlace& p) {
            place = p;
            place.Property = std::string(c->ClassName()) + "." + place.Property;
          } catch (...) {
          }
          throw EFormError(lines_[i], c->Name(), place.Property, e.what(), place.Detail);
        }
      }
    } catch (...) {
      Abort();
      throw;
    }
    if (auto* form = dynamic_cast<TForm*>(root_); form != nullptr && form->Visible()) form->Show();
    return root_;
  }

 private:
  struct TFixup {
    TObject* Target;
    const TPropInfo* Property;
    std::string Name;
    int Line;
    std::string Component;
    std::string Path;
  };

  [[noreturn]] static void Fail(const TObjectNode& node, const std::string& property, const std::string& reason) {
    throw EFormError(node.Line, node.Name, property, reason);
  }

  template <class F>
  void Guard(const TObjectNode& node, const std::string& property, F&& f) {
    try {
      f();
    } catch (const EFormError&) {
      throw;
    } catch (const std::exception& e) {
      Fail(node, property, e.what());
    }
  }

  void BindRoot(const TObjectNode& node) {
    if (root_ != nullptr) {
      root_class_ = ObjectClassInfo(*root_);
      if (root_class_ == nullptr) {
        Fail(node, "", "the class " + std::string(root_->ClassName()) + " is not registered");
      }
      if (!SameName(root_class_->Name(), node.ClassName)) {
        Fail(node, "", "the description is of a " + node.ClassName + ", not of a " + root_class_->Name());
      }
    } else {
      const TClassInfo* cls = FindClass(node.ClassName);
      if (cls == nullptr) Fail(node, "", "unknown class " + Excerpt(node.ClassName));
      if (!cls->CanCreate()) Fail(node, "", "the class " + node.ClassName + " cannot be created");
      Guard(node, "", [&] { root_ = cls->Create(nullptr); });
      root_created_ = true;
      root_class_ = cls;
    }
  }

  // A second form of the same class under one owner becomes Name_1, Name_2...
  std::string UniqueRootName(const std::string& name) const {
    const TComponent* owner = root_->Owner();
    auto taken = [&](const std::string& n) {
      const TComponent* other = owner ? owner->FindComponent(n) : nullptr;
      return other != nullptr && other != root_;
    };
    if (!taken(name)) return name;
    for (int i = 1;; ++i) {
      const std::string candidate = name + "_" + std::to_string(i);
      if (!taken(candidate)) return candidate;
    }
  }

  void Begin(TComponent* c, int line) {
    created_.push_back(c);
    lines_.push_back(line);
    c->SetLoadingState(true);
  }

  void ReadChild(const TObjectNode& node, TComponent* enclosing) {
    const TClassInfo* cls = FindClass(node.ClassName);
    if (cls == nullptr) Fail(node, "", "unknown class " + Excerpt(node.ClassName));
    if (!cls->CanCreate()) Fail(node, "", "the class " + node.ClassName + " cannot be created");
    TComponent* c = nullptr;
    Guard(node, "", [&] { c = cls->Create(root_); });
    Begin(c, node.Line);
    if (!node.Name.empty()) Guard(node, "", [&] { c->SetName(node.Name); });
    if (auto* control = dynamic_cast<TControl*>(c)) {
      auto* parent = dynamic_cast<TWinControl*>(enclosing);
      if (parent == nullptr) {
        Fail(node, "", "a " + cls->Name() + " cannot be placed inside " +
                           (enclosing->Name().empty() ? "a " + std::string(enclosing->ClassName()) : enclosing->Name()));
      }
      Guard(node, "", [&] { control->SetParent(parent); });
    }
    ApplyProperties(*c, *cls, node);
    for (const TObjectNode& child : node.Children) ReadChild(child, c);
  }

  void ApplyProperties(TComponent& c, const TClassInfo& cls, const TObjectNode& node) {
    for (const TPropertyLine& line : node.Properties) {
      const std::string where = cls.Name() + "." + JoinPath(line.Path);
      try {
        Apply(c, cls, line, where);
      } catch (const EFormError&) {
        throw;
      } catch (const std::exception& e) {
        throw EFormError(line.Line, node.Name, where, e.what());
      }
    }
  }

  void Apply(TComponent& c, const TClassInfo& cls, const TPropertyLine& line, const std::string& where) {
    const TResolved r = Resolve(c, cls, line.Path);
    const TPropInfo& p = *r.Property;
    switch (p.Kind()) {
      case TPropKind::pkObject:
        throw EPropertyError(p.Name() + " is an object: set its properties (" + p.Name() + ".Name = ...)");
      case TPropKind::pkEvent: {
        if (line.Value.Kind != TFormValueKind::vkIdent) throw EPropertyError("expected the name of a method");
        const TMethodInfo* m = root_class_->FindMethod(line.Value.Text);
        if (m == nullptr) throw EPropertyError(root_class_->Name() + " has no method " + line.Value.Text);
        if (!p.Bind(*r.Target, *m, *root_)) {
          throw EPropertyError("the method " + m->Name() + " does not have the parameters of " + p.Name());
        }
        return;
      }
      case TPropKind::pkComponent:
        if (line.Value.Kind != TFormValueKind::vkIdent) throw EPropertyError("expected the name of a component");
        if (SameName(line.Value.Text, "nil")) {
          p.SetReference(*r.Target, nullptr);
        } else {
          fixups_.push_back(TFixup{r.Target, &p, line.Value.Text, line.Line, c.Name(), where});
        }
        return;
      default:
        p.Set(*r.Target, line.Value);
    }
  }

  void ResolveFixups() {
    for (const TFixup& f : fixups_) {
      TComponent* target = SameName(f.Name, root_->Name()) ? root_ : root_->FindComponent(f.Name);
      if (target == nullptr) throw EFormError(f.Line, f.Component, f.Path, "unknown component " + Excerpt(f.Name));
      try {
        f.Property->SetReference(*f.Target, target);
      } catch (const std::exception& e) {
        throw EFormError(f.Line, f.Component, f.Path, e.what());
      }
    }
  }

  void AssignFields(const TObjectNode& root_node) {
    for (const TFieldInfo* f : root_class_->Fields()) {
      TComponent* c = root_->FindComponent(f->Name());
      if (c == nullptr) Fail(root_node, "", "the description has no component for the field " + f->Name());
      if (!f->Assign(*root_, c)) {
        const size_t i = Index(c);
        throw EFormError(i < lines_.size() ? lines_[i] : root_node.Line, c->Name(), std::string(),
                         "a " + std::string(c->ClassName()) + " cannot go into the field " + f->Name() + " (" +
                             f->FieldClass().Name() + ")");
      }
    }
  }

  size_t Index(const TComponent* c) const {
    for (size_t i = 0; i < created_.size(); ++i) {
      if (created_[i] == c) return i;
    }
    return created_.size();
  }

  bool OwnedByRoot(const TComponent* c) const {
    for (int i = 0; i < root_->ComponentCount(); ++i) {
      if (root_->Components(i) == c) return true;
    }
    return false;
  }

  // Undoes a failed read: the components read are destroyed, the last first
  // (so children go before their parents).
  void Abort() {
    if (root_ == nullptr) return;
    if (root_created_) {
      delete root_;
      root_ = nullptr;
      return;
    }
    for (size_t i = created_.size(); i-- > 1;) {
      if (OwnedByRoot(created_[i])) delete created_[i];
    }
    root_->SetLoadingState(false);
  }

  TComponent* root_;
  const TClassInfo* root_class_ = nullptr;
  bool root_created_ = false;
  std::vector<TComponent*> created_;
  std::vector<int> lines_;
  std::vector<TFixup> fixups_;
};

namespace {

TObjectNode Parse(std::string_view text) {
  TParser parser(text);
  try {
    return parser.Root();
  } catch (const TSyntaxError& e) {
    throw EFormError(e.Line, parser.CurrentObject(), parser.CurrentProperty(), e.Reason);
  }
}

}  // namespace

void ReadComponentText(std::string_view text, TComponent* root) {
  if (root == nullptr) throw std::invalid_argument("ReadComponentText needs a root component");
  const TObjectNode node = Parse(text);
  TReader(root).Read(node);
}

std::unique_ptr<TComponent> CreateComponentFromText(std::string_view text) {
  const TObjectNode node = Parse(text);
  return std::unique_ptr<TComponent>(TReader(nullptr).Read(node));
}

void SetPropertyText(TObject& object, std::string_view path, std::string_view value) {
  RegisterStandardClasses();
  const TClassInfo* cls = ObjectClassInfo(object);
  if (cls == nullptr) throw EPropertyError("the class " + std::string(object.ClassName()) + " is not registered");
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t dot; (dot = path.find('.', start)) != std::string_view::npos; start = dot + 1) {
    parts.emplace_back(path.substr(start, dot - start));
  }
  parts.emplace_back(path.substr(start));
  const std::string where = cls->Name() + "." + std::string(path);
  try {
    TFormValue v;
    try {
      TParser parser(value);
      v = parser.LoneValue();
    } catch (const TSyntaxError& e) {
      throw EPropertyError(e.Reason);
    }
    const TResolved r = Resolve(object, *cls, parts);
    const TPropKind kind = r.Property->Kind();
    if (kind == TPropKind::pkObject || kind == TPropKind::pkEvent || kind == TPropKind::pkComponent) {
      throw EPropertyError("only plain values can be set from text");
    }
    r.Property->Set(*r.Target, v);
  } catch (const std::exception& e) {
    throw EPropertyError(where + ": " + e.what());
  }
}

}  // namespace korvo
