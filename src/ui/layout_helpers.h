#pragma once
// Small helpers shared by the page builders.

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <initializer_list>

#include "ui/controls.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"

namespace vdmos::ui {

/// A row of widgets that keeps their sizes, followed by a stretch that takes any extra width.
inline QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
  auto* row = new QHBoxLayout;
  for (QWidget* widget : widgets) row->addWidget(widget);
  row->addStretch(1);
  return row;
}

/// A field with its caption before it and its unit after it, in three grid cells.
inline QLineEdit* AddLabelledField(QGridLayout* grid, ControlFactory& make, const LabelledField& field,
                                   int row, int column, int chars = 7) {
  grid->addWidget(make.caption(field.caption), row, column);
  QLineEdit* edit = make.field(field.field, chars);
  grid->addWidget(edit, row, column + 1);
  grid->addWidget(make.unit(field.unit, field.field), row, column + 2);
  return edit;
}

/// A grid whose extra width and height go to an empty last column and row.
inline void CloseGrid(QGridLayout* grid) {
  grid->setColumnStretch(grid->columnCount(), 1);
  grid->setRowStretch(grid->rowCount(), 1);
}

/// A page or frame body: the layout, then a stretch so extra height stays empty.
inline QWidget* Page(QLayout* content, const WindowText& title) {
  auto* page = new QWidget;
  page->setObjectName(ToQString(title.name));
  auto* column = new QVBoxLayout(page);
  column->addLayout(content);
  column->addStretch(1);
  return page;
}

}  // namespace vdmos::ui
