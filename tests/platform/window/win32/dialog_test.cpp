// The Windows form and About box driven through Win32 messages: their
// controls, the dialog manager's keys, the system menu, the message boxes and
// the save dialog, answered from a second thread as a user would.

#include <gtest/gtest.h>

#include <atomic>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "calc/calculate_command.h"
#include "calc/field_reading.h"
#include "platform/files/system_calls.h"
#include "platform/window/write_progress.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "tests/support/worked_example.h"
#include "ui/about_dlg.h"
#include "ui/time_history_dlg.h"

// After the program's headers: its ids share names with the system's macros.
#include <windows.h>
#include <commctrl.h>

#include "platform/window/win32/dialog_window.h"

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

// Runs this thread's queue as a modeless dialog's loop does, until `done` or about ten seconds.
void pumpUntil(HWND dialog, const std::function<bool()>& done) {
  for (int tries = 0; tries < 1000 && !done(); ++tries) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (IsDialogMessageA(dialog, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
}

// Keys as the keyboard sends them to the window in front, each pressed and
// released while `modifier` (if any) is held.
void pressKeys(std::initializer_list<WORD> keys, WORD modifier = 0) {
  std::vector<INPUT> input;
  const auto add = [&input](WORD key, bool up) {
    INPUT event{};
    event.type = INPUT_KEYBOARD;
    event.ki.wVk = key;
    event.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.push_back(event);
  };
  if (modifier != 0) add(modifier, false);
  for (WORD key : keys) {
    add(key, false);
    add(key, true);
  }
  if (modifier != 0) add(modifier, true);
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// A click of the right mouse button at a point of the screen.
void rightClick(POINT at) {
  SetCursorPos(at.x, at.y);
  INPUT events[2] = {};
  events[0].type = events[1].type = INPUT_MOUSE;
  events[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  events[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(2, events, sizeof(INPUT));
}

// The form in front with the keyboard focus on `control`, as after a click on it.
void focusOn(HWND form, HWND control) {
  SetForegroundWindow(form);
  SetFocus(control);
  pumpUntil(form, [] { return true; });
}

RECT screenRect(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect;
}

// What a screen reader in another process hears of each control of a dialog.
struct Heard {
  std::string name;
  std::string description;
};

// By creation order; the reader asks this thread for each control's object,
// which answers as the program's message loop would.
std::vector<std::pair<int, Heard>> readAsAScreenReader(HWND dialog, const std::filesystem::path& folder) {
  const std::string output = (folder / "heard.txt").string();
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE file = CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = file;
  startup.hStdError = file;
  std::string command =
      std::string("\"") + KORVEL_SCREEN_READER + "\" " + std::to_string(reinterpret_cast<INT_PTR>(dialog));
  PROCESS_INFORMATION process{};
  const bool started =
      CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(file);
  if (!started) {
    ADD_FAILURE() << "cannot start " << command;
    return {};
  }
  bool ended = false;
  pumpUntil(dialog, [&] { return ended = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; });
  EXPECT_TRUE(ended) << "the reader did not finish";
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::vector<std::pair<int, Heard>> heard;
  std::istringstream lines(contents(output));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string id;
    Heard control;
    std::getline(fields, id, '\t');
    std::getline(fields, control.name, '\t');
    std::getline(fields, control.description);
    if (!control.description.empty() && control.description.back() == '\r') control.description.pop_back();
    heard.emplace_back(std::stoi(id), control);
  }
  return heard;
}

// The popup menu on screen: its place and its entries; closed as Escape closes it.
struct ShownMenu {
  RECT place{};
  std::vector<std::string> entries;
};

// Waits on this thread while another opens a menu, then reads and closes it.
std::optional<ShownMenu> closeNextMenu() {
  for (int tries = 0; tries < 100; ++tries) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32768", nullptr)) != nullptr) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      if (process != GetCurrentProcessId() || !IsWindowVisible(window)) continue;
      ShownMenu menu;
      GetWindowRect(window, &menu.place);
      HMENU items = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
      for (int k = 0; k < GetMenuItemCount(items); ++k) {
        char text[128] = {};
        GetMenuStringA(items, static_cast<UINT>(k), text, sizeof text, MF_BYPOSITION);
        menu.entries.emplace_back(text);
      }
      PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
      return menu;
    }
    Sleep(50);
  }
  return std::nullopt;
}

// Wine shows windows only with an X display (under CTest the suite's virtual
// display); without one the tests skip, and under CI, where every test must
// run, they fail.
class Win32Dialogs : public testing::Test {
 protected:
  void SetUp() override {
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (probe == nullptr) {
      const char* ci = std::getenv("CI");
      if (ci != nullptr && *ci != '\0' && std::strcmp(ci, "0") != 0 && std::strcmp(ci, "false") != 0) {
        FAIL() << "no display to show windows on (under CI the dialog tests must run)";
      }
      GTEST_SKIP() << "no display to show windows on";
    }
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
      const char* expectedClass =
          control.kind == res::ControlKind::Edit                                                       ? "Edit"
          : control.kind == res::ControlKind::ListBox                                                  ? "ListBox"
          : control.kind == res::ControlKind::PushButton || control.kind == res::ControlKind::GroupBox ? "Button"
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
  // One handle of icon group 128 for the large and the small icon and the drag image.
  const LRESULT icon = SendMessageA(window, WM_GETICON, ICON_BIG, 0);
  EXPECT_NE(icon, 0);
  EXPECT_EQ(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), icon);
  EXPECT_EQ(SendMessageA(window, WM_QUERYDRAGICON, 0, 0), icon);
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

// Save dialogs that end without a file to write: cancelled, or with a folder
// that cannot be entered, which is reported with the file's full path. Nothing
// lands in the folder that was current.
TEST_F(Win32Dialogs, SaveDialogsEndingWithoutAFileWriteNothing) {
  TempFolder folder;
  std::filesystem::current_path(folder.path);
  const std::string cancelled, missingFolder = (folder.path / "nosuchfolder" / "typo.txt").string();
  for (const std::string& answer : {cancelled, missingFolder}) {
    SCOPED_TRACE(answer);
    CTimeHistoryDlg form;
    form.Create();
    HWND window = windowOf(form);
    typeWorkedExample(window);
    AnsweredBox report;
    std::thread user([&] {
      if (answer.empty()) {
        if (HWND dialog = waitForWindow("Save As")) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      } else if (answerSaveDialog(answer)) {
        report = answerMessageBox(window);
      }
    });
    pressKey(window, GetDlgItem(window, IDOK), VK_RETURN);
    user.join();
    EXPECT_TRUE(std::filesystem::is_empty(folder.path));
    if (answer.empty()) continue;
    EXPECT_NE(report.text.find("\"" + answer + "\""), std::string::npos) << report.text;
    EXPECT_EQ(report.icon, LoadIconA(nullptr, IDI_HAND));
  }
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

// A clock that stands still until the test moves it.
std::chrono::steady_clock::time_point progressNow;

TEST_F(Win32Dialogs, SlowWriteShowsItsRowsInABarAfterASecondUntilItEnds) {
  CTimeHistoryDlg form;
  form.Create();
  HWND window = windowOf(form);
  WriteProgress progress(form, DialogRect{200, 120, 110, 14}, [] { return progressNow; });
  progress.update(0, 100);
  EXPECT_EQ(FindWindowExA(window, nullptr, PROGRESS_CLASSA, nullptr), nullptr);
  progressNow += std::chrono::milliseconds(1100);
  progress.update(40, 100);
  HWND bar = FindWindowExA(window, nullptr, PROGRESS_CLASSA, nullptr);
  ASSERT_NE(bar, nullptr);
  // Lined up under the Exit button.
  const RECT exit = screenRect(GetDlgItem(window, IDCANCEL));
  const RECT place = screenRect(bar);
  EXPECT_EQ(place.left, exit.left);
  EXPECT_EQ(place.right, exit.right);
  EXPECT_GT(place.top, exit.bottom);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 40);
  EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 100);
  progress.end();
  EXPECT_FALSE(IsWindow(bar));
  progress.update(50, 100);  // the next write is timed afresh
  EXPECT_EQ(FindWindowExA(window, nullptr, PROGRESS_CLASSA, nullptr), nullptr);
}

TEST_F(Win32Dialogs, AScreenReaderInAnotherProcessHearsEachFieldByItsLabelAndWhatItsTextIsReadAs) {
  TempFolder folder;
  CTimeHistoryDlg form;
  form.Create();
  HWND window = windowOf(form);
  type(window, res::IDC_AMPLITUDE, "1,5");
  std::map<int, Heard> heard;
  for (const auto& [id, control] : readAsAScreenReader(window, folder.path)) {
    if (id != 0xFFFF) heard[id] = control;
  }
  const std::pair<int, const char*> names[] = {{res::IDC_AMPLITUDE, "Amplitude"},
                                               {res::IDC_FREQUENCY, "Frequency (Hz)"},
                                               {res::IDC_HALF_SINES, "Number of Half-Sine"},
                                               {res::IDC_DELAY, "Delay (sec)"},
                                               {res::IDC_DURATION, "Total Duration (sec)"},
                                               {res::IDC_SAMPLES_PER_SECOND, "Samples per second"},
                                               {IDOK, "Calculate Time History"},
                                               {IDCANCEL, "Exit"}};
  for (const auto& [id, name] : names) EXPECT_EQ(heard[id].name, name) << "control " << id;
  EXPECT_EQ(heard[res::IDC_AMPLITUDE].description, fieldReadingNote("1,5"));
  EXPECT_EQ(heard[res::IDC_DELAY].description, "");

  type(window, res::IDC_AMPLITUDE, "1.5");
  for (const auto& [id, control] : readAsAScreenReader(window, folder.path)) {
    if (id == res::IDC_AMPLITUDE) {
      EXPECT_EQ(control.description, "") << "read as a whole";
    }
  }

  CAboutDlg about;
  about.Create();
  const auto aboutHeard = readAsAScreenReader(windowOf(about), folder.path);
  ASSERT_FALSE(aboutHeard.empty());
  EXPECT_EQ(aboutHeard.front().second.name, "korvel icon");
}

// Storage that takes 64 KiB at a time, each in 60 ms: about a second a MiB.
struct SlowStorage {
  static inline std::int64_t (*realWrite)(FileHandle, const void*, std::size_t) = nullptr;
  static std::int64_t write(FileHandle file, const void* data, std::size_t size) {
    Sleep(60);
    return realWrite(file, data, std::min<std::size_t>(size, 64 << 10));
  }
};

// Return twice, then Escape twice, during a write to slow storage: they must
// neither dismiss the completion message unread, nor start another run, nor
// end the program.
TEST_F(Win32Dialogs, KeysPressedDuringASlowWriteDoNotActOnceItEnds) {
  TempFolder folder;
  const FileSystemCalls saved = fileSystemCalls();
  SlowStorage::realWrite = saved.write;
  fileSystemCalls().write = &SlowStorage::write;
  CTimeHistoryDlg form;
  AnsweredBox done;
  bool anotherRun = false, closedByTheUser = false;
  std::thread user([&] {
    HWND window = waitForWindow(std::string(res::kTimeHistoryTemplate.caption));
    if (window == nullptr) return;
    typeWorkedExample(window);
    type(window, res::IDC_DURATION, "3");
    type(window, res::IDC_SAMPLES_PER_SECOND, "10000");  // 30,000 rows: about a second on this storage
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
    if (!answerSaveDialog((folder.path / "slow.txt").string())) return;
    Sleep(300);
    SetForegroundWindow(window);
    pressKeys({VK_RETURN, VK_RETURN, VK_ESCAPE, VK_ESCAPE});
    done = answerMessageBox(window);
    Sleep(500);
    if (HWND again = findWindow("Save As")) {
      anotherRun = true;
      PostMessageA(again, WM_COMMAND, IDCANCEL, 0);
      Sleep(500);
    }
    closedByTheUser = true;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  form.DoModal();
  user.join();
  fileSystemCalls() = saved;
  EXPECT_NE(done.text.find("Calculation complete."), std::string::npos) << "read by the user: " << done.text;
  EXPECT_FALSE(anotherRun);
  EXPECT_TRUE(closedByTheUser) << "the form ended before the user closed it";
  EXPECT_EQ(std::filesystem::file_size(folder.path / "slow.txt"), 30'000u * 33);
}

TEST_F(Win32Dialogs, APastedTextLongerThanThirtyThousandCharactersIsReadWhole) {
  CTimeHistoryDlg form;
  form.Create();
  HWND window = windowOf(form);
  const std::string text = std::string(40'001, '0') + "1";  // 40,002 characters, equal to 1
  ASSERT_TRUE(OpenClipboard(window));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  for (int id :
       {res::IDC_AMPLITUDE, res::IDC_DELAY, res::IDC_DURATION, res::IDC_FREQUENCY, res::IDC_SAMPLES_PER_SECOND}) {
    SendDlgItemMessageA(window, id, WM_PASTE, 0, 0);
    EXPECT_EQ(form.fieldText(id).size(), text.size()) << "field " << id;
    EXPECT_TRUE(form.fieldText(id) == text) << "field " << id;
  }
}

TEST_F(Win32Dialogs, AFieldsTipFollowsItsTextAtOnce) {
  CTimeHistoryDlg form;
  form.Create();
  HWND window = windowOf(form);
  HWND amplitude = GetDlgItem(window, res::IDC_AMPLITUDE);
  type(window, res::IDC_AMPLITUDE, "1,5");
  const RECT field = screenRect(amplitude);
  SetCursorPos((field.left + field.right) / 2, (field.top + field.bottom) / 2);
  HWND tip = nullptr;
  pumpUntil(window, [&] {
    tip = nullptr;
    while ((tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) != nullptr &&
           GetWindow(tip, GW_OWNER) != window) {}
    return tip != nullptr && IsWindowVisible(tip);
  });
  ASSERT_TRUE(tip != nullptr && IsWindowVisible(tip)) << "the tip shows while the pointer rests on the field";
  type(window, res::IDC_AMPLITUDE, "1");
  EXPECT_FALSE(IsWindowVisible(tip)) << "\"1\" is read as a whole: no note to show";
  SetCursorPos(0, 0);
}

// Shift+F10 and the Menu key open the window menu below the focused control,
// a right click on the form at the pointer; an edit field keeps its own menu.
TEST_F(Win32Dialogs, TheKeyboardAndARightClickOpenTheWindowMenuWhereTheUserIs) {
  CTimeHistoryDlg form;
  form.Create();
  HWND window = windowOf(form);
  HWND list = GetDlgItem(window, res::IDC_HALF_SINES);
  RECT corner{4, 4, 0, 0};  // a place on the form outside every control
  MapDialogRect(window, &corner);
  POINT onTheForm{corner.left, corner.top};
  ClientToScreen(window, &onTheForm);
  const RECT belowTheList = screenRect(list);
  const auto shiftF10 = [] { pressKeys({VK_F10}, VK_SHIFT); };
  struct Case {
    const char* what;
    HWND focus;
    std::function<void()> ask;
    std::optional<POINT> windowMenuAt;  // none: the field's own menu
  };
  for (const Case& c :
       {Case{"Shift+F10", list, shiftF10, POINT{belowTheList.left, belowTheList.bottom}},
        Case{"the Menu key", list, [] { pressKeys({VK_APPS}); }, POINT{belowTheList.left, belowTheList.bottom}},
        Case{"a right click", list, [&] { rightClick(onTheForm); }, onTheForm},
        Case{"Shift+F10 in a field", GetDlgItem(window, res::IDC_AMPLITUDE), shiftF10, std::nullopt}}) {
    SCOPED_TRACE(c.what);
    focusOn(window, c.focus);
    std::optional<ShownMenu> shown;
    std::atomic<bool> looked{false};
    std::thread user([&] {
      shown = closeNextMenu();
      looked = true;
    });
    c.ask();
    pumpUntil(window, [&] { return looked.load(); });
    user.join();
    ASSERT_TRUE(shown.has_value()) << "no menu";
    const bool aboutOnIt = std::count(shown->entries.begin(), shown->entries.end(), "&About korvel...") != 0;
    EXPECT_EQ(aboutOnIt, c.windowMenuAt.has_value());
    if (!c.windowMenuAt) continue;
    EXPECT_LE(std::abs(shown->place.left - c.windowMenuAt->x), 2);
    EXPECT_LE(std::abs(shown->place.top - c.windowMenuAt->y), 2);
  }
}

}  // namespace
}  // namespace korvel::test
