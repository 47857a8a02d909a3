#pragma once

// The application object: exactly one per process, constructed before the
// entry routine runs. The entry routine starts the window system's application
// (its name, version, icon), lets the application object start up in
// InitInstance and ends the program.

namespace korvel {

class CDialog;

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // The process's application object, or null before one is constructed.
  static CWinApp* current();

  // Start-up. Returning false ends the program without a message loop of its own.
  virtual bool InitInstance() = 0;
  // Runs after the message loop, when InitInstance returned true.
  virtual int ExitInstance() { return 0; }

  // The dialog that owns the program's other dialogs while it is open.
  CDialog* mainWindow() const { return mainWindow_; }
  void setMainWindow(CDialog* window) { mainWindow_ = window; }

  // The entry routine: starts the window system, runs the instance, ends. Only
  // the program's name reaches the window system, so the rest of the command
  // line is never read.
  int run(int argc, char** argv);

 private:
  // With the window system started: InitInstance, the message loop and
  // ExitInstance. Returns the program's exit status.
  int runInstance();
  // The window system's message loop, until the program quits.
  void runMessageLoop();

  CDialog* mainWindow_ = nullptr;
};

}  // namespace korvel
