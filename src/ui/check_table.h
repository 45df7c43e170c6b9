#pragma once
#include <QTableWidget>
#include <span>

#include "ui/window_texts.h"
#include "verify/check_session.h"

namespace vdmos::ui {

/// The model check's table: each datasheet point with its condition, the datasheet's value,
/// the model's, the simulated one and the error in percent; or, for a refined card, the
/// fitted card's simulated value and error beside the refined card's. Every number cell
/// keeps its value under Qt::UserRole; a value that is missing shows as "-" and keeps none.
class CheckTable : public QTableWidget {
  Q_OBJECT
 public:
  explicit CheckTable(QWidget* parent = nullptr);

  /// The lines of a check; compared: the fitted card's values beside the refined card's, "-"
  /// where the fitted card has no such point.
  void showLines(const std::vector<CheckLine>& lines, bool compared);
  /// Room for every column and enough rows to read a check with little scrolling.
  QSize sizeHint() const override;
  /// However small the window, the heads and four rows stay in view.
  QSize minimumSizeHint() const override;

 private:
  void showRows(const std::vector<CheckLine>& lines);
  void showComparison(const std::vector<CheckLine>& lines);
  /// The height that shows the heads and `rows` rows, with room for a horizontal scroll bar.
  int heightForRows(int rows) const;
  int widthForColumns() const;
  void setHeads(std::span<const WindowText> heads);
  void fitColumns();
};

}  // namespace vdmos::ui
