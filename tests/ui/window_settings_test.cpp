// What the window keeps between runs, in settings of a file of the test's own (never the
// user's): size, place, splitter, page, recent values files and the dialogs' folders.

#include "ui/window_settings.h"

#include <QAction>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "model/control_names.h"
#include "ui/window_texts.h"
#include "ui_test_registry.h"
#include "window_driver.h"

namespace vdmos::ui::test {

class WindowSettingsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  QString settingsFile() const { return folder_.filePath("settings.ini"); }

 private slots:
  void aWindowStartedAgainIsAsItWasLeft() {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.clear();
    QSize size;
    QList<int> splitterSizes;
    {
      OpenWindow w;
      WindowMemory memory(w.window, settings);
      w.window.pages()->setCurrentIndex(w.window.pages()->count() - 1);
      QCoreApplication::processEvents();
      size = w.window.size() - QSize(40, 30);
      w.window.resize(size);
      QSplitter* splitter = w.window.findChild<QSplitter*>();
      QVERIFY(splitter);
      const QList<int> sizes = splitter->sizes();
      splitterSizes = {sizes[0] - 20, sizes[1] + 20};
      splitter->setSizes(splitterSizes);
      splitterSizes = splitter->sizes();
    }  // quitting saves
    OpenWindow w;
    WindowMemory memory(w.window, settings);
    QCoreApplication::processEvents();
    QCOMPARE(w.window.size(), size);
    QCOMPARE(w.window.pages()->currentIndex(), w.window.pages()->count() - 1);
    QCOMPARE(w.window.findChild<QSplitter*>()->sizes(), splitterSizes);
  }

  // A window kept on a larger screen, or on one that has gone, opens inside this one.
  void aStoredPlaceOffTheScreenIsBroughtBack() {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.clear();
    settings.setValue("window/geometry", QRect(5000, 4000, 9000, 9000));
    OpenWindow w;
    WindowMemory memory(w.window, settings);
    const QRect available = w.window.screen()->availableGeometry();
    QVERIFY(available.contains(QRect(w.window.pos(), w.window.size())));
  }

  void recentFilesComeLatestFirstAndAMissingOneLeavesWithAMessage() {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.clear();
    OpenWindow w;
    WindowMemory memory(w.window, settings);
    QVERIFY(!memory.recentMenu()->isEnabled());
    QTemporaryDir files;
    QStringList saved;
    for (int i = 0; i < WindowMemory::kMostRecentFiles + 2; ++i) {
      saved.prepend(files.filePath(QString("part%1.txt").arg(i)));
      w.platform.saveFiles.push_back(saved.front().toStdString());
      w.get<QAction>(control::save)->trigger();
    }
    QCOMPARE(memory.recentFiles(), saved.mid(0, WindowMemory::kMostRecentFiles));
    QCOMPARE(memory.recentMenu()->actions().size(), WindowMemory::kMostRecentFiles);

    // Opening a recent file opens it, and it comes first again.
    const QString older = saved[3];
    w.type(control::Text6, "1");
    memory.recentMenu()->actions()[3]->trigger();
    QCOMPARE(w.window.state().valuesFile, older.toStdString());
    QCOMPARE(memory.recentFiles().front(), older);

    QFile::remove(saved[1]);
    memory.recentMenu()->actions()[2]->trigger();  // saved[1], now third
    QCOMPARE(w.window.state().valuesFile, older.toStdString());
    QVERIFY(!memory.recentFiles().contains(saved[1]));
    QCOMPARE(w.platform.messages.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(w.platform.messages[0].text).contains(saved[1]));
  }

  void eachKindOfDialogStartsInItsLastFolder() {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.clear();
    OpenWindow w;
    WindowMemory memory(w.window, settings);
    memory.chose("All Files (*.*)|*.*|Text files (*.txt)|*.txt", "/values");
    memory.chose("All Files (*.*)|*.*|Varnex library|*.mos|Lib files (*.lib)|*.lib", "/libraries");
    QCOMPARE(memory.startFolder("All Files (*.*)|*.*|Text files (*.txt)|*.txt"), QString("/values"));
    // The library's open and save dialogs list their filters apart, but share the folder.
    QCOMPARE(memory.startFolder("All Files (*.*)|*.*|Lib files (*.lib)|*.lib|Varnex library|*.mos"),
             QString("/libraries"));
    QCOMPARE(memory.startFolder("Select the folder to save to"), QString());
  }
};

VDMOS_UI_TEST(WindowSettingsTest);

}  // namespace vdmos::ui::test

#include "window_settings_test.moc"
