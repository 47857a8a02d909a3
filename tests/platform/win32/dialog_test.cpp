// The Windows form and About box driven through Win32 messages: their
// controls, the dialog manager's keys, the system menu, the message boxes and
// the save dialog, answered from a second thread as a user would.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "calc/calculate_command.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "tests/support/worked_example.h"
#include "platform/write_progress.h"
#include "ui/about_dlg.h"
#include "ui/time_history_dlg.h"

// After the program's headers: its ids share names with the system's macros.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/dialog_window.h"

namespace korvel::test {
namespace {

std::string textOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string classOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// A visible top-level window of this process with this caption, other than `other`.
HWND findWindow(const std::string& caption, HWND other = nullptr) {
  struct Search {
    const std::string& caption;
    HWND other;
    HWND found;
  } search{caption, other, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) CALLBACK -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId() || window == s.other || !IsWindowVisible(window)) return TRUE;
        if (textOf(window) != s.caption) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A visible window owned by `owner`, whatever its caption.
HWND findOwnedBy(HWND owner) {
  struct Search {
    HWND owner;
    HWND found;
  } search{owner, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) CALLBACK -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (GetWindow(window, GW_OWNER) != s.owner || !IsWindowVisible(window)) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND waitForWindow(const std::string& caption, HWND other = nullptr) {
  for (int tries = 0; tries < 200; ++tries) {
    if (HWND window = findWindow(caption, other)) return window;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return nullptr;
}

// Message boxes take their caption from the executable's name: this program's.
constexpr const char* kBoxCaption = "win32_dialog_test";

// A message box's text and icon, then OK.
struct AnsweredBox {
  std::string text;
  HICON icon = nullptr;
  HWND owner = nullptr;
};

AnsweredBox answerMessageBox(HWND form) {
  AnsweredBox box;
  HWND window = waitForWindow(kBoxCaption, form);
  if (window == nullptr) return box;
  box.text = textOf(GetDlgItem(window, 0xFFFF));
  box.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(window, 0x0440, STM_GETICON, 0, 0));
  box.owner = GetWindow(window, GW_OWNER);
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  return box;
}

// Types `path` into the save dialog and confirms it.
bool answerSaveDialog(const std::string& path) {
  HWND dialog = waitForWindow("Save As");
  if (dialog == nullptr) return false;
  for (int id : {0x047C, 0x0480}) SetDlgItemTextA(dialog, id, path.c_str());  // the name's combo or edit
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  return true;
}

void pressKey(HWND dialog, HWND control, WPARAM key) {
  MSG message{control, WM_KEYDOWN, key, 0, 0, {}};
  IsDialogMessageA(dialog, &message);
}

void type(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

void typeWorkedExample(HWND form) {
  type(form, res::IDC_AMPLITUDE, "1");
  type(form, res::IDC_FREQUENCY, "10");
  type(form, res::IDC_DELAY, "0");
  type(form, res::IDC_DURATION, "0.2");
  type(form, res::IDC_SAMPLES_PER_SECOND, "100");
}

std::string contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A folder of its own for each test, removed afterwards.
struct TempFolder {
  std::filesystem::path path;
  std::filesystem::path previous = std::filesystem::current_path();
  TempFolder() {
    path = std::filesystem::temp_directory_path() /
           ("korvel-dialog-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()));
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

bool centredOver(HWND window, const RECT& area) {
  RECT own;
  GetWindowRect(window, &own);
  const int dx = (own.left + own.right) - (area.left + area.right);
  const int dy = (own.top + own.bottom) - (area.top + area.bottom);
  return std::abs(dx) <= 2 && std::abs(dy) <= 2;
}

// Wine shows windows only with an X display; without one the tests skip.
class Win32Dialogs : public testing::Test {
 protected:
  void SetUp() override {
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (probe == nullptr) GTEST_SKIP() << "no display to show windows on";
    DestroyWindow(probe);
  }
};

TEST_F(Win32Dialogs, ControlsFollowTheirTemplatesInDialogUnits) {
  CTimeHistoryDlg form;
  form.Create();
  CAboutDlg about;
  about.Create();
  for (const CDialog* dialog : {static_cast<const CDialog*>(&form), static_cast<const CDialog*>(&about)}) {
    HWND window = windowOf(*dialog);
    ASSERT_NE(window, nullptr);
    const res::DialogTemplate& t = dialog->dialogTemplate();
    EXPECT_EQ(textOf(window), t.caption);
    RECT client{0, 0, t.width, t.height};
    MapDialogRect(window, &client);
    RECT actual;
    GetClientRect(window, &actual);
    EXPECT_EQ(actual.right, client.right);
    EXPECT_EQ(actual.bottom, client.bottom);
    HWND child = GetWindow(window, GW_CHILD);
    for (const res::ControlTemplate& control : t.controls) {
      ASSERT_NE(child, nullptr) << control.text;
      SCOPED_TRACE(std::string(control.text) + " " + std::to_string(control.id));
      EXPECT_EQ(GetDlgCtrlID(child), control.id == res::IDC_STATIC ? 0xFFFF : control.id);
      if (control.kind != res::ControlKind::Icon) {
        EXPECT_EQ(textOf(child), control.text);
      }
      const char* expectedClass = control.kind == res::ControlKind::Edit      ? "Edit"
                                  : control.kind == res::ControlKind::ListBox ? "ListBox"
                                  : control.kind == res::ControlKind::PushButton ||
                                          control.kind == res::ControlKind::GroupBox
                                      ? "Button"
                                      : "Static";
      EXPECT_EQ(classOf(child), expectedClass);
      // The dialog manager maps the position and the size each on its own.
      RECT expected{control.x, control.y, control.width, control.height};
      MapDialogRect(window, &expected);
      RECT placed;
      GetWindowRect(child, &placed);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&placed), 2);
      EXPECT_EQ(placed.left, expected.left);
      EXPECT_EQ(placed.top, expected.top);
      if (control.kind != res::ControlKind::Icon) {  // an icon control takes its icon's size
        EXPECT_EQ(placed.right - placed.left, expected.right);
        EXPECT_EQ(placed.bottom - placed.top, expected.bottom);
      }
      child = GetWindow(child, GW_HWNDNEXT);
    }
  }
  HWND window = windowOf(form);
  EXPECT_TRUE(GetWindowLongA(GetDlgItem(window, IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_EQ(SendMessageA(window, WM_QUERYDRAGICON, 0, 0), SendMessageA(window, WM_GETICON, ICON_BIG, 0));
}

TEST_F(Win32Dialogs, FormTabsInTemplateOrderAndListsTheHalfSineCounts) {
  CTimeHistoryDlg form;
  form.Create();
  HWND window = windowOf(form);
  const std::vector<int> order{IDOK,
                               IDCANCEL,
                               res::IDC_AMPLITUDE,
                               res::IDC_DELAY,
                               res::IDC_HALF_SINES,
                               res::IDC_DURATION,
                               res::IDC_FREQUENCY,
                               res::IDC_SAMPLES_PER_SECOND,
                               IDOK};
  HWND control = GetDlgItem(window, IDOK);
  for (std::size_t k = 1; k < order.size(); ++k) {
    control = GetNextDlgTabItem(window, control, FALSE);
    EXPECT_EQ(GetDlgCtrlID(control), order[k]) << "tab " << k;
  }
  HWND list = GetDlgItem(window, res::IDC_HALF_SINES);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), kHalfSineEntryCount);
  for (int k = 0; k < kHalfSineEntryCount; ++k) {
    char label[16] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(label, std::to_string(halfSineCountForIndex(k)));
  }
  EXPECT_EQ(std::to_string(halfSineCountForIndex(0)), "3");
  EXPECT_EQ(std::to_string(halfSineCountForIndex(kHalfSineEntryCount - 1)), "23");
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
}

// Start-up, the system menu's About entry, the About box and Escape, as a
// modal run of the form.
TEST_F(Win32Dialogs, ModalFormStartsOnCalculateOffersAboutAndEndsWithEscape) {
  CTimeHistoryDlg form;
  std::string focused, lastEntry, aboutCaption;
  UINT separatorState = 0, lastId = 0;
  bool formCentred = false, aboutCentred = false;
  std::thread user([&] {
    HWND window = waitForWindow(std::string(res::kTimeHistoryTemplate.caption));
    if (window == nullptr) return;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    focused = textOf(info.hwndFocus);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    formCentred = centredOver(window, monitor.rcWork);

    HMENU menu = GetSystemMenu(window, FALSE);
    const int count = GetMenuItemCount(menu);
    char entry[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(count - 1), entry, sizeof entry, MF_BYPOSITION);
    lastEntry = entry;
    lastId = GetMenuItemID(menu, count - 1);
    separatorState = GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION);

    // The system adds its own bits below the mask.
    PostMessageA(window, WM_SYSCOMMAND, res::IDM_ABOUTBOX | 0x0003, 0);
    if (HWND about = waitForWindow("About korvel")) {
      aboutCaption = textOf(about);
      RECT formArea;
      GetWindowRect(window, &formArea);
      aboutCentred = centredOver(about, formArea);
      PostMessageA(about, WM_COMMAND, IDOK, 0);
      for (int tries = 0; tries < 100 && IsWindow(about); ++tries) Sleep(50);
    }
    PostMessageA(GetDlgItem(window, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  const int result = form.DoModal();
  user.join();
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(focused, "Calculate Time History");
  EXPECT_TRUE(formCentred);
  EXPECT_EQ(lastEntry, "&About korvel...");
  EXPECT_EQ(lastId, 0x0010u);
  EXPECT_TRUE(separatorState & MF_SEPARATOR);
  EXPECT_EQ(aboutCaption, "About korvel");
  EXPECT_TRUE(aboutCentred);
}

TEST_F(Win32Dialogs, EnterWithEmptyFieldsWarnsInAnExclamationBoxOwnedByTheForm) {
  CTimeHistoryDlg form;
  form.Create();
  HWND window = windowOf(form);
  AnsweredBox box;
  std::thread user([&] { box = answerMessageBox(window); });
  pressKey(window, GetDlgItem(window, res::IDC_AMPLITUDE), VK_RETURN);
  user.join();
  EXPECT_NE(box.text.find("Warning: Recommended duration >"), std::string::npos) << box.text;
  EXPECT_EQ(box.owner, window);
  EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_EXCLAMATION));
  EXPECT_TRUE(IsWindow(window));  // the form stays open
}

TEST_F(Win32Dialogs, WorkedExampleTypedAndSavedWritesTheExpectedBytesInTheChosenFolder) {
  TempFolder folder;
  CTimeHistoryDlg form;
  form.Create();
  HWND window = windowOf(form);
  typeWorkedExample(window);
  bool answered = false;
  AnsweredBox done;
  std::thread user([&] {
    answered = answerSaveDialog((folder.path / "example.txt").string());
    if (answered) done = answerMessageBox(window);
  });
  pressKey(window, GetDlgItem(window, IDOK), VK_RETURN);
  user.join();
  ASSERT_TRUE(answered);
  // The completion notice names the bare file.
  EXPECT_NE(done.text.find("file: example.txt \n"), std::string::npos) << done.text;
  const std::string written = contents(folder.path / "example.txt");
  EXPECT_EQ(written.size(), 660u);
  EXPECT_EQ(written, kWorkedExampleFile);
  EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), folder.path));
}

TEST_F(Win32Dialogs, CancelledSaveWritesNothing) {
  TempFolder folder;
  std::filesystem::current_path(folder.path);
  CTimeHistoryDlg form;
  form.Create();
  HWND window = windowOf(form);
  typeWorkedExample(window);
  std::thread user([] {
    if (HWND dialog = waitForWindow("Save As")) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  pressKey(window, GetDlgItem(window, IDOK), VK_RETURN);
  user.join();
  EXPECT_TRUE(std::filesystem::is_empty(folder.path));
}

// Replacing a file another program holds open: the overwrite prompt, then the
// stop-icon report naming the file's full path.
TEST_F(Win32Dialogs, FileInUseIsReportedWithTheStopIconAfterTheOverwritePrompt) {
  TempFolder folder;
  const std::filesystem::path target = folder.path / "held.txt";
  std::ofstream(target) << "kept";
  HANDLE held = CreateFileA(target.string().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  CTimeHistoryDlg form;
  form.Create();
  HWND window = windowOf(form);
  typeWorkedExample(window);
  bool prompted = false;
  AnsweredBox report;
  std::thread user([&] {
    if (!answerSaveDialog(target.string())) return;
    HWND dialog = waitForWindow("Save As");
    // The overwrite prompt: a Yes/No box owned by the save dialog.
    for (int tries = 0; tries < 200 && !prompted; ++tries) {
      HWND prompt = findOwnedBy(dialog);
      if (prompt != nullptr && GetDlgItem(prompt, IDYES) != nullptr) {
        prompted = true;
        PostMessageA(prompt, WM_COMMAND, IDYES, 0);
      } else {
        Sleep(50);
      }
    }
    report = answerMessageBox(window);
  });
  pressKey(window, GetDlgItem(window, IDOK), VK_RETURN);
  user.join();
  CloseHandle(held);
  EXPECT_TRUE(prompted);
  EXPECT_NE(report.text.find(target.string()), std::string::npos) << report.text;
  EXPECT_EQ(report.icon, LoadIconA(nullptr, IDI_HAND));
  EXPECT_EQ(contents(target), "kept");
}

TEST_F(Win32Dialogs, SlowWriteShowsItsRowsInABarAfterASecondUntilItEnds) {
  CTimeHistoryDlg form;
  form.Create();
  HWND window = windowOf(form);
  WriteProgress progress(form, DialogRect{200, 120, 110, 14});
  progress.update(0, 100);
  EXPECT_EQ(FindWindowExA(window, nullptr, PROGRESS_CLASSA, nullptr), nullptr);
  Sleep(1100);
  progress.update(40, 100);
  HWND bar = FindWindowExA(window, nullptr, PROGRESS_CLASSA, nullptr);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 40);
  EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 100);
  progress.end();
  EXPECT_FALSE(IsWindow(bar));
  progress.update(50, 100);  // the next write is timed afresh
  EXPECT_EQ(FindWindowExA(window, nullptr, PROGRESS_CLASSA, nullptr), nullptr);
}

}  // namespace
}  // namespace korvel::test
