#pragma once
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "platform/platform.h"

namespace vdmos::ui {

/// Where each kind of file dialog opens, and the folder the user last chose in it. A dialog is
/// known by its filter list (file dialogs) or its title (folder pickers).
class DialogFolders {
 public:
  virtual ~DialogFolders() = default;
  /// The folder to open in; empty for the dialog's own choice.
  virtual QString startFolder(std::string_view dialog) const = 0;
  virtual void chose(std::string_view dialog, const QString& folder) = 0;
};

/// The platform of the running window: Qt's message boxes, file dialogs, folder picker and
/// clipboard; files through the local disk as every platform does.
class QtPlatform : public Platform {
 public:
  /// Dialogs open over this window (may be set later; until then they have no parent).
  void setDialogParent(QWidget* parent) { parent_ = parent; }
  /// The dialogs open where the user last chose a file of their kind (may be null: Qt's choice).
  void setDialogFolders(DialogFolders* folders) { folders_ = folders; }

  void ShowMessage(std::string_view text, std::string_view title = {}) override;
  Answer AskYesNoCancel(std::string_view text, std::string_view title) override;
  Answer AskSaveDiscardCancel(std::string_view text, std::string_view title) override;
  Answer AskYesNo(std::string_view text, std::string_view title) override;
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFolder(std::string_view title) override;
  void SetClipboardText(std::string_view text) override;
  std::string ClipboardText() override;

 private:
  /// A box with the two answer buttons and Cancel, the first the default.
  Answer Ask(std::string_view text, std::string_view title, QMessageBox::StandardButton yes,
             QMessageBox::StandardButton no);
  /// A suggested bare name goes into the dialog's remembered folder.
  QString startPath(std::string_view dialog, const QString& initialName) const;
  /// Keeps the chosen file's folder for the next dialog of its kind.
  std::optional<std::string> remember(std::string_view dialog, const QString& path);
  QPointer<QWidget> parent_;
  DialogFolders* folders_ = nullptr;
};

}  // namespace vdmos::ui
