#include "platform/window/win32/accessible_names.h"

#include <commctrl.h>
#include <oleacc.h>

#include <memory>
#include <string_view>

#include "platform/files/win32/wide_text.h"
#include "platform/window/win32/accessible_object.h"
#include "res/control_names.h"

namespace korvel {
namespace {

// The annotation service and its two properties, with the values the system's
// headers give them (their library symbols do not link with this toolchain).
constexpr CLSID kAnnotationService{0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kAnnotationInterface{0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr MSAAPROPID kNameProperty{0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr MSAAPROPID kDescriptionProperty{0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};

constexpr UINT_PTR kSubclassId = 0x6b76;
constexpr const wchar_t* kProperty = L"korvel.accessible";

struct AccessibleControl {
  std::wstring name;
  std::wstring description;
};

// Sets one annotation of the control, or clears it for an empty text. Where the
// system has no annotation service (or, as Wine, only a stub), nothing happens:
// the control's own answer still names it.
void annotate(HWND control, const MSAAPROPID& property, const std::wstring& text) {
  IAccPropServices* service = nullptr;
  if (FAILED(CoCreateInstance(kAnnotationService, nullptr, CLSCTX_INPROC_SERVER, kAnnotationInterface,
                              reinterpret_cast<void**>(&service))) ||
      service == nullptr) {
    return;
  }
  const DWORD object = static_cast<DWORD>(OBJID_CLIENT);
  if (text.empty()) {
    service->ClearHwndProps(control, object, CHILDID_SELF, &property, 1);
  } else {
    service->SetHwndPropStr(control, object, CHILDID_SELF, property, text.c_str());
  }
  service->Release();
}

AccessibleControl* accessibleControl(HWND control) {
  return static_cast<AccessibleControl*>(GetPropW(control, kProperty));
}

// A reader asking for the control's object gets the standard one under the
// control's own name; the description is read when the reader asks for it.
LRESULT CALLBACK answerReaders(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* accessible = reinterpret_cast<AccessibleControl*>(data);
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
    IAccessible* object = createNamedAccessible(control, accessible->name, [control] {
      const AccessibleControl* now = accessibleControl(control);
      return now != nullptr ? now->description : std::wstring();
    });
    if (object != nullptr) {
      const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, object);
      object->Release();
      if (result > 0) return result;
    }
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(control, &answerReaders, kSubclassId);
    RemovePropW(control, kProperty);
    annotate(control, kNameProperty, {});
    annotate(control, kDescriptionProperty, {});
    delete accessible;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void nameControls(HWND dialog, const res::DialogTemplate& dialogTemplate) {
  HWND control = GetWindow(dialog, GW_CHILD);
  for (std::size_t i = 0; i < dialogTemplate.controls.size() && control != nullptr;
       ++i, control = GetWindow(control, GW_HWNDNEXT)) {
    const res::ControlTemplate& item = dialogTemplate.controls[i];
    std::string_view name;
    if (item.kind == res::ControlKind::Icon) {
      name = res::imageName(item.imageId);
    } else if (const auto label = res::labelOf(dialogTemplate, i)) {
      name = dialogTemplate.controls[*label].text;
    }
    if (name.empty()) continue;
    auto accessible = std::make_unique<AccessibleControl>(AccessibleControl{wideText(name), {}});
    if (!SetPropW(control, kProperty, accessible.get())) continue;
    if (!SetWindowSubclass(control, &answerReaders, kSubclassId, reinterpret_cast<DWORD_PTR>(accessible.get()))) {
      RemovePropW(control, kProperty);
      continue;
    }
    annotate(control, kNameProperty, accessible->name);
    accessible.release();  // the control's now: freed when its window goes
  }
}

void describeControl(HWND control, const std::string& description) {
  AccessibleControl* accessible = accessibleControl(control);
  if (accessible == nullptr) return;
  std::wstring text = wideText(description);
  if (text == accessible->description) return;
  accessible->description = std::move(text);
  annotate(control, kDescriptionProperty, accessible->description);
  NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace korvel
