#pragma once
#include <QChartView>
#include <QList>
#include <vector>

#include "verify/characteristics.h"

class QGraphicsItem;

namespace vdmos::ui {

// How the plots draw, for the legend to draw the same. A simulated curve is drawn in thin dark
// dashes over the broad, lighter model curve: where the two agree, both stay visible.
inline constexpr QRgb kFirstCurveColor = qRgb(0, 70, 170);
inline constexpr qreal kModelCurveWidth = 3.5;
inline constexpr QRgb kSimulatedCurveColor = qRgb(20, 20, 20);
inline constexpr qreal kSimulatedCurveWidth = 1.5;
inline constexpr QRgb kDatasheetMarkerFill = qRgb(255, 190, 0);
inline constexpr qreal kDatasheetMarkerSize = 9;
// A point the model gives at the datasheet's conditions: hollow, in the model's ink, so that
// it cannot pass for a datasheet value.
inline constexpr qreal kModelMarkerSize = 10;

/// A model curve's colour: the curve's own, mixed with white. Opaque, since a translucent
/// line darkens wherever its segments meet.
QColor ModelCurveColor(QColor curveColor);

/// One plot of the model check: the model's curves (solid, coloured), the simulated curves
/// over them (dashed) and the datasheet's points as markers, or the model's own values at the
/// datasheet's conditions as hollow markers. Where a plot holds several curves, each is named
/// once, beside the plot area level with its right end. The series are named by role for
/// anyone reading the chart: "model", "ngspice", "datasheet" and "model point".
///
/// Whatever its size, every word stays whole: a logarithmic axis labels fewer decades where
/// the height is short, and a title wider than the plot is set in smaller type.
class CheckPlot : public QChartView {
  Q_OBJECT
 public:
  /// Axis titles with their units; a logarithmic y axis for quantities that span decades.
  CheckPlot(const QString& xTitle, const QString& yTitle, bool logY, bool markersFromModel = false,
            QWidget* parent = nullptr);

  void setTitle(const QString& title);
  /// The size the plot asks for, where the window has room; below it down to its minimum.
  void setPreferredSize(const QSize& size) { preferred_ = size; }
  QSize sizeHint() const override { return preferred_.isValid() ? preferred_ : QChartView::sizeHint(); }
  /// Draws the model's curves and the datasheet points; simulated curves drawn so far go.
  /// `datasheetPoints` are drawn as the datasheet's beside markers that carry the model's values.
  void showModel(std::vector<Curve> curves, std::vector<Point> markers,
                 std::vector<Point> datasheetPoints = {});
  /// Draws simulated curves over the model's.
  void showSimulated(std::vector<Curve> curves);
  void clearSimulated();
  bool showsSimulated() const { return !simulated_.empty(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void fitTitle();
  void redraw();
  void fitAxes();
  void addCurves(const std::vector<Curve>& curves, bool simulated);
  bool shows(const Point& point) const;
  void addMarkers(const std::vector<Point>& points, bool fromModel);
  void fitLogLabels();
  void reserveRoomForNames();
  void placeCurveNames();

  QSize preferred_;
  std::vector<Curve> model_, simulated_;
  std::vector<Point> markers_, datasheetPoints_;
  bool markersFromModel_;
  QList<QGraphicsItem*> names_;  // the curves' names
};

}  // namespace vdmos::ui
