#include "platform/icon.h"

#include "platform/win32/native_icon.h"

namespace korvel {
namespace {

HICON loadSize(int resourceId, int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), 0));
}

}  // namespace

Icon::Native::~Native() {
  if (bigIcon != nullptr) DestroyIcon(bigIcon);
  if (smallIcon != nullptr) DestroyIcon(smallIcon);
}

Icon Icon::load(int resourceId) {
  auto native = std::make_shared<Native>();
  native->bigIcon = loadSize(resourceId, SM_CXICON, SM_CYICON);
  native->smallIcon = loadSize(resourceId, SM_CXSMICON, SM_CYSMICON);
  return Icon(std::move(native));
}

}  // namespace korvel
