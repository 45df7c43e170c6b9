#pragma once
#include <QPlainTextEdit>
#include <string>
#include <string_view>

namespace vdmos::ui {

/// A multi-line text box that shows a state text (CR LF line ends) and hands a copied
/// selection to the clipboard with CR LF line ends, as the state holds it.
class TextBox : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TextBox(QWidget* parent = nullptr);

  /// Shows a state text unless it is the one shown already, so the caret and the scroll
  /// position survive a mirror that changed nothing here. True when the text was replaced.
  bool showStateText(const std::string& text);
  /// True when the user changed the text since it was last shown or taken.
  bool edited() const { return edited_; }
  /// The user's text in the state's form; from now on it counts as the shown text.
  std::string takeEditedText();

  /// Puts the caret at a byte offset of the shown state text.
  void setStateCaret(std::size_t byteOffset);
  /// True when the user moved the caret since it was last placed or taken.
  bool caretMoved() const { return caretMoved_; }
  /// The caret as a byte offset of the shown state text (take the edited text first).
  std::size_t takeCaret();

 protected:
  QMimeData* createMimeDataFromSelection() const override;

 private:
  std::string shown_;  // the state text last shown or taken, for cheap comparisons
  bool edited_ = false;
  bool caretMoved_ = false;
  bool placing_ = false;
};

}  // namespace vdmos::ui
