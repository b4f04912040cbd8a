// The application object: one per run, made first in wWinMain and ended last.
//   TApplication app; ... app.Run();   elsewhere: Application()->Handle()
// It initialises COM, owns the hidden top-level window (owner of the reminder box and of
// shell calls; its text is the application title), runs the message loop and turns an
// exception raised in a handler into a message (HandleException).
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/com_initialization.h"

namespace toolkit {

class TForm;

class TApplication {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  HWND Handle() const { return handle_; }
  bool ComInitialized() const { return com_.Succeeded(); }
  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& title);

  // The first form made becomes the main window: Run shows it, and closing it ends Run.
  HWND MainWindow() const { return mainWindow_; }
  // The owner of modal dialogs: the main window, else the hidden window.
  HWND DialogOwner() const { return mainWindow_ != nullptr ? mainWindow_ : handle_; }

  // Makes a form of class Form, points reference at it, keeps it until the application
  // ends and runs its onCreate handler. The first form becomes the main window.
  template <class Form>
  void CreateForm(Form*& reference) {
    auto form = std::make_unique<Form>();
    reference = form.get();
    TForm& created = *form;
    AddForm(std::move(form));
    DoCreate(created);
  }

  // Shows the main window and processes messages until Terminate; returns at once
  // when there is no main window. Dialog keys go to the form they are typed in first.
  void Run();
  // Ends the message loop (closing the main window does this).
  void Terminate();

  // Call inside a catch block: an EAbort is dropped, any other error is shown in a box
  // with a stop icon captioned with the title. Never throws.
  void HandleException() noexcept;

 private:
  void AddForm(std::unique_ptr<TForm> form);
  void SetMainWindow(HWND window);
  static void DoCreate(TForm& form);
  bool IsDialogKey(const MSG& message) noexcept;

  ComInitialization com_;  // declared first: uninitialised after every window is gone
  std::wstring title_;
  HWND handle_ = nullptr;
  HWND mainWindow_ = nullptr;
  std::vector<std::unique_ptr<TForm>> forms_;
};

// The application object while it lives, else nullptr.
TApplication* Application();

// Runs a window procedure's work so that no exception unwinds into the system:
// an exception goes to the application's handler and the call returns onError.
template <class Work>
LRESULT CallbackBarrier(Work&& work, LRESULT onError = 0) noexcept {
  try {
    return work();
  } catch (...) {
    if (TApplication* app = Application()) app->HandleException();
    return onError;
  }
}

}  // namespace toolkit
