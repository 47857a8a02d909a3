#include "platform/window/qt/control_factory.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <limits>

#include "platform/window/qt/icon_group.h"
#include "platform/window/qt/native_controls.h"
#include "platform/window/qt/whole_pixel_frame.h"

namespace korvel {
namespace {

using namespace res::control_style;

QString textOf(const res::ControlTemplate& control) {
  return QString::fromLatin1(control.text.data(), static_cast<qsizetype>(control.text.size()));
}

// "&&" shows one &, a single & only marks the next letter as a mnemonic.
QString withoutMnemonicMarkers(const QString& text) {
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

bool has(const res::ControlTemplate& control, std::uint32_t style) { return (control.styles & style) != 0; }

QWidget* createPushButton(const res::ControlTemplate& control, QWidget* parent) {
  auto* button = new QPushButton(textOf(control), parent);
  // Enter presses the focused push button, or else the default one.
  button->setAutoDefault(true);
  button->setDefault(has(control, kDefaultButton));
  return button;
}

QWidget* createStaticText(const res::ControlTemplate& control, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  // Without the no-prefix style a & marks a mnemonic and is not shown.
  label->setText(has(control, kNoPrefix) ? textOf(control) : withoutMnemonicMarkers(textOf(control)));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QWidget* createEdit(const res::ControlTemplate& control, QWidget* parent) {
  auto* edit = new CEdit::Native(parent);
  edit->setFrame(has(control, kBorder));
  edit->setMaxLength(std::numeric_limits<int>::max());  // no length limit of its own
  return edit;
}

QWidget* createListBox(const res::ControlTemplate& control, QWidget* parent) {
  // Every list of this program is a single-selection list: one entry is
  // always selected, and the user can move the selection but not clear it.
  auto* list = new CListBox::Native(parent);
  list->setFrameShape(has(control, kBorder) ? QFrame::StyledPanel : QFrame::NoFrame);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setVerticalScrollBarPolicy(has(control, kVScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  // The sorted style sorts only entries added at the end; entries inserted at a
  // given position keep it, which is how every list of this program is filled.
  // So Qt's own sorting stays off.
  list->setSortingEnabled(false);
  list->setUniformItemSizes(true);
  keepFrameOnWholePixels(*list);
  return list;
}

QWidget* createGroupBox(const res::ControlTemplate& control, QWidget* parent) {
  auto* group = new QGroupBox(textOf(control), parent);
  group->setFlat(false);
  return group;
}

QWidget* createIcon(const res::ControlTemplate& control, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setPixmap(loadIconGroup(control.imageId).pixmap(QSize(32, 32)));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

QWidget* createControl(const res::ControlTemplate& control, DialogBaseUnits base, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (control.kind) {
    case res::ControlKind::PushButton: widget = createPushButton(control, parent); break;
    case res::ControlKind::StaticText: widget = createStaticText(control, parent); break;
    case res::ControlKind::Edit: widget = createEdit(control, parent); break;
    case res::ControlKind::ListBox: widget = createListBox(control, parent); break;
    case res::ControlKind::GroupBox: widget = createGroupBox(control, parent); break;
    case res::ControlKind::Icon: widget = createIcon(control, parent); break;
  }
  QRect rect = pixelRect(control.x, control.y, control.width, control.height, base);
  if (control.kind == res::ControlKind::Icon) {
    // An icon control grows to hold its icon.
    rect.setSize(rect.size().expandedTo(QSize(32, 32)));
  }
  widget->setGeometry(rect);
  widget->setProperty("controlId", control.id);
  return widget;
}

}  // namespace korvel
