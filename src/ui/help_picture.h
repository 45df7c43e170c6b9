#pragma once
#include <QWidget>

namespace vdmos::ui {

/// The help pictures of the window, drawn rather than loaded: where to read the gate
/// plateau on a gate-charge curve, where to read the maximum current on a transfer curve,
/// and the three capacitances against drain voltage.
class HelpPicture : public QWidget {
  Q_OBJECT
 public:
  enum class Kind { GateCharge, Transfer, Capacitances };
  HelpPicture(Kind kind, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Kind kind_;
};

}  // namespace vdmos::ui
