#include "ui/help_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace vdmos::ui {
namespace {

// The plot area inside a picture: room for the axis captions on the left and at the bottom.
struct Plot {
  QRectF area;
  QPointF at(double x, double y) const {  // x and y from 0 to 1
    return {area.left() + x * area.width(), area.bottom() - y * area.height()};
  }
};

Plot DrawAxes(QPainter& p, const QRect& bounds, const QString& xCaption, const QString& yCaption) {
  const QFontMetrics metrics = p.fontMetrics();
  const int left = metrics.height() + 6, bottom = metrics.height() + 4;
  Plot plot{QRectF(bounds.left() + left, bounds.top() + 8, bounds.width() - left - 8,
                   bounds.height() - bottom - 8)};
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(plot.area.bottomLeft(), plot.area.topLeft());
  p.drawLine(plot.area.bottomLeft(), plot.area.bottomRight());
  p.drawText(QRectF(plot.area.left(), plot.area.bottom() + 2, plot.area.width(), metrics.height()),
             Qt::AlignHCenter, xCaption);
  p.save();
  p.translate(bounds.left() + 2, plot.area.center().y());
  p.rotate(-90);
  p.drawText(QRectF(-plot.area.height() / 2, 0, plot.area.height(), metrics.height()), Qt::AlignHCenter,
             yCaption);
  p.restore();
  return plot;
}

void DrawGateCharge(QPainter& p, const QRect& bounds) {
  const Plot plot = DrawAxes(p, bounds, "Qg (nC)", "Vgs (V)");
  QPainterPath curve(plot.at(0, 0));
  curve.lineTo(plot.at(0.25, 0.45));
  curve.lineTo(plot.at(0.58, 0.47));
  curve.lineTo(plot.at(0.95, 0.9));
  p.setPen(QPen(QColor(0, 70, 170), 2));
  p.drawPath(curve);
  p.setPen(QPen(QColor(200, 30, 30), 1));
  p.drawRect(QRectF(plot.at(0.22, 0.56), plot.at(0.61, 0.36)));
  p.drawText(QRectF(plot.at(0.22, 0.32), plot.at(0.75, 0.1)), Qt::AlignLeft | Qt::AlignVCenter,
             "Gate Plateau");
  p.setPen(Qt::black);
  p.drawText(QRectF(plot.at(0.05, 1.0), plot.at(0.6, 0.78)), Qt::AlignLeft | Qt::AlignVCenter, "ID = 20.7 A");
}

void DrawTransfer(QPainter& p, const QRect& bounds) {
  const Plot plot = DrawAxes(p, bounds, "Vgs (V)", "Id (A)");
  // A square law above the threshold that bends over where the series resistance takes hold.
  QPainterPath curve(plot.at(0, 0));
  curve.lineTo(plot.at(0.3, 0));
  for (int i = 1; i <= 40; ++i) {
    const double x = 0.3 + 0.6 * i / 40.0;
    const double drive = (x - 0.3) / 0.6;
    curve.lineTo(plot.at(x, 0.75 * std::tanh(1.6 * drive * drive) / std::tanh(1.6)));
  }
  p.setPen(QPen(QColor(0, 70, 170), 2));
  p.drawPath(curve);
  const QPointF maximum = plot.at(0.9, 0.75);
  p.setPen(QPen(QColor(200, 30, 30), 1, Qt::DashLine));
  p.drawLine(maximum, QPointF(maximum.x(), plot.area.bottom()));
  p.drawLine(maximum, QPointF(plot.area.left(), maximum.y()));
  p.setPen(QPen(QColor(200, 30, 30), 2));
  p.drawEllipse(maximum, 4, 4);
  p.drawText(QRectF(plot.at(0.3, 1.0), plot.at(0.97, 0.8)), Qt::AlignRight | Qt::AlignVCenter, "Max Id");
}

void DrawCapacitances(QPainter& p, const QRect& bounds) {
  const Plot plot = DrawAxes(p, bounds, "Vds (V)", "C (pF), log scale");
  p.setPen(QPen(QColor(220, 220, 220), 1));
  for (int i = 1; i < 4; ++i) {
    p.drawLine(plot.at(0, i / 4.0), plot.at(1, i / 4.0));
    p.drawLine(plot.at(i / 4.0, 0), plot.at(i / 4.0, 1));
  }
  // Each curve falls from its value at 0 V towards its floor, on a logarithmic axis.
  struct Curve {
    const char* name;
    double start, floor, bend;
    QColor color;
  };
  const Curve curves[] = {{"Ciss", 0.86, 0.78, 0.15, QColor(0, 70, 170)},
                          {"Coss", 0.95, 0.3, 0.06, QColor(0, 140, 60)},
                          {"Crss", 0.8, 0.08, 0.05, QColor(200, 30, 30)}};
  for (const Curve& c : curves) {
    QPainterPath path(plot.at(0, c.start));
    for (int i = 1; i <= 60; ++i) {
      const double x = i / 60.0;
      path.lineTo(plot.at(x, c.floor + (c.start - c.floor) * std::exp(-x / c.bend)));
    }
    p.setPen(QPen(c.color, 2));
    p.drawPath(path);
    p.drawText(plot.at(0.8, c.floor + 0.04), c.name);
  }
}

}  // namespace

HelpPicture::HelpPicture(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
  setFixedSize(kind == Kind::Capacitances ? QSize(267, 202) : QSize(211, 114));
}

void HelpPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::white);
  p.setPen(QColor(160, 160, 160));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  QFont font = p.font();
  font.setPointSizeF(kind_ == Kind::Capacitances ? 8 : 7);
  p.setFont(font);
  const QRect bounds = rect().adjusted(2, 2, -2, -2);
  switch (kind_) {
    case Kind::GateCharge:
      DrawGateCharge(p, bounds);
      break;
    case Kind::Transfer:
      DrawTransfer(p, bounds);
      break;
    case Kind::Capacitances:
      DrawCapacitances(p, bounds);
      break;
  }
}

}  // namespace vdmos::ui
