#pragma once
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "platform/platform.h"

namespace vdmos::ui {

/// The platform of the running window: Qt's message boxes, file dialogs, folder picker and
/// clipboard; files through the local disk as every platform does.
class QtPlatform : public Platform {
 public:
  /// Dialogs open over this window (may be set later; until then they have no parent).
  void setDialogParent(QWidget* parent) { parent_ = parent; }

  void ShowMessage(std::string_view text, std::string_view title = {}) override;
  Answer AskYesNoCancel(std::string_view text, std::string_view title) override;
  Answer AskSaveDiscardCancel(std::string_view text, std::string_view title) override;
  Answer AskYesNo(std::string_view text, std::string_view title) override;
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFolder(std::string_view title) override;
  void SetClipboardText(std::string_view text) override;

 private:
  /// A box with the two answer buttons and Cancel, the first the default.
  Answer Ask(std::string_view text, std::string_view title, QMessageBox::StandardButton yes,
             QMessageBox::StandardButton no);
  QPointer<QWidget> parent_;
};

}  // namespace vdmos::ui
