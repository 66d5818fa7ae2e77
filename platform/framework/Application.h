// The application, the screen and the clipboard: the program-wide services
// of the framework, each a single object reached through a function
// (Application(), Screen(), Clipboard()) and served by the window system.
#pragma once

#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Export.h"
#include "platform/framework/Component.h"
#include "platform/framework/Cursors.h"
#include "platform/framework/StdCtrls.h"
#include "platform/framework/WindowSystem.h"
#include "platform/graphics/Bitmap.h"

namespace korvo {

// The program: its title, its forms (the application owns the forms it
// creates) and the event loop. The application object is never destroyed;
// a program whose window system must outlive the windows (Qt) destroys the
// forms after Run with Application()->DestroyComponents().
class PLOTWELL_API TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* owner);
  const char* ClassName() const override { return "TApplication"; }

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  // Prepares the application; call once at the start of the program.
  void Initialize();

  // Creates a form of class T owned by the application (T's constructor
  // reads its form description); the first form created becomes the main
  // form.
  template <class T>
  T* CreateForm() {
    T* form = new T(this);
    if (main_form_ == nullptr) main_form_ = form;
    return form;
  }
  TForm* MainForm() const { return main_form_; }

  // Shows the main form and runs the event loop until Terminate (closing
  // the main form terminates). The headless window system returns as soon
  // as nothing is left to do.
  void Run();
  // Handles every pending event, paint and posted work, then returns; event
  // handlers call it to keep the program responsive during long work.
  void ProcessMessages();
  // Asks the event loop to end. Long-running loops inside handlers should
  // check Terminated().
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Runs `work` at the next turn of the event loop.
  void PostWork(std::function<void()> work);

  // Shows a modal message box (MB_ flags) and returns the button pressed.
  int MessageBox(const std::string& text, const std::string& caption, int flags = MB_OK);

  // What happens to an exception that escapes an event handler run by the
  // event loop: OnException when assigned, else a message box with the
  // exception's text (MB_ICONSTOP, the application title as caption).
  void HandleException(const std::exception& e);
  std::function<void(TObject* Sender, const std::exception& E)> OnException;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::string title_;
  TForm* main_form_ = nullptr;
  bool terminated_ = false;
};

// The display: resolution, the cursor table and the screen cursor, the forms.
class PLOTWELL_API TScreen {
 public:
  int PixelsPerInch() const;
  int Width() const;
  int Height() const;

  // The cursor registered under `index`: the standard cursors (crArrow ...)
  // unless replaced, the program's own under positive numbers. An index
  // without a cursor gives the arrow.
  TCursorHandle Cursors(int index) const;
  // Registers a cursor under `index`; handle 0 removes the entry (a
  // standard index gets its standard cursor back).
  void SetCursors(int index, TCursorHandle handle);

  // The cursor shown over the whole application; crDefault lets each control
  // show its own.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

  int FormCount() const { return int(forms_.size()); }
  TForm* Forms(int index) const;

 private:
  friend class TForm;
  void AddForm(TForm* form);
  void RemoveForm(TForm* form);
  bool HasForm(const TForm* form) const;

  std::map<int, TCursorHandle> cursors_;
  TCursor cursor_ = crDefault;
  std::vector<TForm*> forms_;
};

// The system clipboard, for bitmaps: Clipboard()->Assign(bitmap) puts a copy
// on it; bitmap.Assign(*Clipboard()) reads it back.
class PLOTWELL_API TClipboard : public TPersistent {
 public:
  const char* ClassName() const override { return "TClipboard"; }
  // Takes a TBitmap; other sources raise EConvertError.
  void Assign(const TPersistent& source) override;
  bool HasBitmap() const;
  // Copies the clipboard's bitmap into `bitmap`; false (bitmap unchanged)
  // when the clipboard holds none.
  bool GetBitmap(TBitmap& bitmap) const;
  void Clear();

 protected:
  // Into a TBitmap; EConvertError when the clipboard holds no bitmap.
  void AssignTo(TPersistent& dest) const override;
};

PLOTWELL_API TApplication* Application();
PLOTWELL_API TScreen* Screen();
PLOTWELL_API TClipboard* Clipboard();

}  // namespace korvo
