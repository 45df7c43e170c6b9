#pragma once
#include <QTableWidget>

#include "refine/switch_advice.h"

namespace vdmos::ui {

/// The switch advice: one row for each setting of the DC-fit switches, with the worst errors
/// at the datasheet's points of the card that setting gives. The best row is bold and marked,
/// the window's own setting is marked, and a setting whose model cannot be made says so in
/// place of its errors. It keeps the width of its widest content, and grows in height only
/// for a failure text that needs more than its rows.
class SwitchAdviceTable : public QTableWidget {
  Q_OBJECT
 public:
  explicit SwitchAdviceTable(QWidget* parent = nullptr);

  void showAdvice(const SwitchAdvice& advice);

 private:
  void showRow(const SwitchAdvice& advice, std::size_t index, int row);
  void showFailures(const SwitchAdvice& advice);
  void fitHeightToRows();
};

}  // namespace vdmos::ui
