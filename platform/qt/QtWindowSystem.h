// The Qt 6 window system: real windows for the framework's forms and
// controls. Only programs link it (target `qtwindows`); the libraries and
// their tests run on the headless window system. This header includes no Qt
// header, so a program needs none to use it:
//
//   int main(int argc, char** argv) {
//     auto ws = korvo::CreateQtWindowSystem(argc, argv);
//     korvo::InstallWindowSystem(ws.get());
//     korvo::RegisterPlotwellCursors();          // resources/PlotwellCursors.h
//     korvo::Application()->Initialize();
//     korvo::Application()->CreateForm<TMyForm>();
//     korvo::Application()->Run();
//     korvo::Application()->DestroyComponents();  // the forms go before the window system
//   }                                             // ~ws uninstalls itself and ends Qt
//
// How the framework appears on Qt:
//   - A top-level form is a window of its client size, captioned with the
//     form's Caption; Left and Top are the position of its frame. The frame
//     the framework reckons with (FormFrame) is a fixed {4, 23, 4, 4}, as on
//     the headless system, so a form has the same client area everywhere;
//     the window manager's own frame may differ. Closing the window calls
//     TForm::Close (closing the main form ends Application()->Run); a user's
//     resize or move becomes SetBounds, and a size the control refuses is
//     put back.
//   - A control with a surface (custom controls, panels, forms) is a widget
//     whose paint shows that 32-bit surface in one blit, read in place
//     without a copy. InvalidateWindow schedules a paint: the paint handler
//     runs PaintWindow when a repaint is pending, then shows the surface and
//     calls SurfacePresented. PresentWindow schedules showing alone; one that
//     comes from inside the paint of the same control is folded into it.
//     Graphic controls (bevels) are drawn into their parent's surface by the
//     framework. A surface larger or smaller than its widget (during a
//     resize) is shown clipped, the rest in the control's colour.
//   - A button is a QPushButton showing Caption, Enabled and Font. Mouse
//     input reaches it as on every control (OnMouseDown, OnMouseUp, and the
//     framework's click from press and release inside); a click from the
//     keyboard or from QAbstractButton::click calls TButton::Click too.
//   - Mouse input goes to the control under the pointer (a graphic control
//     for its area of the parent) in its client coordinates, with the shift
//     state of keys and buttons: press, double click (for the second press),
//     release, move, enter, leave and wheel (the wheel's MousePos is in
//     client coordinates too). The control that got a press keeps the mouse
//     until all buttons are released, wherever the pointer goes. A disabled
//     control, or one inside a disabled parent, swallows the input.
//   - Keys go to the control whose widget has the keyboard focus, which a
//     Focusable() control takes by a click or by Tab: KeyDown with the VK_
//     code and the shift state, then KeyPress with the ASCII character the
//     key types unless KeyDown took the key; KeyUp on the release (not for
//     auto-repeat, which presses again). A control whose DialogCode wants
//     Tab gets Tab as a key, and Ctrl+Tab moves the focus on from it. A key
//     a control leaves is passed up to a Qt program's own widgets, not to
//     the framework's controls around it.
//   - Cursors: the standard ones are Qt's shapes; LoadCursor builds the
//     program's own from the images registered under their names
//     (platform/framework/CursorResources.h) and answers 0 for an unknown
//     name. SetScreenCursor is Qt's override cursor.
//   - The clipboard is the system clipboard, holding an image; a transparent
//     image read from it is composed onto white.
//   - MessageBox is a modal QMessageBox with the buttons and icon of the MB_
//     flags; the answer is the ID of the button pressed (closing the box
//     answers Cancel where it has one, else No, else OK).
//   - ProcessMessages handles the pending Qt events, the posted work queued
//     so far and the paints they asked for, and returns (called from inside
//     a paint, it runs only the posted work). RunLoop waits for
//     events until its `terminated` says so, or until no window is visible
//     and no work is posted.
//   - Exceptions escaping a handler go to Application()->HandleException
//     (from a paint: at the next turn of the event loop, after the paint).
//   - The window of a destroyed control is hidden and cut off from it at
//     once and deleted when no handler runs, so a handler may destroy the
//     control it was called for.
//
// Hosting a framework control in a Qt program's own widgets: ControlWidget
// returns the QWidget of a control, creating the window first. For a control
// without a framework parent (typically a TCustomControl such as a chart,
// created with `new` and no parent) the widget is created hidden and without
// a parent; put it into any QLayout (or give it a Qt parent) and it shows
// with its new parent. The control then follows the widget: every resize of
// the widget by the layout becomes SetBounds, and the widget's size hint is
// the control's size.
//
//   auto* chart = new korvo::TPlotwell(nullptr);
//   chart->SetBounds(0, 0, 400, 300);
//   layout->addWidget(korvo::ControlWidget(chart));  // the layout's widget owns the chart
//
// Who frees such a control (one without a framework parent), as the Qt
// programmer expects of a child widget:
//   - hoWidget (the default): the widget owns the control. When Qt deletes
//     the widget (its Qt parent goes, or the program deletes it), the
//     control is deleted with it (after the handler of ours that runs, if
//     one does). The program may still delete the control first; the
//     widget then goes with it and frees nothing more. Do not delete the
//     control after Qt deleted its widget: it is gone.
//   - hoProgram: the program keeps the control (on the stack, in a
//     unique_ptr, as a member) and deletes it; should the widget be deleted
//     first, the control only loses its window's events.
// Every call says the ownership anew. A control with a framework parent
// belongs to that parent whatever is asked. When the window system ends
// first, its widgets are deleted without their controls, which keep running
// on the headless system (and are then the program's to delete).
//
// Printing through Qt: the framework's printer (platform/graphics/Printer.h)
// prints onto a QPrinter while `job` runs. `job` draws as on any printer:
// Printer()->BeginDoc(), drawing on Printer()->Canvas() (its page is the
// QPrinter's printable area in device pixels, at the QPrinter's resolution;
// Printer()->PageWidth(), PageHeight() and PixelsPerInch() say which),
// NewPage() between pages, EndDoc(); a chart's Print does all of it:
//
//   korvo::PrintWithDialog([chart] { chart->Print(); }, &window);
//   korvo::PrintToPdf("chart.pdf", [chart] { chart->Print(); });
//
// Each finished page goes to the QPrinter as one picture at device
// resolution. A document `job` leaves open is ended for it; an exception
// from `job` abandons the document (QPrinter::abort) and is passed on.
// Printing needs a QApplication; the window system need not be installed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Export.h"
#include "platform/framework/WindowSystem.h"

class QPrinter;
class QWidget;

namespace korvo {

// Creates the Qt window system. When the program has made its QApplication
// already, that one is used and stays the program's; otherwise the window
// system makes one from argc and argv (which must outlive it) and ends it
// when it is destroyed, after every widget and cursor it made. Raises
// Exception when Qt runs without widgets (a QCoreApplication or
// QGuiApplication exists) or a second Qt window system is made.
//
// The window system is not installed by this call (InstallWindowSystem);
// destroying it uninstalls it when it is installed. Windows still open then
// are deleted, and their controls keep running on the headless system.
PLOTWELL_API std::unique_ptr<TWindowSystem> CreateQtWindowSystem(int& argc, char** argv);

// Who frees a control hosted in Qt widgets (see the header comment).
enum class THostOwnership : uint8_t { hoWidget, hoProgram };

// The QWidget showing `control`, its window created when it had none;
// nullptr when control is null. Raises Exception, saying to call
// InstallWindowSystem first, when the installed window system is not Qt's.
// See the header comment for hosting a control in a Qt layout and for
// `ownership`.
PLOTWELL_API QWidget* ControlWidget(TWinControl* control, THostOwnership ownership = THostOwnership::hoWidget);

// Prints what `job` draws onto `printer`, as the program set it up (page
// size, margins, resolution, output file); returns the number of pages.
// Raises Exception when the printer cannot be opened, when `job` opened a
// second document, or when a print job is under way already.
PLOTWELL_API int PrintOn(QPrinter& printer, const std::function<void()>& job);

// Shows the usual print dialog (parented to `parent` when given) for the
// system's printers, then prints what `job` draws; false, without running
// `job`, when the user cancels. The page is at most 600 pixels per inch.
PLOTWELL_API bool PrintWithDialog(const std::function<void()>& job, QWidget* parent = nullptr);

// The page of a PDF file: its size and margins in millimetres (A4 portrait,
// 10 mm margins by default) and the resolution the page is drawn at.
struct TPdfPage {
  double WidthMm = 210;
  double HeightMm = 297;
  double MarginMm = 10;
  int PixelsPerInch = 300;
};

// Prints what `job` draws to a PDF file at `path`, through Qt's PDF
// printer. The file is written beside `path` and renamed onto it when
// complete, so a failure never leaves a half-written file (nor touches a
// file already there). Raises Exception naming the path when it cannot be
// written, when `job` printed no page, or naming the field of a `page`
// that has no printable area or a resolution outside 1 .. 2400.
PLOTWELL_API void PrintToPdf(const std::string& path, const std::function<void()>& job, const TPdfPage& page = {});

}  // namespace korvo
