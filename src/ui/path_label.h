#pragma once
#include <QLabel>

namespace vdmos::ui {

/// A label that shows a file's path in whatever width it gets: a path too long for it loses
/// the middle of its folders, never the file name, and its tool tip then shows it whole.
/// text() stays the whole path.
class PathLabel : public QLabel {
  Q_OBJECT
 public:
  explicit PathLabel(QWidget* parent = nullptr) : QLabel(parent) {}

  /// The text as it is drawn at the label's present width.
  QString shownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
};

}  // namespace vdmos::ui
