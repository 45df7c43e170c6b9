#include "ui/qt_platform.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

#include "ui/file_filter.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"

namespace vdmos::ui {
namespace {

QString Title(std::string_view title) {
  return title.empty() ? QString(kApplicationTitle) : ToQString(title);
}

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(path).toStdString();
}

// The dialog is set up as asked: filters, the preselected one (counted from 1), and the
// suggested name, which may be a bare name or a whole path.
struct DialogSetup {
  QString filters;
  QString selected;
  QString initialName;
};

DialogSetup Setup(const FileDialogRequest& request) {
  const QStringList filters = QtFileFilters(request.filter);
  DialogSetup setup{filters.join(QStringLiteral(";;")), {}, ToQString(request.initialName)};
  if (request.selectedFilter >= 1 && request.selectedFilter <= filters.size())
    setup.selected = filters[request.selectedFilter - 1];
  return setup;
}

}  // namespace

void QtPlatform::ShowMessage(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, Title(title), ToDisplayText(text), QMessageBox::Ok, parent_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

Answer QtPlatform::AskYesNoCancel(std::string_view text, std::string_view title) {
  return Ask(text, title, QMessageBox::Yes, QMessageBox::No);
}

Answer QtPlatform::AskSaveDiscardCancel(std::string_view text, std::string_view title) {
  return Ask(text, title, QMessageBox::Save, QMessageBox::Discard);
}

// No is the default: Enter must not replace files or add a second model by a slip.
Answer QtPlatform::AskYesNo(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, Title(title), ToDisplayText(text), QMessageBox::Yes | QMessageBox::No,
                  parent_);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Answer QtPlatform::Ask(std::string_view text, std::string_view title, QMessageBox::StandardButton yes,
                       QMessageBox::StandardButton no) {
  QMessageBox box(QMessageBox::NoIcon, Title(title), ToDisplayText(text), yes | no | QMessageBox::Cancel,
                  parent_);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(yes);
  box.setEscapeButton(QMessageBox::Cancel);
  const int answer = box.exec();
  if (answer == yes) return Answer::Yes;
  if (answer == no) return Answer::No;
  return Answer::Cancel;
}

std::optional<std::string> QtPlatform::ChooseSaveFile(const FileDialogRequest& request) {
  DialogSetup setup = Setup(request);
  // The command asks before it replaces a file; the dialog must not ask as well.
  return remember(request.filter, QFileDialog::getSaveFileName(
                                      parent_, {}, startPath(request.filter, setup.initialName),
                                      setup.filters, &setup.selected, QFileDialog::DontConfirmOverwrite));
}

std::optional<std::string> QtPlatform::ChooseOpenFile(const FileDialogRequest& request) {
  DialogSetup setup = Setup(request);
  return remember(request.filter,
                  QFileDialog::getOpenFileName(parent_, {}, startPath(request.filter, setup.initialName),
                                               setup.filters, &setup.selected));
}

std::optional<std::string> QtPlatform::ChooseFolder(std::string_view title) {
  const QString folder = QFileDialog::getExistingDirectory(parent_, ToQString(title), startPath(title, {}),
                                                           QFileDialog::ShowDirsOnly);
  if (folders_ && !folder.isEmpty()) folders_->chose(title, folder);
  return Chosen(folder);
}

QString QtPlatform::startPath(std::string_view dialog, const QString& initialName) const {
  if (!folders_ || initialName.contains('/') || initialName.contains(QDir::separator())) return initialName;
  const QString folder = folders_->startFolder(dialog);
  if (folder.isEmpty()) return initialName;
  return initialName.isEmpty() ? folder : QDir(folder).filePath(initialName);
}

std::optional<std::string> QtPlatform::remember(std::string_view dialog, const QString& path) {
  if (folders_ && !path.isEmpty()) folders_->chose(dialog, QFileInfo(path).absolutePath());
  return Chosen(path);
}

void QtPlatform::SetClipboardText(std::string_view text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(ToQString(text));
}

std::string QtPlatform::ClipboardText() { return QGuiApplication::clipboard()->text().toStdString(); }

}  // namespace vdmos::ui
