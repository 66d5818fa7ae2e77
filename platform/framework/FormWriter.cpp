#include "platform/framework/FormWriter.h"

#include <vector>

#include "platform/framework/Control.h"
#include "platform/framework/StdCtrls.h"

namespace korvo {
namespace {

std::string Quote(const std::string& s) {
  std::string out;
  bool open = false;
  for (const char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 32 || c == 127) {
      if (open) out += '\'';
      open = false;
      out += '#' + std::to_string(int(c));
      continue;
    }
    if (!open) out += '\'';
    open = true;
    out += ch;
    if (ch == '\'') out += '\'';
  }
  if (open) out += '\'';
  return out.empty() ? "''" : out;
}

const TClassInfo& ClassOf(const TObject& obj, const std::string& name) {
  const TClassInfo* cls = ObjectClassInfo(obj);
  if (cls == nullptr) {
    throw EPropertyError("the class " + std::string(obj.ClassName()) + (name.empty() ? "" : " of " + name) +
                         " is not registered");
  }
  return *cls;
}

const TClassInfo& SubClassOf(const TPropInfo& p, const TObject& sub, const std::string& name) {
  const TClassInfo* cls = SubObjectClassInfo(p, sub);
  if (cls == nullptr) throw EPropertyError("the class " + std::string(sub.ClassName()) + " of " + name + " is not registered");
  return *cls;
}

class TWriter {
 public:
  explicit TWriter(const TComponent& root) : root_(root) {}

  std::string Write() {
    WriteObject(root_, 0);
    return out_;
  }

 private:
  void Line(int indent, const std::string& text) {
    out_.append(size_t(indent), ' ');
    out_ += text;
    out_ += '\n';
  }

  void WriteObject(const TComponent& c, int indent) {
    const TClassInfo& cls = ClassOf(c, c.Name());
    Line(indent, "object " + (c.Name().empty() ? std::string() : c.Name() + ": ") + cls.Name());
    WriteProperties(c, cls, std::string(), indent + 2);
    for (const TComponent* child : Children(c)) WriteObject(*child, indent + 2);
    Line(indent, "end");
  }

  std::vector<const TComponent*> Children(const TComponent& c) const {
    std::vector<const TComponent*> out;
    if (&c == &root_) {
      for (int i = 0; i < root_.ComponentCount(); ++i) {
        const TComponent* owned = root_.Components(i);
        if (dynamic_cast<const TControl*>(owned) == nullptr) out.push_back(owned);
      }
    }
    if (const auto* w = dynamic_cast<const TWinControl*>(&c)) {
      for (int i = 0; i < w->ControlCount(); ++i) {
        const TControl* child = w->Controls(i);
        if (child->Owner() == &root_) out.push_back(child);
      }
    }
    return out;
  }

  void WriteProperties(const TObject& obj, const TClassInfo& cls, const std::string& prefix, int indent) {
    for (const TPropInfo* p : cls.Properties()) {
      if (!p->IsStored(obj)) continue;
      const std::string name = prefix + p->Name();
      switch (p->Kind()) {
        case TPropKind::pkObject: {
          // Reading the sub-object does not change it; the getter is simply
          // not const.
          TPersistent* sub = p->Object(const_cast<TObject&>(obj));
          if (sub != nullptr) WriteProperties(*sub, SubClassOf(*p, *sub, name), name + ".", indent);
          break;
        }
        case TPropKind::pkEvent:
          Line(indent, name + " = " + p->BoundMethod(obj));
          break;
        case TPropKind::pkComponent: {
          const TComponent* ref = p->Reference(obj);
          if (ref == &root_ || (ref->Owner() == &root_ && !ref->Name().empty())) {
            Line(indent, name + " = " + ref->Name());
          }
          break;
        }
        default:
          Line(indent, name + " = " + FormatFormValue(p->Get(obj)));
      }
    }
  }

  const TComponent& root_;
  std::string out_;
};

}  // namespace

std::string FormatFormValue(const TFormValue& value) {
  switch (value.Kind) {
    case TFormValueKind::vkInteger:
    case TFormValueKind::vkFloat:
    case TFormValueKind::vkIdent:
      return value.Text;
    case TFormValueKind::vkString:
      return Quote(value.Text);
    case TFormValueKind::vkSet: {
      std::string s = "[";
      for (size_t i = 0; i < value.Items.size(); ++i) s += (i ? ", " : "") + value.Items[i];
      return s + "]";
    }
  }
  return std::string();
}

std::string WriteComponentText(const TComponent& root) {
  RegisterStandardClasses();
  return TWriter(root).Write();
}

std::string GetPropertyText(const TObject& object, const std::string& path) {
  RegisterStandardClasses();
  const TObject* target = &object;
  const TClassInfo* cls = &ClassOf(object, std::string());
  size_t start = 0;
  for (;;) {
    const size_t dot = path.find('.', start);
    const std::string part = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    const TPropInfo* p = cls->FindProperty(part);
    if (p == nullptr) throw EPropertyError(cls->Name() + "." + path + ": unknown property");
    if (dot == std::string::npos) {
      const TPropKind kind = p->Kind();
      if (kind == TPropKind::pkObject || kind == TPropKind::pkEvent || kind == TPropKind::pkComponent) {
        throw EPropertyError(cls->Name() + "." + path + ": not a plain value");
      }
      return FormatFormValue(p->Get(*target));
    }
    if (p->Kind() != TPropKind::pkObject) throw EPropertyError(cls->Name() + "." + path + ": not an object");
    const TPersistent* sub = p->Object(const_cast<TObject&>(*target));
    if (sub == nullptr) throw EPropertyError(cls->Name() + "." + path + ": " + part + " holds no object");
    cls = &SubClassOf(*p, *sub, part);
    target = sub;
    start = dot + 1;
  }
}

}  // namespace korvo
