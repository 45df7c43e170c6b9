#pragma once
#include <QWidget>

namespace vdmos::ui {

/// The one legend of the model check's plots: how a model curve, a simulated curve and a
/// datasheet point look. The curves' own names stand at their ends in the plots.
class PlotLegend : public QWidget {
  Q_OBJECT
 public:
  explicit PlotLegend(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace vdmos::ui
