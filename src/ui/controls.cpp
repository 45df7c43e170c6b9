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
  control->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  made_.append(control);
  controls_.add(control);
  return control;
}

template <typename T>
T* ControlFactory::make(const WindowText& text, T* control) {
  make(text.name, control)->setToolTip(ToolTip(text));
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

QLabel* ControlFactory::caption(const WindowText& text) { return make(text, new QLabel(Caption(text))); }

QLabel* ControlFactory::unit(const WindowText& label, std::string_view field) {
  const FieldInfo* info = FindField(field);
  return make(label, new QLabel(info != nullptr ? ToQString(info->unit) : Caption(label)));
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
  if (const FieldInfo* info = FindField(name)) field->setToolTip(FieldToolTip(*info));
  return field;
}

QLineEdit* ControlFactory::field(const WindowText& text, int chars) {
  QLineEdit* field = this->field(text.name, chars);
  // A tip the window has always shown stays as it was.
  if (!text.toolTip.empty()) field->setToolTip(ToolTip(text));
  return field;
}

QString FieldToolTip(const FieldInfo& field) {
  QString tip = ToQString(field.quantity) + ": " + ToQString(field.meaning);
  if (!field.unit.empty()) tip += ", in " + ToQString(field.unit);
  switch (field.reading) {
    case Reading::Engineering:
      return tip + "; SPICE suffixes allowed (f p n u m k meg)";
    case Reading::Plain:
      return tip + "; a plain number, scaled only with its unit (2.4nF)";
    case Reading::Text:
      break;
  }
  return tip;
}

int ControlFactory::FieldWidth(int chars) const { return chars * charWidth_ + 16; }

QPushButton* ControlFactory::button(const WindowText& text) {
  return make(text, new QPushButton(MenuCaption(text)));
}

QPushButton* ControlFactory::helpButton(const WindowText& text) {
  auto* button = this->button(text);
  const int side = button->sizeHint().height();
  button->setFixedSize(side, side);
  return button;
}

CheckBox* ControlFactory::checkBox(const WindowText& text) {
  auto* box = make(text, new CheckBox);
  if (const QString caption = MenuCaption(text); !caption.isEmpty()) box->setText(caption);
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

QRadioButton* ControlFactory::option(const WindowText& text) {
  auto* option = make(text, new QRadioButton(Caption(text)));
  // The commands keep the two options exclusive; the toolkit must not do it behind them.
  option->setAutoExclusive(false);
  return option;
}

QGroupBox* ControlFactory::frame(const WindowText& text) { return make(text, new QGroupBox(Caption(text))); }

TextBox* ControlFactory::textBox(std::string_view name) {
  auto* box = make(name, new TextBox);
  box->setTabChangesFocus(true);
  return box;
}

QWidget* ControlFactory::adoptWidget(std::string_view name, QWidget* control) { return make(name, control); }

HelpPicture* ControlFactory::picture(std::string_view name, HelpPicture::Kind kind) {
  return make(name, new HelpPicture(kind));
}

}  // namespace vdmos::ui
