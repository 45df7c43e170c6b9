#pragma once
#include <QCheckBox>

namespace vdmos::ui {

/// A check box that can show the grayed value 2 but that a click only ever sets to 0 or 1,
/// as users know it: a click on a grayed box checks it.
class CheckBox : public QCheckBox {
  Q_OBJECT
 public:
  explicit CheckBox(QWidget* parent = nullptr);

  /// The value as the state keeps it: 0 clear, 1 checked, 2 grayed.
  int value() const;
  void setValue(int value);

 protected:
  void nextCheckState() override;
};

}  // namespace vdmos::ui
