#pragma once
#include <QScrollArea>

namespace vdmos::ui {

/// Holds one page of the window. The page fills the area and grows with it; where the window
/// is smaller than the page needs (a small screen, a large font, a high scale factor), the
/// page scrolls instead of making the window taller than the screen.
class PageScrollArea : public QScrollArea {
  Q_OBJECT
 public:
  explicit PageScrollArea(QWidget* page, QWidget* parent = nullptr);

  /// The page's own size hint: the window opens as large as its pages ask, where it fits.
  QSize sizeHint() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void refit();
};

}  // namespace vdmos::ui
