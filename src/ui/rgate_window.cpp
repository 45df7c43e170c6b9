#include "ui/rgate_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "model/control_names.h"
#include "ui/layout_helpers.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"

namespace vdmos::ui {
namespace {

struct FormField {
  const LabelledField& labels;
  std::string GateResistanceForm::*text;
  bool gapBefore;  // the rows come in three groups: drive, charges, delay
};

constexpr FormField kFields[] = {
    {texts::Text_VGG, &GateResistanceForm::Text_VGG, false},
    {texts::Text_Rout, &GateResistanceForm::Text_Rout, false},
    {texts::Text_VGSP, &GateResistanceForm::Text_VGSP, false},
    {texts::Text_Qgs, &GateResistanceForm::Text_Qgs, true},
    {texts::Text_Qgd, &GateResistanceForm::Text_Qgd, false},
    {texts::Text_Td_On, &GateResistanceForm::Text_Td_On, true},
};

}  // namespace

RgateWindow::RgateWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Form_Rgate");
  setWindowTitle(kRgateWindowTitle);
  ControlFactory make(controls_);

  auto* column = new QVBoxLayout(this);
  column->addWidget(make.caption(texts::Heading), 0, Qt::AlignHCenter);
  column->addSpacing(make.lineHeight() / 2);
  auto* grid = new QGridLayout;
  int row = 0;
  for (const FormField& field : kFields) {
    if (field.gapBefore) grid->setRowMinimumHeight(row++, make.lineHeight());
    QLineEdit* edit = AddLabelledField(grid, make, field.labels, row++, 0, 6);
    connect(edit, &QLineEdit::textEdited, this, &RgateWindow::edited);
  }
  column->addLayout(grid);
  column->addSpacing(make.lineHeight());
  QPushButton* ok = make.button(texts::OkButton);
  ok->setFixedWidth(std::max(ok->sizeHint().width(), 12 * make.charWidth()));
  connect(ok, &QPushButton::clicked, this, &RgateWindow::okClicked);
  column->addWidget(ok, 0, Qt::AlignHCenter);
  make.applyTabOrder();
  column->setSizeConstraint(QLayout::SetFixedSize);
}

void RgateWindow::showForm(const GateResistanceForm& form) {
  for (const FormField& field : kFields) {
    auto* edit = controls_.get<QLineEdit>(field.labels.field);
    const QString text = ToQString(form.*field.text);
    if (edit->text() != text) edit->setText(text);
  }
}

void RgateWindow::takeEdits(GateResistanceForm& form) const {
  for (const FormField& field : kFields)
    form.*field.text = controls_.get<QLineEdit>(field.labels.field)->text().toStdString();
}

void RgateWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

// The fields and the button leave Enter and Escape to their window.
void RgateWindow::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    emit okClicked();
  } else if (plain && event->key() == Qt::Key_Escape) {
    close();
  } else {
    QWidget::keyPressEvent(event);
  }
}

}  // namespace vdmos::ui
