#pragma once
#include <QTableWidget>
#include <span>

#include "verify/verify_model.h"

namespace vdmos::ui {

/// The model check's table: each datasheet point with its condition, the datasheet's value,
/// the model's, the simulated one and the error in percent; or, for a refined card, the
/// fitted card's simulated value and error beside the refined card's. Every number cell
/// keeps its value under Qt::UserRole; a value that is missing shows as "-" and keeps none.
class CheckTable : public QTableWidget {
  Q_OBJECT
 public:
  explicit CheckTable(QWidget* parent = nullptr);

  void showRows(const std::vector<VerificationRow>& rows);
  /// Both cards were checked at the same points; a point only one of them has keeps "-" for
  /// the other.
  void showComparison(const std::vector<VerificationRow>& fitted,
                      const std::vector<VerificationRow>& refined);
  /// Room for the heads and a few rows; the page's splitter gives it more on request.
  QSize sizeHint() const override;

 private:
  void setHeads(std::span<const char* const> heads);
  void fitColumns();
};

}  // namespace vdmos::ui
