#pragma once

// The application object: exactly one per process, constructed before the
// entry routine runs. The entry routine creates the QApplication, lets the
// application object start up in InitInstance and ends the program.

#include <QString>
#include <memory>

class QApplication;
class QWidget;

namespace korvel {

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

  // The window that owns the program's dialogs while it is open.
  QWidget* mainWindow() const { return mainWindow_; }
  void setMainWindow(QWidget* window) { mainWindow_ = window; }

  // The entry routine. Only the program's name reaches the QApplication, so
  // neither korvel nor Qt reads the rest of the command line.
  int run(int argc, char** argv);

 private:
  std::unique_ptr<QApplication> application_;
  int qtArgc_ = 1;
  char* qtArgv_[2] = {nullptr, nullptr};
  QWidget* mainWindow_ = nullptr;
};

// The application's name: the executable's file name without its extension
// (the last point and what follows it).
QString applicationNameFor(const QString& executablePath);

}  // namespace korvel
