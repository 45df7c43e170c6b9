#include "ui/page_scroll_area.h"

#include <QCoreApplication>
#include <QEvent>

namespace vdmos::ui {

PageScrollArea::PageScrollArea(QWidget* page, QWidget* parent) : QScrollArea(parent) {
  setObjectName(page->objectName() + "Scroll");
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  // Tab goes through the page's controls, and the area scrolls to the one that takes focus.
  setFocusPolicy(Qt::NoFocus);
  setWidget(page);
  // The tab page's own background shows through, as it would without the scroll area.
  viewport()->setAutoFillBackground(false);
  page->setAutoFillBackground(false);
}

// The page asks for another size (a result grew, a page gained a control), or it changed while
// it was not shown: the area fits the page anew, which it would otherwise do only when it is
// resized itself.
bool PageScrollArea::eventFilter(QObject* watched, QEvent* event) {
  if (watched == widget() && event->type() == QEvent::LayoutRequest) refit();
  return QScrollArea::eventFilter(watched, event);
}

void PageScrollArea::showEvent(QShowEvent* event) {
  QScrollArea::showEvent(event);
  refit();
}

void PageScrollArea::refit() {
  updateGeometry();
  QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
}

QSize PageScrollArea::sizeHint() const {
  const int frame = 2 * frameWidth();
  return widget()->sizeHint() + QSize(frame, frame);
}

}  // namespace vdmos::ui
