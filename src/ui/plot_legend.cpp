#include "ui/plot_legend.h"

#include <QPainter>
#include <QPolygonF>

#include "ui/check_plot.h"
#include "ui/window_texts.h"

namespace vdmos::ui {
namespace {

enum class Sample { Solid, Dashed, Marker, ModelMarker };

struct Entry {
  Sample sample;
  const WindowText& caption;
};

constexpr Entry kEntries[] = {{Sample::Solid, texts::Legend_Model},
                              {Sample::Dashed, texts::Legend_Simulated},
                              {Sample::Marker, texts::Legend_Datasheet},
                              {Sample::ModelMarker, texts::Legend_ModelPoint}};

constexpr int kSampleWidth = 28;
constexpr int kGap = 6;       // between a sample and its caption
constexpr int kSpacing = 16;  // between entries

}  // namespace

PlotLegend::PlotLegend(QWidget* parent) : QWidget(parent) {
  int width = 0;
  for (const Entry& entry : kEntries)
    width += kSampleWidth + kGap + fontMetrics().horizontalAdvance(Caption(entry.caption)) + kSpacing;
  setFixedSize(width - kSpacing, fontMetrics().height() + 4);
}

void PlotLegend::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const int middle = height() / 2;
  const QColor ink = palette().color(QPalette::WindowText);
  int x = 0;
  for (const Entry& entry : kEntries) {
    // Each sample stands on the plots' own white, so that it looks as in the plots, and the
    // dark dashes of a simulated curve stay visible in a dark window too.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(x, 0, kSampleWidth, height()), 3, 3);
    switch (entry.sample) {
      case Sample::Solid:
        p.setPen(QPen(ModelCurveColor(QColor(kFirstCurveColor)), kModelCurveWidth));
        p.drawLine(x + 1, middle, x + kSampleWidth - 1, middle);
        break;
      case Sample::Dashed:
        p.setPen(QPen(QColor(kSimulatedCurveColor), kSimulatedCurveWidth, Qt::DashLine));
        p.drawLine(x + 1, middle, x + kSampleWidth - 1, middle);
        break;
      case Sample::Marker:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(kDatasheetMarkerFill));
        p.drawEllipse(QPointF(x + kSampleWidth / 2.0, middle), kDatasheetMarkerSize / 2,
                      kDatasheetMarkerSize / 2);
        break;
      case Sample::ModelMarker: {
        p.setPen(QPen(QColor(kFirstCurveColor), 1));
        p.setBrush(Qt::white);
        const qreal half = kModelMarkerSize / 2;
        const QPointF centre(x + kSampleWidth / 2.0, middle);
        p.drawPolygon(QPolygonF({centre + QPointF(0, -half), centre + QPointF(half, 0),
                                 centre + QPointF(0, half), centre + QPointF(-half, 0)}));
        break;
      }
    }
    x += kSampleWidth + kGap;
    const QString caption = Caption(entry.caption);
    p.setPen(ink);
    p.drawText(QRect(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter, caption);
    x += fontMetrics().horizontalAdvance(caption) + kSpacing;
  }
}

}  // namespace vdmos::ui
