#!/usr/bin/env python3
"""The include rules of ARCHITECTURE.md, checked by reading the sources.

    include_rules.py SOURCE_DIR

Reads every #include of the program's own code (calc/, preview/, ui/, res/,
platform/, cli/, web/) and names each one that breaks a rule, with the rule;
fails when there is any. Before that it holds the rules to a table of includes
that must break them, so that a rule that stopped catching anything fails too.
Standard library only.
"""
import re
import sys
from pathlib import Path

PROGRAM_FOLDERS = ("calc", "preview", "ui", "res", "platform", "cli", "web", "srs", "shock")
SOURCE_SUFFIXES = (".h", ".cpp", ".h.in")

STANDARD_LIBRARY = set("""
    algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat charconv chrono
    cinttypes climits clocale cmath compare complex concepts condition_variable coroutine csetjmp
    csignal cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype deque exception
    execution filesystem format forward_list fstream functional future initializer_list iomanip ios
    iosfwd iostream istream iterator latch limits list locale map memory memory_resource mutex new
    numbers numeric optional ostream queue random ranges ratio regex scoped_allocator semaphore set
    shared_mutex source_location span sstream stack stdexcept stop_token streambuf string string_view
    syncstream system_error thread tuple type_traits typeindex typeinfo unordered_map unordered_set
    utility valarray variant vector version
""".split())
# Debian's header-only exact decimal reader, which the calculation may use.
FAST_FLOAT = "fast_float/fast_float.h"
WIN32_HEADERS = set("""
    windows.h winbase.h winuser.h wingdi.h winnt.h winerror.h commctrl.h commdlg.h oleacc.h objbase.h
    ole2.h oleauto.h objidl.h unknwn.h shlobj.h shellapi.h shlwapi.h uxtheme.h dwmapi.h
""".split())

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def is_toolkit(header):
    """Qt's headers (QWidget, QtCore/..., qpa/..., private/...) and X11's, which only Qt's part may reach."""
    return (re.fullmatch(r"Q[A-Za-z0-9]*", header) is not None or header.startswith(("Qt", "qpa/", "private/"))
            or header.startswith(("xcb/", "X11/")))


def parts(path):
    return Path(path).parts


def window_system_part(path):
    """The folder of a window system or operating system the file belongs to, if any."""
    for name in ("qt", "win32", "posix"):
        if name in parts(path)[:-1]:
            return name
    return None


def violations(path, angled, header):
    """The rules that `#include <header>` (angled) or `#include "header"` in `path` breaks."""
    top = parts(path)[0]
    found = []
    if angled:
        if top in ("calc", "preview", "ui") and header not in STANDARD_LIBRARY and not (
                top == "calc" and header == FAST_FLOAT):
            found.append("calc/, preview/ and ui/ include the C++ standard library only, no toolkit or system header")
        if top == "srs" and header not in STANDARD_LIBRARY:
            found.append("the spectrum engine (srs/) includes the C++ standard library only")
        if top == "shock" and path != "shock/main.cpp" and header not in STANDARD_LIBRARY and header != FAST_FLOAT:
            found.append("korvel-shock's library (shock/) includes the C++ standard library only (and fast_float)")
        if top == "res" and header not in STANDARD_LIBRARY:
            found.append("res/ is plain data: the C++ standard library only")
        if path.startswith(("platform/numbers/", "platform/process/", "platform/window/")) and (
                window_system_part(path) is None and header not in STANDARD_LIBRARY):
            found.append("the number and process wings, the role headers and their shared half include the standard"
                         " library only")
        if is_toolkit(header) and not path.startswith("platform/window/qt/"):
            found.append("only the Qt part (platform/window/qt/) includes Qt")
        if header.lower() in WIN32_HEADERS and window_system_part(path) != "win32":
            found.append("only the Win32 parts (win32/ folders) include windows.h and the other Win32 headers")
        return found
    if top == "res" and not header.startswith("res/"):
        found.append("res/ includes nothing of ours outside res/")
    if top == "srs" and not header.startswith("srs/"):
        found.append("the spectrum engine (srs/) includes nothing of ours outside srs/")
    if top == "shock" and header.startswith(("platform/window/", "platform/files/")):
        found.append("korvel-shock's library (shock/) includes nothing of the window roles or the file service")
    if top in ("calc", "preview", "ui") and window_system_part(header) is not None:
        found.append("calc/, preview/ and ui/ speak to the roles, never to a window system's or system's own part")
    if top in ("calc", "preview") and header.startswith("platform/window/"):
        found.append("calc/ and preview/ include nothing of the window roles")
    if path.startswith(("platform/numbers/", "platform/process/", "platform/files/")) and header.startswith(
            "platform/window/"):
        found.append("the number, process and file wings include nothing of the window roles")
    if path.startswith("platform/numbers/") and header.startswith(("platform/files/", "platform/process/")):
        found.append("the number wing includes nothing of the file and process wings (the page builds it alone)")
    if path.startswith("platform/process/") and header.startswith("platform/files/"):
        found.append("the process wing includes nothing of the file wing")
    if window_system_part(header) is not None and window_system_part(path) not in (None, window_system_part(header)):
        found.append("one window system's or system's part includes nothing of another's")
    if window_system_part(header) is not None and window_system_part(path) is None and top != "platform":
        found.append("only platform/ reaches into a window system's or system's part")
    return found


# Includes each rule must catch, and a few it must let through.
MUST_BREAK = [
    ("ui/time_history_dlg.cpp", True, "QWidget"),
    ("ui/about_dlg.cpp", True, "windows.h"),
    ("calc/synthesis.cpp", True, "unistd.h"),
    ("preview/motion.cpp", True, "sys/stat.h"),
    ("ui/time_history_dlg.cpp", False, "platform/window/qt/dialog_window.h"),
    ("calc/synthesis.cpp", False, "platform/window/dialog.h"),
    ("res/dialog_templates.h", False, "calc/time_history.h"),
    ("res/control_names.cpp", True, "QIcon"),
    ("platform/numbers/number_format.cpp", False, "platform/window/dialog.h"),
    ("platform/files/output_file.cpp", False, "platform/window/busy_cursor.h"),
    ("platform/numbers/sine/sine.h", False, "platform/files/system_calls.h"),
    ("platform/numbers/row_fields.cpp", False, "platform/process/resource_calls.h"),
    ("platform/process/resource_calls.h", False, "platform/files/file_handle.h"),
    ("platform/process/resource_calls.cpp", True, "pthread.h"),
    ("platform/window/dialog.cpp", True, "QDialog"),
    ("platform/window/win32/dialog.cpp", True, "QDialog"),
    ("platform/files/posix/open_output_file.cpp", True, "windows.h"),
    ("platform/window/qt/dialog.cpp", True, "commctrl.h"),
    ("cli/main.cpp", True, "windows.h"),
    ("platform/window/write_progress.cpp", True, "unistd.h"),
    ("platform/window/qt/save_dialog.cpp", False, "platform/files/win32/wide_text.h"),
    ("web/page_form.cpp", False, "platform/window/qt/dialog_window.h"),
    ("srs/spectrum_engine.cpp", True, "unistd.h"),
    ("srs/oscillator.cpp", False, "calc/synthesis.h"),
    ("shock/record_text.cpp", True, "unistd.h"),
    ("shock/srs_command.cpp", False, "platform/files/output_file.h"),
]
MAY_PASS = [
    ("calc/number_text.cpp", True, FAST_FLOAT),
    ("ui/time_history_dlg.cpp", False, "platform/window/message_box.h"),
    ("platform/window/qt/dialog.cpp", True, "QDialog"),
    ("platform/window/qt/window_system_check.cpp", True, "xcb/xcb.h"),
    ("platform/window/win32/dialog.cpp", True, "windows.h"),
    ("platform/files/win32/wide_text.cpp", True, "windows.h"),
    ("platform/files/posix/open_output_file.cpp", True, "unistd.h"),
    ("platform/window/win32/accessible_names.cpp", False, "platform/files/win32/wide_text.h"),
    ("cli/command_line_ui.cpp", False, "platform/files/chosen_folder.h"),
    ("calc/synthesis.cpp", False, "platform/process/resource_calls.h"),
    ("platform/files/background_writer.cpp", False, "platform/process/resource_calls.h"),
    ("shock/record_text.cpp", True, FAST_FLOAT),
    ("shock/main.cpp", True, "io.h"),
    ("shock/srs_options.cpp", False, "srs/peaks.h"),
]


def check_the_rules():
    problems = []
    for path, angled, header in MUST_BREAK:
        if not violations(path, angled, header):
            problems.append(f"the rules let {path} include {header}")
    for path, angled, header in MAY_PASS:
        if broken := violations(path, angled, header):
            problems.append(f"the rules refuse {path} including {header}: {broken[0]}")
    return problems


def main():
    root = Path(sys.argv[1])
    problems = check_the_rules()
    read = 0
    for folder in PROGRAM_FOLDERS:
        for file in sorted((root / folder).rglob("*")):
            if not file.is_file() or not file.name.endswith(SOURCE_SUFFIXES):
                continue
            read += 1
            path = file.relative_to(root).as_posix()
            for number, line in enumerate(file.read_text(encoding="utf-8").splitlines(), 1):
                match = INCLUDE.match(line)
                if match is None:
                    continue
                angled, header = match.group(1) == "<", match.group(2)
                written = f"<{header}>" if angled else f'"{header}"'
                for rule in violations(path, angled, header):
                    problems.append(f"{path}:{number}: #include {written}: {rule}")
    for problem in problems:
        print(problem)
    if read == 0:
        print(f"no sources under {root}")
        return 1
    print(f"{read} files read, {len(problems)} broken rules")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
