#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/layout_helpers.h"
#include "ui/pages.h"
#include "ui/text_box.h"

namespace vdmos::ui {

QWidget* BuildLibPage(ControlFactory& make) {
  auto* page = new QWidget;
  page->setObjectName("PageLib");
  auto* column = new QVBoxLayout(page);

  auto* file = new QHBoxLayout;
  file->addWidget(make.caption("Label43"));
  // The library's path can be long: the label takes whatever width the window gives it.
  QLabel* fileName = make.output("FileName", 1);
  fileName->setMinimumWidth(0);
  fileName->setMaximumWidth(QWIDGETSIZE_MAX);
  fileName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  file->addWidget(fileName);
  column->addLayout(file);

  column->addLayout(Row({make.button("OpenLib"), make.button("SaveLib"), make.button("Add"),
                         make.option("OptionStandard"), make.option("OptionSubCkt")}));

  TextBox* library = make.textBox("LibTextBox");
  library->setLineWrapMode(QPlainTextEdit::NoWrap);
  library->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  library->setMinimumSize(20 * make.charWidth(), 4 * make.lineHeight());
  column->addWidget(library, 1);
  return page;
}

}  // namespace vdmos::ui
