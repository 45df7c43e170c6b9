#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>

#include "model/control_names.h"
#include "ui/check_box.h"
#include "ui/layout_helpers.h"
#include "ui/pages.h"
#include "ui/text_box.h"

namespace vdmos::ui {
namespace {

// The card and subcircuit boxes follow the window's width but keep their height.
TextBox* CardBox(ControlFactory& make, std::string_view name, int lines) {
  TextBox* box = make.textBox(name);
  box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  box->setMinimumWidth(20 * make.charWidth());
  box->ensurePolished();  // the style decides the frame's width
  const int margins = int(2 * box->document()->documentMargin()) + 2 * box->frameWidth();
  box->setFixedHeight(lines * box->fontMetrics().lineSpacing() + margins + 2);
  return box;
}

}  // namespace

QWidget* BuildModelPage(ControlFactory& make) {
  auto* column = new QVBoxLayout;
  column->addLayout(Row({make.caption(texts::Label53)}));
  column->addWidget(CardBox(make, control::Text19, 4));
  column->addLayout(
      Row({make.button(texts::Command2), make.button(texts::Command1), make.checkBox(texts::LineBreak)}));
  column->addWidget(CardBox(make, control::SubCktTextBox, 10));
  auto* breakdown = new QGridLayout;
  AddLabelledField(breakdown, make, texts::avalanche_volt, 0, 0);
  auto* buttons = new QHBoxLayout;
  buttons->addLayout(breakdown);
  buttons->addSpacing(2 * make.charWidth());
  buttons->addWidget(make.button(texts::SaveModel));
  // The two copy buttons one above the other, so that the page grows no wider than the others.
  auto* copies = new QVBoxLayout;
  copies->addWidget(make.button(texts::CopyToClipBoardSubCkt));
  copies->addWidget(make.button(texts::CopyToClipBoardNgspiceSubCkt));
  buttons->addLayout(copies);
  buttons->addWidget(make.button(texts::HelpSubCkt));
  buttons->addStretch(1);
  column->addLayout(buttons);
  return Page(column, texts::PageModel);
}

}  // namespace vdmos::ui
