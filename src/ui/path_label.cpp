#include "ui/path_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace vdmos::ui {
namespace {

QString ElidedPath(const QString& path, const QFontMetrics& metrics, int width) {
  if (metrics.horizontalAdvance(path) <= width) return path;
  const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
  const QString name = path.mid(nameStart);
  const int folderWidth = width - metrics.horizontalAdvance(name);
  if (nameStart == 0 || folderWidth < metrics.horizontalAdvance(QStringLiteral("…/")))
    return metrics.elidedText(name, Qt::ElideMiddle, width);
  return metrics.elidedText(path.left(nameStart), Qt::ElideMiddle, folderWidth) + name;
}

}  // namespace

QString PathLabel::shownText() const { return ElidedPath(text(), fontMetrics(), contentsRect().width()); }

void PathLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()),
                        palette(), isEnabled(), shownText(), foregroundRole());
}

bool PathLabel::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QLabel::event(event);
  if (shownText() != text())
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
  else
    QToolTip::hideText();
  return true;
}

}  // namespace vdmos::ui
