#include "platform/framework/Application.h"

#include <algorithm>

namespace korvo {

// ---------------------------------------------------------------------------
// TApplication

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

void TApplication::Initialize() { (void)WindowSystem(); }

void TApplication::Run() {
  if (main_form_ != nullptr) main_form_->Show();
  WindowSystem()->RunLoop([this] { return terminated_; });
}

void TApplication::ProcessMessages() { WindowSystem()->ProcessMessages(); }

void TApplication::Terminate() {
  terminated_ = true;
  WindowSystem()->WakeUp();
}

void TApplication::PostWork(std::function<void()> work) { WindowSystem()->PostWork(std::move(work)); }

int TApplication::MessageBox(const std::string& text, const std::string& caption, int flags) {
  return WindowSystem()->MessageBox(text, caption, flags);
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException) {
    OnException(this, e);
    return;
  }
  MessageBox(e.what(), title_, MB_OK | MB_ICONSTOP);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == main_form_) {
    // The main form is gone: nothing is left to run for.
    main_form_ = nullptr;
    Terminate();
  }
}

// ---------------------------------------------------------------------------
// TScreen

int TScreen::PixelsPerInch() const { return WindowSystem()->ScreenPixelsPerInch(); }
int TScreen::Width() const { return WindowSystem()->ScreenSize().cx; }
int TScreen::Height() const { return WindowSystem()->ScreenSize().cy; }

TCursorHandle TScreen::Cursors(int index) const {
  const auto it = cursors_.find(index);
  if (it != cursors_.end()) return it->second;
  TWindowSystem* ws = WindowSystem();
  if (index <= crDefault && index >= crFirstStandard) return ws->StandardCursor(TCursor(index));
  return ws->StandardCursor(crArrow);
}

void TScreen::SetCursors(int index, TCursorHandle handle) {
  if (handle == 0) {
    cursors_.erase(index);
  } else {
    cursors_[index] = handle;
  }
  if (index == cursor_ && cursor_ != crDefault) WindowSystem()->SetScreenCursor(Cursors(cursor_));
}

void TScreen::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  WindowSystem()->SetScreenCursor(cursor == crDefault ? 0 : Cursors(cursor));
}

TForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) {
    throw EComponentError("form index " + std::to_string(index) + " out of bounds");
  }
  return forms_[size_t(index)];
}

void TScreen::AddForm(TForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TForm* form) { std::erase(forms_, form); }

bool TScreen::HasForm(const TForm* form) const {
  return std::find(forms_.begin(), forms_.end(), form) != forms_.end();
}

// ---------------------------------------------------------------------------
// TClipboard

void TClipboard::Assign(const TPersistent& source) {
  if (auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
    WindowSystem()->SetClipboardBitmap(*bitmap);
    return;
  }
  TPersistent::Assign(source);
}

bool TClipboard::HasBitmap() const { return WindowSystem()->ClipboardHasBitmap(); }

bool TClipboard::GetBitmap(TBitmap& bitmap) const { return WindowSystem()->GetClipboardBitmap(bitmap); }

void TClipboard::Clear() { WindowSystem()->ClearClipboard(); }

void TClipboard::AssignTo(TPersistent& dest) const {
  if (auto* bitmap = dynamic_cast<TBitmap*>(&dest)) {
    if (!GetBitmap(*bitmap)) throw EConvertError("The clipboard holds no bitmap");
    return;
  }
  TPersistent::AssignTo(dest);
}

// ---------------------------------------------------------------------------
// The program-wide objects live until the program ends; they are never
// destroyed, so that forms and controls may outlive any static object.

TApplication* Application() {
  static TApplication* app = new TApplication(nullptr);
  return app;
}

TScreen* Screen() {
  static TScreen* screen = new TScreen;
  return screen;
}

TClipboard* Clipboard() {
  static TClipboard* clipboard = new TClipboard;
  return clipboard;
}

}  // namespace korvo
