#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/control_names.h"
#include "ui/check_box.h"
#include "ui/layout_helpers.h"
#include "ui/pages.h"

namespace vdmos::ui {
namespace {

QLayout* StaticValues(ControlFactory& make) {
  auto* grid = new QGridLayout;
  AddLabelledField(grid, make, texts::Text6, 0, 0);
  AddLabelledField(grid, make, texts::rdsonVgs, 0, 3);
  // Vgs(th) beside its test current, as Rds(on) beside its gate voltage: the datasheet's rows.
  AddLabelledField(grid, make, texts::Text3, 1, 0);
  AddLabelledField(grid, make, texts::VthCurrent, 1, 3);
  AddLabelledField(grid, make, texts::Text2, 2, 0);
  grid->addWidget(make.helpButton(texts::Button_Rgate), 2, 3);
  CloseGrid(grid);
  return grid;
}

QGroupBox* TransferFrame(ControlFactory& make) {
  QGroupBox* frame = make.frame(texts::Frame2);
  auto* grid = new QGridLayout;
  grid->addWidget(make.caption(texts::Head_Frame2_Vgs), 0, 0);
  grid->addWidget(make.caption(texts::Head_Frame2_Id), 0, 1);
  grid->addWidget(make.field(texts::Vplat), 1, 0);
  grid->addWidget(make.field(texts::Idplat), 1, 1);
  grid->addWidget(make.helpButton(texts::VgsPlat_Help), 1, 2);
  grid->addWidget(make.field(texts::Text5), 2, 0);
  grid->addWidget(make.field(texts::Text4), 2, 1);
  grid->addWidget(make.helpButton(texts::transf_help), 2, 2);
  auto* testVoltage = new QGridLayout;
  AddLabelledField(testVoltage, make, texts::TextBoxVdsTest, 0, 0);
  CloseGrid(testVoltage);
  auto* column = new QVBoxLayout(frame);
  column->addLayout(grid);
  column->addLayout(testVoltage);
  return frame;
}

QGroupBox* BodyDiodeFrame(ControlFactory& make) {
  QGroupBox* frame = make.frame(texts::Frame4);
  auto* grid = new QGridLayout(frame);
  grid->addWidget(make.caption(texts::Head_Frame4_Vsd), 0, 0);
  grid->addWidget(make.caption(texts::Head_Frame4_Isd), 0, 1);
  for (int point = 1; point <= 3; ++point) {
    grid->addWidget(make.field("vd" + std::to_string(point)), point, 0);
    grid->addWidget(make.field("id" + std::to_string(point)), point, 1);
  }
  return frame;
}

QGroupBox* OutputFrame(ControlFactory& make) {
  QGroupBox* frame = make.frame(texts::Frame6);
  auto* grid = new QGridLayout(frame);
  AddLabelledField(grid, make, texts::VdsRange, 0, 0);
  CloseGrid(grid);
  return frame;
}

// The currents of the two check points are the fit's answer, not inputs: Tab passes them by,
// a click still selects their text to copy.
QLineEdit* ResultField(ControlFactory& make, std::string_view name) {
  QLineEdit* field = make.field(name);
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::ClickFocus);
  return field;
}

QGroupBox* MatchingFrame(ControlFactory& make) {
  QGroupBox* frame = make.frame(texts::Sim_Results);
  auto* column = new QVBoxLayout(frame);
  column->addWidget(make.checkBox(texts::ForceRdsOn));
  column->addWidget(make.checkBox(texts::FixVTO));
  column->addLayout(Row({make.caption(texts::Caption_Text_LAMBDA), make.field(control::Text_LAMBDA),
                         make.button(texts::Update_DC)}));

  auto* check = new QGridLayout;
  check->addWidget(make.caption(texts::Head_Sim_Vgs), 0, 0);
  check->addWidget(make.caption(texts::Head_Sim_Vds), 0, 1);
  check->addWidget(make.caption(texts::Head_Sim_Ids), 0, 2);
  check->addWidget(make.caption(texts::Unit_Sim_Vgs), 1, 0);
  check->addWidget(make.caption(texts::Unit_Sim_Vds), 1, 1);
  check->addWidget(make.caption(texts::Unit_Sim_Ids), 1, 2);
  check->addWidget(make.field(control::Out_VGS), 2, 0);
  check->addWidget(make.field(control::OUT_VDS1), 2, 1);
  check->addWidget(ResultField(make, control::OUT_ID1), 2, 2);
  check->addWidget(make.field(control::OUT_VDS2), 3, 1);
  check->addWidget(ResultField(make, control::OUT_ID2), 3, 2);
  CloseGrid(check);
  column->addLayout(check);

  auto* transfer = new QGridLayout;
  transfer->addWidget(make.caption(texts::Caption_Transfer), 0, 0, Qt::AlignTop);
  transfer->addWidget(make.output(control::DATA1, 22), 0, 1);
  transfer->addWidget(make.output(control::DATA2, 22), 1, 1);
  transfer->addWidget(make.caption(texts::Unit_Transfer), 2, 1);
  CloseGrid(transfer);
  column->addLayout(transfer);
  column->addWidget(make.output(control::Label_Rds, 22));
  column->addWidget(make.caption(texts::Unit_Label_Rds));
  return frame;
}

// The values at the hot temperature, in pairs that belong together.
QGroupBox* TemperatureFrame(ControlFactory& make) {
  QGroupBox* frame = make.frame(texts::FrameTemperature);
  auto* grid = new QGridLayout(frame);
  const LabelledField* pairs[][2] = {{&texts::TjHot, &texts::RdsHotRatio},
                                     {&texts::Tj2, &texts::RdsRatio2},
                                     {&texts::VthHot, &texts::ZtcVgs},
                                     {&texts::VsdHot, &texts::IsdHot},
                                     {&texts::BvHot, &texts::IdssHot}};
  for (int row = 0; row < 5; ++row) {
    AddLabelledField(grid, make, *pairs[row][0], row, 0);
    AddLabelledField(grid, make, *pairs[row][1], row, 3);
  }
  CloseGrid(grid);
  return frame;
}

QGroupBox* ParameterFrame(ControlFactory& make) {
  QGroupBox* frame = make.frame(texts::Frame1);
  (new QVBoxLayout(frame))->addWidget(make.output(control::Label_DcParam, 30, 2));
  return frame;
}

// Image2 and Image3 share one place; the commands keep at most one of them visible.
QWidget* HelpPictures(ControlFactory& make) {
  auto* place = new QWidget;
  place->setObjectName("HelpPictures");
  HelpPicture* gateCharge = make.picture(control::Image2, HelpPicture::Kind::GateCharge);
  HelpPicture* transfer = make.picture(control::Image3, HelpPicture::Kind::Transfer);
  gateCharge->setParent(place);
  transfer->setParent(place);
  place->setFixedSize(gateCharge->size());
  return place;
}

}  // namespace

QWidget* BuildDcPage(ControlFactory& make) {
  auto* left = new QVBoxLayout;
  left->addLayout(StaticValues(make));
  left->addWidget(TransferFrame(make));
  auto* diodeAndOutput = new QHBoxLayout;
  diodeAndOutput->addWidget(BodyDiodeFrame(make), 0, Qt::AlignTop);
  diodeAndOutput->addWidget(OutputFrame(make), 0, Qt::AlignTop);
  diodeAndOutput->addStretch(1);
  left->addLayout(diodeAndOutput);
  left->addWidget(HelpPictures(make));
  left->addStretch(1);

  // The two frames on the right share the width of the wider one.
  auto* right = new QVBoxLayout;
  for (QGroupBox* frame : {MatchingFrame(make), ParameterFrame(make), TemperatureFrame(make)}) {
    frame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    right->addWidget(frame);
  }
  right->addStretch(1);

  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right);
  columns->addStretch(1);
  return Page(columns, texts::PageDc);
}

}  // namespace vdmos::ui
