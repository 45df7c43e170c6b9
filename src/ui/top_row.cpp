#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "model/control_names.h"
#include "model/fet_type.h"
#include "ui/check_box.h"
#include "ui/controls.h"
#include "ui/layout_helpers.h"
#include "ui/pages.h"
#include "ui/text_bridge.h"

namespace vdmos::ui {

QWidget* BuildTopRow(ControlFactory& make) {
  auto* row = new QWidget;
  row->setObjectName("TopRow");
  QLabel* nameLabel = make.caption(texts::Label40);
  QLineEdit* name = make.field(control::Text20, 14);
  nameLabel->setBuddy(name);
  QLabel* typeLabel = make.caption(texts::Label41);
  QComboBox* type = make.comboBox(control::Combo1, {ToQString(kNmosText), ToQString(kPmosText)});
  typeLabel->setBuddy(type);
  CheckBox* depletion = make.checkBox(texts::CheckDepMode);
  QLabel* depletionLabel = make.caption(texts::Label8);
  depletionLabel->setBuddy(depletion);
  auto* layout = Row({nameLabel, name, typeLabel, type, depletion, depletionLabel});
  layout->setContentsMargins(0, 0, 0, 0);
  row->setLayout(layout);
  return row;
}

}  // namespace vdmos::ui
