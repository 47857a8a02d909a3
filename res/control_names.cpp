#include "res/control_names.h"

#include "res/resource_ids.h"

namespace korvel::res {
namespace {

bool takesItsNameFromALabel(ControlKind kind) { return kind == ControlKind::Edit || kind == ControlKind::ListBox; }

bool onTheSameRow(const ControlTemplate& a, const ControlTemplate& b) {
  return a.y < b.y + b.height && b.y < a.y + a.height;
}

int rightEdge(const ControlTemplate& control) { return control.x + control.width; }

}  // namespace

std::optional<std::size_t> labelOf(const DialogTemplate& dialog, std::size_t index) {
  if (index >= dialog.controls.size()) return std::nullopt;
  const ControlTemplate& field = dialog.controls[index];
  if (!takesItsNameFromALabel(field.kind)) return std::nullopt;
  std::optional<std::size_t> nearest;
  for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
    const ControlTemplate& label = dialog.controls[i];
    if (label.kind != ControlKind::StaticText || label.text.empty()) continue;
    if (!onTheSameRow(label, field) || rightEdge(label) > field.x) continue;
    if (!nearest || rightEdge(label) > rightEdge(dialog.controls[*nearest])) nearest = i;
  }
  return nearest;
}

std::string_view imageName(int imageId) { return imageId == IDR_MAINFRAME ? "korvel icon" : ""; }

}  // namespace korvel::res
