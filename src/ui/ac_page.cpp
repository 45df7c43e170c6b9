#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "model/control_names.h"
#include "ui/layout_helpers.h"
#include "ui/pages.h"

namespace vdmos::ui {
namespace {

// Three rows, one per drain voltage; the Ciss cells at 0 V and at the highest voltage are
// computed, the others typed.
QGroupBox* CapacitanceFrame(ControlFactory& make) {
  QGroupBox* frame = make.frame(texts::Frame3);
  auto* grid = new QGridLayout(frame);
  grid->addWidget(make.caption(texts::Head_Frame3_Vds), 0, 0);
  grid->addWidget(make.caption(texts::Unit_Frame3_Vds), 1, 0);
  const std::pair<const WindowText&, const WindowText&> columns[] = {
      {texts::Head_Frame3_Ciss, texts::Unit_Frame3_Ciss},
      {texts::Head_Frame3_Coss, texts::Unit_Frame3_Coss},
      {texts::Head_Frame3_Crss, texts::Unit_Frame3_Crss}};
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(make.caption(columns[i].first), 0, i + 2);
    grid->addWidget(make.caption(columns[i].second), 1, i + 2);
  }
  grid->addWidget(make.caption(texts::Caption_ZeroVolt), 2, 0, 1, 2);
  grid->addWidget(make.outputCell(control::Ciss_on), 2, 2);
  grid->addWidget(make.field(texts::Text21), 2, 3);
  grid->addWidget(make.field(control::Text10), 2, 4);
  grid->addWidget(make.field(control::TextVdsMiddle), 3, 0);
  grid->addWidget(make.unit(texts::Unit_TextVdsMiddle, control::TextVdsMiddle), 3, 1);
  grid->addWidget(make.field(control::Text7), 3, 2);
  grid->addWidget(make.field(control::Text8), 3, 3);
  grid->addWidget(make.field(control::Text9), 3, 4);
  grid->addWidget(make.field(control::TextVdsMax), 4, 0);
  grid->addWidget(make.unit(texts::Unit_TextVdsMax, control::TextVdsMax), 4, 1);
  grid->addWidget(make.outputCell(control::Ciss_off), 4, 2);
  grid->addWidget(make.field(control::TextCossMin), 4, 3);
  grid->addWidget(make.field(control::Text11), 4, 4);
  return frame;
}

QGroupBox* RecoveryFrame(ControlFactory& make) {
  QGroupBox* frame = make.frame(texts::Frame5);
  auto* grid = new QGridLayout(frame);
  AddLabelledField(grid, make, texts::Trr, 0, 0);
  CloseGrid(grid);
  return frame;
}

QGroupBox* GateChargeFrame(ControlFactory& make) {
  QGroupBox* frame = make.frame(texts::Frame7);
  auto* grid = new QGridLayout(frame);
  AddLabelledField(grid, make, texts::IdCharge, 0, 0);
  AddLabelledField(grid, make, texts::VdCharge, 1, 0);
  // One column: the page is as wide as the capacitance grid above, and no wider.
  AddLabelledField(grid, make, texts::VgCharge, 2, 0);
  AddLabelledField(grid, make, texts::Qgs, 3, 0);
  AddLabelledField(grid, make, texts::Qgd, 4, 0);
  AddLabelledField(grid, make, texts::Qg, 5, 0);
  CloseGrid(grid);
  return frame;
}

QGroupBox* ParameterFrame(ControlFactory& make) {
  QGroupBox* frame = make.frame(texts::Frame8);
  (new QVBoxLayout(frame))->addWidget(make.output(control::Label_ACparam, 30, 2));
  return frame;
}

}  // namespace

QWidget* BuildAcPage(ControlFactory& make) {
  auto* left = new QVBoxLayout;
  left->addWidget(CapacitanceFrame(make));
  auto* conditions = new QHBoxLayout;
  conditions->addWidget(RecoveryFrame(make), 0, Qt::AlignTop);
  conditions->addWidget(GateChargeFrame(make), 0, Qt::AlignTop);
  conditions->addStretch(1);
  left->addLayout(conditions);
  left->addWidget(ParameterFrame(make));
  left->addLayout(Row({make.button(texts::Update_AC)}));
  left->addStretch(1);

  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addWidget(make.picture(control::Image1, HelpPicture::Kind::Capacitances), 0, Qt::AlignTop);
  columns->addStretch(1);
  return Page(columns, texts::PageAc);
}

}  // namespace vdmos::ui
