#include "ui/qt_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui_test_registry.h"

namespace vdmos::ui::test {
namespace {

// Answers the next modal dialog once it is shown: the check runs while the dialog is open,
// then the dialog is closed by what `answer` does.
void WhenModalShown(std::function<void(QWidget*)> answer) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    if (QWidget* dialog = QApplication::activeModalWidget(); dialog && dialog->isVisible()) {
      poll->stop();
      poll->deleteLater();
      answer(dialog);
    }
  });
  poll->start();
}

}  // namespace

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void messageWithoutTitleShowsTheApplicationTitle() {
    QtPlatform platform;
    QString title, text;
    Qt::TextFormat format = Qt::AutoText;
    WhenModalShown([&](QWidget* dialog) {
      auto* box = qobject_cast<QMessageBox*>(dialog);
      title = box->windowTitle();
      text = box->text();
      format = box->textFormat();
      box->button(QMessageBox::Ok)->click();
    });
    platform.ShowMessage("first <b>line</b>\r\nsecond");
    QCOMPARE(title, QString("vdmosgen"));
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(text, QString("first <b>line</b>\nsecond"));
  }

  void yesNoCancelDefaultsToYesAndEscapeCancels() {
    QtPlatform platform;
    QMessageBox::StandardButton preselected = QMessageBox::NoButton;
    QMessageBox::Icon icon = QMessageBox::Warning;
    WhenModalShown([&](QWidget* dialog) {
      auto* box = qobject_cast<QMessageBox*>(dialog);
      preselected = box->standardButton(box->defaultButton());
      icon = box->icon();
      QTest::keyClick(box, Qt::Key_Escape);
    });
    QCOMPARE(platform.AskYesNoCancel("Replace?", "Save as"), Answer::Cancel);
    QCOMPARE(preselected, QMessageBox::Yes);
    QCOMPARE(icon, QMessageBox::NoIcon);

    WhenModalShown(
        [](QWidget* dialog) { qobject_cast<QMessageBox*>(dialog)->button(QMessageBox::No)->click(); });
    QCOMPARE(platform.AskYesNoCancel("Replace?", "Save as"), Answer::No);
  }

  void saveDialogIsSetUpAsAsked() {
    QtPlatform platform;
    QStringList filters;
    QString selected, name;
    bool confirms = true;
    WhenModalShown([&](QWidget* widget) {
      auto* dialog = qobject_cast<QFileDialog*>(widget);
      filters = dialog->nameFilters();
      selected = dialog->selectedNameFilter();
      name = QFileInfo(dialog->selectedFiles().value(0)).fileName();
      confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
      dialog->reject();
    });
    const FileDialogRequest request{"All Files (*.*)|*.*|Lib files (*.lib)|*.lib", 2, "20N60C3.lib"};
    QCOMPARE(platform.ChooseSaveFile(request), std::nullopt);
    QCOMPARE(filters, QStringList({"All Files (*)", "Lib files (*.lib)"}));
    QCOMPARE(selected, QString("Lib files (*.lib)"));
    QCOMPARE(name, QString("20N60C3.lib"));
    QVERIFY(!confirms);
  }

  void folderPickerCarriesTheTitle() {
    QtPlatform platform;
    QString title;
    WhenModalShown([&](QWidget* dialog) {
      title = dialog->windowTitle();
      qobject_cast<QDialog*>(dialog)->reject();
    });
    QCOMPARE(platform.ChooseFolder("Select the folder to save to"), std::nullopt);
    QCOMPARE(title, QString("Select the folder to save to"));
  }

  void clipboardGetsThePlainText() {
    QtPlatform platform;
    platform.SetClipboardText("a\r\nb");
    QCOMPARE(QApplication::clipboard()->text(), QString("a\r\nb"));
  }
};

VDMOS_UI_TEST(QtPlatformTest);

}  // namespace vdmos::ui::test

#include "qt_platform_test.moc"
