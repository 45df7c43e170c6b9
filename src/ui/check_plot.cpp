#include "ui/check_plot.h"

#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <cmath>

#include "ui/text_bridge.h"
#include "verify/check_plots.h"

namespace vdmos::ui {
namespace {

// The first three are the colours of the help pictures; the family of output curves needs more.
const std::array kCurveColors{QColor(kFirstCurveColor), QColor(0, 140, 60),   QColor(200, 30, 30),
                              QColor(150, 90, 0),       QColor(120, 40, 160), QColor(0, 130, 150),
                              QColor(90, 90, 90),       QColor(220, 110, 0),  QColor(170, 0, 100),
                              QColor(70, 120, 0)};
// A logarithmic axis shows this many decades below its top: the body diode's current starts
// far below anything a datasheet gives.
constexpr double kLogDecadesShown = 6;
// Well within a double, whose smallest values 10 to a whole power would round to 0.
constexpr double kLowestLogDecade = 300;
// Above the series, which the chart stacks by the order they were added.
constexpr qreal kNameLayer = 1000;
// Room between the plot area and the curves' names, and around a title.
constexpr int kTitleRoom = 4;
constexpr qreal kSmallestTitlePoints = 5;

QColor CurveColor(std::size_t index) { return kCurveColors[index % kCurveColors.size()]; }

// 1, 2 or 5 times a power of ten, cutting the span into about five parts.
double TickStep(double span) {
  const double raw = span / 5;
  const double decade = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0})
    if (factor * decade >= raw) return factor * decade;
  return 10 * decade;
}

// A marker on the edge of the plot area would show only half: the range reaches this share
// of itself beyond such a marker.
constexpr double kMarkerEdgeShare = 0.04;

// Which ends of a range [low, high] a marker sits on.
struct MarkerEnds {
  bool low = false, high = false;
};

MarkerEnds EndsTaken(const std::vector<double>& values, double low, double high) {
  const double near = (high - low) * kMarkerEdgeShare;
  MarkerEnds ends;
  for (const double value : values) {
    ends.low = ends.low || value <= low + near;
    ends.high = ends.high || value >= high - near;
  }
  return ends;
}

/// From 0, or from a lowest value below it (the junction temperatures from -55 C), to top
/// (rounded up to a whole tick when asked), with ticks on round numbers, and a little beyond an
/// end a marker sits on. The points drawn are within kLargestDrawnValue, so the range stays
/// finite.
void SetLinearRange(QValueAxis* axis, double lowest, double top, bool roundUp,
                    const std::vector<double>& markers) {
  if (!std::isnormal(top) || top < 0) top = 1;
  if (!std::isfinite(lowest) || lowest > 0) lowest = 0;
  const double step = TickStep(top - lowest);
  if (roundUp) top = std::ceil(top / step - 1e-9) * step;
  const MarkerEnds ends = EndsTaken(markers, lowest, top);
  const double span = top - lowest;
  const double bottom = lowest - (ends.low ? span * kMarkerEdgeShare : 0);
  if (ends.high) top += span * kMarkerEdgeShare;
  axis->setTickAnchor(0);
  // The axis lays its ticks out anew at each change, so the new range must never meet the old,
  // smaller step: from 0..1 by 0.2 to 0..300000 by 100000, that would make a million and a half
  // ticks, each with its label, for a moment.
  if (step > axis->tickInterval()) {
    axis->setTickInterval(step);
    axis->setRange(bottom, top);
  } else {
    axis->setRange(bottom, top);
    axis->setTickInterval(step);
  }
  axis->setTickType(QValueAxis::TicksDynamic);
}

bool RisesAboveZero(const Curve& curve) {
  return std::any_of(curve.points.begin(), curve.points.end(), [](const Point& p) { return p.y > 0; });
}

// The curves that get a name: a plot of several curves names each that rises above zero.
QList<int> NamedCurves(const std::vector<Curve>& curves) {
  QList<int> named;
  if (curves.size() < 2) return named;
  for (std::size_t i = 0; i < curves.size(); ++i)
    if (RisesAboveZero(curves[i])) named << static_cast<int>(i);
  return named;
}

}  // namespace

QColor ModelCurveColor(QColor curveColor) {
  constexpr double kWhiteShare = 0.35;
  auto mix = [](int channel) { return channel + static_cast<int>((255 - channel) * kWhiteShare); };
  return QColor(mix(curveColor.red()), mix(curveColor.green()), mix(curveColor.blue()));
}

CheckPlot::CheckPlot(const QString& xTitle, const QString& yTitle, bool logY, bool markersFromModel,
                     QWidget* parent)
    : QChartView(new QChart, parent), markersFromModel_(markersFromModel) {
  setRenderHint(QPainter::Antialiasing);
  setFocusPolicy(Qt::NoFocus);
  viewport()->setFocusPolicy(Qt::NoFocus);  // or Tab would stop at the plot's drawing area
  QChart* plot = chart();
  plot->legend()->hide();  // the page shows one legend for all four plots
  plot->setMargins(QMargins(2, 2, 2, 2));
  plot->layout()->setContentsMargins(0, 0, 0, 0);
  plot->setBackgroundRoundness(0);

  auto* x = new QValueAxis;
  x->setLabelFormat("%g");
  QAbstractAxis* y;
  if (logY) {
    auto* log = new QLogValueAxis;
    log->setBase(10);
    log->setLabelFormat("%g");
    y = log;
  } else {
    auto* linear = new QValueAxis;
    linear->setLabelFormat("%g");
    y = linear;
  }
  for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(x), y}) {
    QFont axisFont = font();
    axisFont.setBold(false);
    axis->setTitleFont(axisFont);
  }
  x->setTitleText(xTitle);
  y->setTitleText(yTitle);
  plot->addAxis(x, Qt::AlignBottom);
  plot->addAxis(y, Qt::AlignLeft);
  connect(plot, &QChart::plotAreaChanged, this, [this] {
    fitLogLabels();
    placeCurveNames();
  });
  fitTitle();
  redraw();
}

void CheckPlot::setTitle(const QString& title) {
  chart()->setTitle(title);
  fitTitle();
}

void CheckPlot::resizeEvent(QResizeEvent* event) {
  QChartView::resizeEvent(event);
  fitTitle();
}

// The chart cuts a title wider than itself short: a long one (a test voltage typed with many
// digits) is set in a smaller type instead, so that it stays whole.
void CheckPlot::fitTitle() {
  QFont titleFont = font();
  titleFont.setBold(true);
  const QString title = chart()->title();
  // The chart sets its title between its margins, the right one holding the curves' names.
  const QMargins margins = chart()->margins();
  const qreal room = width() - margins.left() - margins.right() - 4 * kTitleRoom;
  while (titleFont.pointSizeF() > kSmallestTitlePoints &&
         QFontMetricsF(titleFont).horizontalAdvance(title) > room)
    titleFont.setPointSizeF(titleFont.pointSizeF() - 0.5);
  if (chart()->titleFont() != titleFont) chart()->setTitleFont(titleFont);
}

void CheckPlot::showModel(std::vector<Curve> curves, std::vector<Point> markers,
                          std::vector<Point> datasheetPoints) {
  model_ = std::move(curves);
  markers_ = std::move(markers);
  datasheetPoints_ = std::move(datasheetPoints);
  simulated_.clear();
  redraw();
}

void CheckPlot::showSimulated(std::vector<Curve> curves) {
  simulated_ = std::move(curves);
  redraw();
}

void CheckPlot::clearSimulated() {
  if (simulated_.empty()) return;
  simulated_.clear();
  redraw();
}

void CheckPlot::redraw() {
  chart()->removeAllSeries();
  qDeleteAll(names_);
  names_.clear();
  fitAxes();
  addCurves(model_, false);
  addCurves(simulated_, true);
  if (!markers_.empty()) addMarkers(markers_, markersFromModel_);
  if (!datasheetPoints_.empty()) addMarkers(datasheetPoints_, false);
  reserveRoomForNames();
  fitLogLabels();
  placeCurveNames();
}

void CheckPlot::addMarkers(const std::vector<Point>& points, bool fromModel) {
  auto* series = new QScatterSeries;
  if (fromModel) {
    series->setObjectName("model point");
    series->setMarkerShape(QScatterSeries::MarkerShapeRotatedRectangle);
    series->setMarkerSize(kModelMarkerSize);
    series->setColor(Qt::white);
    series->setBorderColor(QColor(kFirstCurveColor));
  } else {
    series->setObjectName("datasheet");
    series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    series->setMarkerSize(kDatasheetMarkerSize);
    series->setColor(QColor(kDatasheetMarkerFill));
    series->setBorderColor(Qt::black);
  }
  for (const Point& point : points)
    if (shows(point)) series->append(point.x, point.y);
  chart()->addSeries(series);
  for (QAbstractAxis* axis : chart()->axes()) series->attachAxis(axis);
}

// A decade per label while each has a line and a half of height; where the plot is too short
// for that, every second or third decade, so that no label is cut short.
void CheckPlot::fitLogLabels() {
  auto* log = qobject_cast<QLogValueAxis*>(chart()->axes(Qt::Vertical).front());
  if (!log || log->min() <= 0) return;
  const double decades = std::max(1.0, std::floor(std::log10(log->max() / log->min())));
  const double labelHeight = 1.5 * QFontMetrics(log->labelsFont()).height();
  const double fitting = std::max(2.0, std::floor(chart()->plotArea().height() / labelHeight));
  const double step = std::ceil(decades / (fitting - 1));
  const double base = std::pow(10.0, step);
  if (log->base() != base) log->setBase(base);
}

void CheckPlot::fitAxes() {
  double minX = 0, maxX = 0, maxY = 0, minPositiveY = HUGE_VAL;
  const bool logY = qobject_cast<QLogValueAxis*>(chart()->axes(Qt::Vertical).front()) != nullptr;
  auto take = [&](const Point& p) {
    if (!Drawable(p, logY)) return;
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
    if (p.y > 0) minPositiveY = std::min(minPositiveY, p.y);
  };
  for (const std::vector<Curve>* curves : {&model_, &simulated_})
    for (const Curve& curve : *curves) std::for_each(curve.points.begin(), curve.points.end(), take);
  std::vector<Point> allMarkers = markers_;
  allMarkers.insert(allMarkers.end(), datasheetPoints_.begin(), datasheetPoints_.end());
  std::for_each(allMarkers.begin(), allMarkers.end(), take);

  std::vector<double> markerX, markerY;
  for (const Point& p : allMarkers) {
    if (!Drawable(p, logY)) continue;
    markerX.push_back(p.x);
    markerY.push_back(logY ? std::log10(p.y) : p.y);
  }
  // The curves end where their sweep ends; the y axis ends at the tick above the highest point.
  SetLinearRange(qobject_cast<QValueAxis*>(chart()->axes(Qt::Horizontal).front()), minX, maxX, false,
                 markerX);
  QAbstractAxis* y = chart()->axes(Qt::Vertical).front();
  if (auto* log = qobject_cast<QLogValueAxis*>(y)) {
    if (maxY == 0) maxY = minPositiveY = 1;
    double top = std::max(std::ceil(std::log10(maxY) - 1e-9), -kLowestLogDecade + 1);
    double bottom =
        std::max({std::floor(std::log10(minPositiveY)), top - kLogDecadesShown, -kLowestLogDecade});
    top = std::max(top, bottom + 1);
    const MarkerEnds ends = EndsTaken(markerY, bottom, top);
    const double beyond = (top - bottom) * kMarkerEdgeShare;
    log->setRange(std::pow(10.0, bottom - (ends.low ? beyond : 0)),
                  std::pow(10.0, top + (ends.high ? beyond : 0)));
  } else {
    SetLinearRange(qobject_cast<QValueAxis*>(y), 0, maxY, true, markerY);
  }
}

// Points far below a logarithmic axis's range only clutter its foot.
bool CheckPlot::shows(const Point& p) const {
  const auto* log = qobject_cast<QLogValueAxis*>(chart()->axes(Qt::Vertical).front());
  return Drawable(p, log != nullptr) && (!log || p.y >= log->min());
}

void CheckPlot::addCurves(const std::vector<Curve>& curves, bool simulated) {
  for (std::size_t i = 0; i < curves.size(); ++i) {
    auto* series = new QLineSeries;
    series->setObjectName(simulated ? "ngspice" : "model");
    series->setName(ToQString(curves[i].label));
    series->setPen(simulated ? QPen(QColor(kSimulatedCurveColor), kSimulatedCurveWidth, Qt::DashLine)
                             : QPen(ModelCurveColor(CurveColor(i)), kModelCurveWidth));
    QList<QPointF> points;
    for (const Point& p : curves[i].points)
      if (shows(p)) points.append({p.x, p.y});
    series->append(points);
    chart()->addSeries(series);
    for (QAbstractAxis* axis : chart()->axes()) series->attachAxis(axis);
  }
}

// The names stand right of the plot area, where they cover no curve: the chart keeps a margin
// as wide as the widest.
void CheckPlot::reserveRoomForNames() {
  int widest = 0;
  const QFontMetrics metrics(font());
  for (int i : NamedCurves(model_))
    widest = std::max(widest, metrics.horizontalAdvance(ToQString(model_[std::size_t(i)].label)));
  const int right = widest > 0 ? widest + 2 * kTitleRoom : 2;
  if (chart()->margins().right() == right) return;
  chart()->setMargins(QMargins(2, 2, right, 2));
  fitTitle();
}

// Names each curve level with its right end, from the top down, each pushed below the one
// above it and the whole column pulled up where it would run off the plot's foot.
void CheckPlot::placeCurveNames() {
  qDeleteAll(names_);
  names_.clear();
  const QList<int> named = NamedCurves(model_);
  if (named.isEmpty()) return;
  const QRectF area = chart()->plotArea();
  const QList<QAbstractSeries*> series = chart()->series();
  struct Name {
    qreal y;
    QGraphicsSimpleTextItem* item;
  };
  QList<Name> column;
  for (int i : named) {
    auto* line = qobject_cast<QLineSeries*>(series.value(i));
    if (!line || line->count() == 0) continue;
    auto* item = new QGraphicsSimpleTextItem(line->name(), chart());
    item->setBrush(CurveColor(std::size_t(i)));
    item->setZValue(kNameLayer);
    names_ << item;
    const qreal end = chart()->mapToPosition(line->at(line->count() - 1), line).y();
    column.append({end - item->boundingRect().height() / 2, item});
  }
  std::sort(column.begin(), column.end(), [](const Name& a, const Name& b) { return a.y < b.y; });
  qreal next = area.top();
  for (Name& name : column) {
    name.y = std::max(name.y, next);
    next = name.y + name.item->boundingRect().height();
  }
  qreal bottom = area.bottom();
  for (auto name = column.rbegin(); name != column.rend(); ++name) {
    name->y = std::min(name->y, bottom - name->item->boundingRect().height());
    bottom = name->y;
  }
  for (const Name& name : column) name.item->setPos(area.right() + kTitleRoom, name.y);
}

}  // namespace vdmos::ui
