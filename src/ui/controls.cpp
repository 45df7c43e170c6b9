#include "ui/controls.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "model/fields.h"
#include "ui/check_box.h"
#include "ui/output_label.h"
#include "ui/text_box.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"

namespace vdmos::ui {

void Controls::add(QObject* control) { controls_.insert(control->objectName(), control); }

QObject* Controls::find(std::string_view name) const { return controls_.value(ToQString(name), nullptr); }

ControlFactory::ControlFactory(Controls& controls) : controls_(controls) {
  const QFontMetrics metrics(QApplication::font());
  charWidth_ = metrics.horizontalAdvance(QLatin1Char('0'));
  lineHeight_ = metrics.lineSpacing();
}

template <typename T>
T* ControlFactory::make(std::string_view name, T* control) {
  control->setObjectName(ToQString(name));
  const QString tip = ToolTip(name);
  if (!tip.isEmpty()) control->setToolTip(tip);
  control->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  made_.append(control);
  controls_.add(control);
  return control;
}

void ControlFactory::applyTabOrder() const {
  QWidget* previous = nullptr;
  for (QWidget* widget : made_) {
    if (!(widget->focusPolicy() & Qt::TabFocus)) continue;
    if (previous) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

QLabel* ControlFactory::caption(std::string_view name) { return make(name, new QLabel(Caption(name))); }

QLabel* ControlFactory::unit(std::string_view field) {
  const std::string name = "Unit_" + std::string(field);
  const FieldInfo* info = FindField(field);
  return make(name, new QLabel(info != nullptr ? ToQString(info->unit) : Caption(name)));
}

QLabel* ControlFactory::output(std::string_view name, int chars, int lines) {
  auto* label = make(name, new OutputLabel(QSize(chars * charWidth_ + 4, lines * lineHeight_ + 4)));
  label->setWordWrap(lines > 1);
  label->setAlignment(Qt::AlignLeft | (lines > 1 ? Qt::AlignTop : Qt::AlignVCenter));
  return label;
}

QLabel* ControlFactory::outputCell(std::string_view name, int chars) {
  auto* cell = make(name, new OutputLabel(QSize(FieldWidth(chars), QLineEdit().sizeHint().height())));
  cell->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  cell->setIndent(3);
  return cell;
}

QLineEdit* ControlFactory::field(std::string_view name, int chars) {
  auto* field = make(name, new QLineEdit);
  field->setFixedWidth(FieldWidth(chars));
  return field;
}

int ControlFactory::FieldWidth(int chars) const { return chars * charWidth_ + 16; }

QPushButton* ControlFactory::button(std::string_view name) {
  return make(name, new QPushButton(Caption(name)));
}

QPushButton* ControlFactory::helpButton(std::string_view name) {
  auto* button = this->button(name);
  const int side = button->sizeHint().height();
  button->setFixedSize(side, side);
  return button;
}

CheckBox* ControlFactory::checkBox(std::string_view name) {
  auto* box = make(name, new CheckBox);
  if (const QString text = Caption(name); !text.isEmpty()) box->setText(text);
  return box;
}

QComboBox* ControlFactory::comboBox(std::string_view name, const QStringList& items) {
  auto* box = make(name, new QComboBox);
  box->addItems(items);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  // Inline completion would change the typed text behind the user's back.
  box->setCompleter(nullptr);
  return box;
}

QRadioButton* ControlFactory::option(std::string_view name) {
  auto* option = make(name, new QRadioButton(Caption(name)));
  // The commands keep the two options exclusive; the toolkit must not do it behind them.
  option->setAutoExclusive(false);
  return option;
}

QGroupBox* ControlFactory::frame(std::string_view name) { return make(name, new QGroupBox(Caption(name))); }

TextBox* ControlFactory::textBox(std::string_view name) {
  auto* box = make(name, new TextBox);
  box->setTabChangesFocus(true);
  return box;
}

void ControlFactory::adoptWidget(std::string_view name, QWidget* control) { make(name, control); }

HelpPicture* ControlFactory::picture(std::string_view name, HelpPicture::Kind kind) {
  return make(name, new HelpPicture(kind));
}

}  // namespace vdmos::ui
