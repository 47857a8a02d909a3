#include "platform/window/qt/accessible_names.h"

#include <QLabel>
#include <QWidget>
#include <optional>
#include <string_view>

#include "res/control_names.h"

namespace korvel {

void nameControls(const res::DialogTemplate& dialog, const std::vector<QWidget*>& controls) {
  for (std::size_t i = 0; i < controls.size() && i < dialog.controls.size(); ++i) {
    QWidget* control = controls[i];
    if (dialog.controls[i].kind == res::ControlKind::Icon) {
      const std::string_view name = res::imageName(dialog.controls[i].imageId);
      control->setAccessibleName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
      continue;
    }
    const std::optional<std::size_t> labelIndex = res::labelOf(dialog, i);
    if (!labelIndex || *labelIndex >= controls.size()) continue;
    auto* label = qobject_cast<QLabel*>(controls[*labelIndex]);
    if (label == nullptr) continue;
    // The name is the text as the label shows it.
    control->setAccessibleName(label->text());
    // The buddy adds the labelled-by relation. A label with a buddy takes a &
    // in its text for a mnemonic and hides it, so such a label stays as it is.
    if (!label->text().contains(u'&')) label->setBuddy(control);
  }
}

}  // namespace korvel
