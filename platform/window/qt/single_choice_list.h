#pragma once

// A list with exactly one selected entry, which the user can move but not
// clear: the entry shown selected is always the current one that the program
// reads.

#include <QListWidget>

namespace korvel {

class SingleChoiceList : public QListWidget {
 public:
  explicit SingleChoiceList(QWidget* parent = nullptr);

 protected:
  // Ctrl+click and Ctrl+Space on the selected entry, and clicks beside the
  // entries, leave the selection as it is; everything else selects the entry
  // that becomes current.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event = nullptr) const override;
};

}  // namespace korvel
