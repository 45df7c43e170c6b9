#include "ui/check_box.h"

namespace vdmos::ui {

CheckBox::CheckBox(QWidget* parent) : QCheckBox(parent) { setTristate(true); }

int CheckBox::value() const {
  switch (checkState()) {
    case Qt::Unchecked:
      return 0;
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
  }
  return 0;
}

void CheckBox::setValue(int value) {
  setCheckState(value == 0 ? Qt::Unchecked : value == 1 ? Qt::Checked : Qt::PartiallyChecked);
}

void CheckBox::nextCheckState() { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }

}  // namespace vdmos::ui
