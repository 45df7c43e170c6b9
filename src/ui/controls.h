#pragma once
// The window's controls by name, and the factory that makes each kind of control with its
// caption, tool tip, objectName and the size it keeps when the window is resized.

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <string_view>

#include "model/fields.h"
#include "ui/help_picture.h"
#include "ui/window_texts.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vdmos::ui {

/// A datasheet field's tool tip from the field table: its symbol, meaning and test condition,
/// its unit and how its text is read.
QString FieldToolTip(const FieldInfo& field);

class CheckBox;
class TextBox;

/// Every control of a window, found by its control name (its objectName).
class Controls {
 public:
  void add(QObject* control);
  /// The control of that name, or nullptr.
  QObject* find(std::string_view name) const;
  template <typename T>
  T* get(std::string_view name) const {
    return qobject_cast<T*>(find(name));
  }
  const QHash<QString, QObject*>& all() const { return controls_; }

 private:
  QHash<QString, QObject*> controls_;
};

/// Makes named controls and registers them. Everything it makes has a fixed size, except
/// text boxes, whose size the page layout decides, and output labels, which grow to show
/// their whole text.
class ControlFactory {
 public:
  explicit ControlFactory(Controls& controls);

  /// A static label showing its text.
  QLabel* caption(const WindowText& text);
  /// A label the commands write into, sized for `chars` characters on `lines` lines and
  /// growing for a longer text.
  QLabel* output(std::string_view name, int chars, int lines = 1);
  /// An output label framed like a field, for a computed cell in a grid of fields; it too
  /// grows for a longer text.
  QLabel* outputCell(std::string_view name, int chars = 7);
  /// The unit label after a field: a datasheet field's unit comes from the core's field table,
  /// the unit of the gate resistance window's own fields from the caption "Unit_<field>".
  QLabel* unit(const WindowText& label, std::string_view field);
  /// A one-line input field `chars` characters wide.
  QLineEdit* field(std::string_view name, int chars = 7);
  /// A field with a tool tip.
  QLineEdit* field(const WindowText& text, int chars = 7);
  QPushButton* button(const WindowText& text);
  /// A "?" button: square and small.
  QPushButton* helpButton(const WindowText& text);
  CheckBox* checkBox(const WindowText& text);
  /// A drop-down list whose text can also be typed, as a text change of its own.
  QComboBox* comboBox(std::string_view name, const QStringList& items);
  QRadioButton* option(const WindowText& text);
  QGroupBox* frame(const WindowText& text);
  TextBox* textBox(std::string_view name);
  HelpPicture* picture(std::string_view name, HelpPicture::Kind kind);
  /// Names and registers a control made elsewhere (a plot, a table); it gets a fixed size
  /// like the others, which the caller may relax.
  template <typename T>
  T* adopt(std::string_view name, T* control) {
    adoptWidget(name, control);
    return control;
  }
  /// The same for a control with a tool tip.
  template <typename T>
  T* adopt(const WindowText& text, T* control) {
    adoptWidget(text.name, control)->setToolTip(ToolTip(text));
    return control;
  }

  /// Makes the Tab key visit the controls in the order they were made.
  void applyTabOrder() const;

  /// Where it registers what it makes.
  Controls& controls() const { return controls_; }
  /// The width of a digit in the window's font.
  int charWidth() const { return charWidth_; }
  int lineHeight() const { return lineHeight_; }

 private:
  template <typename T>
  T* make(std::string_view name, T* control);
  template <typename T>
  T* make(const WindowText& text, T* control);
  QWidget* adoptWidget(std::string_view name, QWidget* control);
  int FieldWidth(int chars) const;

  Controls& controls_;
  QList<QWidget*> made_;
  int charWidth_;
  int lineHeight_;
};

}  // namespace vdmos::ui
