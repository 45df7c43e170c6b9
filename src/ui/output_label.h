#pragma once
#include <QLabel>

namespace vdmos::ui {

/// A label the commands write a result into. It keeps the size it was designed with, so that
/// the page does not shift as results come and go, and grows, never shrinks, to show a longer
/// result whole: no result is ever cut off. A label that wraps grows in height.
class OutputLabel : public QLabel {
 public:
  explicit OutputLabel(QSize designed, QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }
  /// The width is fixed: the height the text needs is in the size hint already.
  bool hasHeightForWidth() const override { return false; }

 private:
  QSize designed_;
};

}  // namespace vdmos::ui
