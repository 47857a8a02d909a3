// screen_reader WINDOW: what a screen reader hears of each control of the
// dialog WINDOW (its handle in decimal, or its caption), read from this separate process through
// the system's accessibility interface: one line per child window, its control
// id, name and description separated by tabs.

#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string utf8(BSTR text) {
  if (text == nullptr) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.resize(std::char_traits<char>::length(out.c_str()));
  SysFreeString(text);
  return out;
}

BOOL CALLBACK readControl(HWND control, LPARAM dialog) {
  if (GetParent(control) != reinterpret_cast<HWND>(dialog)) return TRUE;
  std::string name, description;
  IAccessible* object = nullptr;
  if (SUCCEEDED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&object))) &&
      object != nullptr) {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK) name = utf8(text);
    text = nullptr;
    if (object->get_accDescription(self, &text) == S_OK) description = utf8(text);
    object->Release();
  }
  std::printf("%d\t%s\t%s\n", GetDlgCtrlID(control), name.c_str(), description.c_str());
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  char* end = nullptr;
  HWND dialog = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(argv[1], &end, 10)));
  if (*end != '\0') dialog = FindWindowA(nullptr, argv[1]);
  if (!IsWindow(dialog)) return 1;
  CoInitialize(nullptr);
  EnumChildWindows(dialog, readControl, reinterpret_cast<LPARAM>(dialog));
  std::fflush(stdout);
  CoUninitialize();
  return 0;
}
