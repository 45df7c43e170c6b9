#include "ui/text_box.h"

#include <QMimeData>
#include <QTextCursor>

#include "ui/text_bridge.h"

namespace vdmos::ui {

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent) {
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (!placing_) edited_ = true;
  });
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
    if (!placing_) caretMoved_ = true;
  });
}

bool TextBox::showStateText(const std::string& text) {
  if (!edited_ && text == shown_) return false;
  placing_ = true;
  setPlainText(ToDisplayText(text));
  placing_ = false;
  shown_ = text;
  edited_ = false;
  return true;
}

std::string TextBox::takeEditedText() {
  shown_ = FromDisplayText(toPlainText());
  edited_ = false;
  return shown_;
}

void TextBox::setStateCaret(std::size_t byteOffset) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(DisplayPosition(shown_, byteOffset));
  placing_ = true;
  setTextCursor(cursor);
  placing_ = false;
  caretMoved_ = false;
}

std::size_t TextBox::takeCaret() {
  caretMoved_ = false;
  return StateOffset(shown_, textCursor().position());
}

QMimeData* TextBox::createMimeDataFromSelection() const {
  auto* data = new QMimeData;
  QString selected = textCursor().selectedText();
  // A selection spanning lines holds U+2029 between paragraphs.
  selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  data->setText(ToQString(FromDisplayText(selected)));
  return data;
}

}  // namespace vdmos::ui
