#pragma once

// What names each control of a dialog template for readers who do not see the
// form: screen readers and automation. Decided from the template alone, so
// every window system names the controls alike. Plain data, no window system.

#include <cstddef>
#include <optional>
#include <string_view>

#include "res/dialog_template.h"

namespace korvel::res {

// The static text whose text names control `index` of `dialog`: for an edit
// field or a list, the nearest non-empty static text on its row (their heights
// overlap) that ends left of it. None for every other kind of control (buttons,
// texts and frames show their own text) and for a field with no such text.
std::optional<std::size_t> labelOf(const DialogTemplate& dialog, std::size_t index);

// The name of the picture an icon control shows; empty for an unknown image.
std::string_view imageName(int imageId);

}  // namespace korvel::res
