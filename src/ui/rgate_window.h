#pragma once
#include <QWidget>

#include "model/window_state.h"
#include "ui/controls.h"

namespace vdmos::ui {

/// The gate resistance window: six fields, an OK button, and nothing of its own. The main
/// window creates it while the state says it is loaded and removes it when it is unloaded.
/// Enter anywhere in it runs OK, as in a dialog, and Escape closes it.
class RgateWindow : public QWidget {
  Q_OBJECT
 public:
  explicit RgateWindow(QWidget* parent);

  /// Shows the form's texts; fields that already show their text are left alone.
  void showForm(const GateResistanceForm& form);
  /// Copies the six field texts into the form.
  void takeEdits(GateResistanceForm& form) const;
  const Controls& controls() const { return controls_; }

 signals:
  void edited();
  void okClicked();
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Controls controls_;
};

}  // namespace vdmos::ui
