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
//   layout->addWidget(korvo::ControlWidget(chart));
//   ...
//   delete chart;  // before the QApplication goes; the widget goes with it
//
// The widget stays the window system's: destroy the control (which deletes
// the widget) rather than the widget. Should the Qt parent delete the widget
// first, the control simply loses its window's events.
#pragma once

#include <memory>

#include "platform/framework/WindowSystem.h"

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
std::unique_ptr<TWindowSystem> CreateQtWindowSystem(int& argc, char** argv);

// The QWidget showing `control`, its window created when it had none;
// nullptr when control is null. Raises Exception, saying to call
// InstallWindowSystem first, when the installed window system is not Qt's.
// See the header comment for hosting a control in a Qt layout.
QWidget* ControlWidget(TWinControl* control);

}  // namespace korvo
