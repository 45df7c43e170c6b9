#include "ui/output_label.h"

#include <algorithm>

namespace vdmos::ui {

OutputLabel::OutputLabel(QSize designed, QWidget* parent) : QLabel(parent), designed_(designed) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize OutputLabel::sizeHint() const {
  if (wordWrap()) return {designed_.width(), std::max(designed_.height(), heightForWidth(designed_.width()))};
  return QLabel::sizeHint().expandedTo(designed_);
}

}  // namespace vdmos::ui
