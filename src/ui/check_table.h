#pragma once
#include <QTableWidget>

#include "verify/verify_model.h"

namespace vdmos::ui {

/// The model check's table: each datasheet point with its condition, the datasheet's value,
/// the model's, the simulated one and the error in percent. Every number cell keeps its
/// value under Qt::UserRole; a value that is missing shows as "-" and keeps none.
class CheckTable : public QTableWidget {
  Q_OBJECT
 public:
  explicit CheckTable(QWidget* parent = nullptr);

  void showRows(const std::vector<VerificationRow>& rows);
  /// Room for the heads and a few rows; the page's splitter gives it more on request.
  QSize sizeHint() const override;
};

}  // namespace vdmos::ui
