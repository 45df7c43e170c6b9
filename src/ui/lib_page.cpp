#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "model/control_names.h"
#include "ui/layout_helpers.h"
#include "ui/pages.h"
#include "ui/path_label.h"
#include "ui/text_box.h"

namespace vdmos::ui {

QWidget* BuildLibPage(ControlFactory& make) {
  auto* page = new QWidget;
  page->setObjectName(ToQString(texts::PageLib.name));
  auto* column = new QVBoxLayout(page);

  auto* file = new QHBoxLayout;
  file->addWidget(make.caption(texts::Label43));
  // The library's path can be long: the label takes whatever width the window gives it, and
  // shortens the path's folders to fit.
  auto* fileName = make.adopt(control::FileName, new PathLabel);
  fileName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  file->addWidget(fileName);
  column->addLayout(file);

  column->addLayout(Row({make.button(texts::OpenLib), make.button(texts::SaveLib), make.button(texts::Add),
                         make.option(texts::OptionStandard), make.option(texts::OptionSubCkt)}));

  TextBox* library = make.textBox(control::LibTextBox);
  library->setLineWrapMode(QPlainTextEdit::NoWrap);
  library->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  library->setMinimumSize(20 * make.charWidth(), 4 * make.lineHeight());
  column->addWidget(library, 1);
  return page;
}

}  // namespace vdmos::ui
