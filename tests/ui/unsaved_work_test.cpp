// Unsaved work is never given up without asking: the title names the values file and marks
// unsaved work, and closing, New, Open and Open Library offer to save, discard or cancel.

#include <QAction>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>

#include "model/control_names.h"
#include "ui/window_texts.h"
#include "ui_test_registry.h"
#include "window_driver.h"

namespace vdmos::ui::test {

class UnsavedWorkTest : public QObject {
  Q_OBJECT

 private slots:
  void theTitleNamesTheFileAndMarksUnsavedWork() {
    OpenWindow w;
    QCOMPARE(w.window.windowTitle(), QString(kMainWindowTitle));
    w.type(control::Text6, "44m");
    QCOMPARE(w.window.windowTitle(), QString("*") + kMainWindowTitle);

    QTemporaryDir folder;
    const std::string path = folder.filePath("part.txt").toStdString();
    w.platform.saveFiles.push_back(path);
    w.get<QAction>(control::save)->trigger();
    QCOMPARE(w.window.windowTitle(), QString("part.txt - ") + kMainWindowTitle);
    QCOMPARE(w.window.state().valuesFile, path);

    // Opening it again is no change; typing back what was saved is none either.
    w.type(control::Text6, "45m");
    QVERIFY(w.window.windowTitle().startsWith("*"));
    w.type(control::Text6, "44m");
    QCOMPARE(w.window.windowTitle(), QString("part.txt - ") + kMainWindowTitle);
    QVERIFY(w.platform.saveQuestions.empty());

    // Choosing the other FET type from the list is a change too, marked at once.
    auto* fetType = w.get<QComboBox>(control::Combo1);
    fetType->activated(1);
    QCOMPARE(w.window.windowTitle(), QString("*part.txt - ") + kMainWindowTitle);
  }

  void closingAsksAndCancelKeepsTheWindow() {
    OpenWindow w;
    w.type(control::Text6, "44m");
    w.platform.saveAnswers.push_back(Answer::Cancel);
    QVERIFY(!w.window.close());
    QVERIFY(w.window.isVisible());
    QCOMPARE(w.platform.saveQuestions, std::vector<std::string>{std::string(texts::UnsavedValues.caption)});

    // Save, with the save dialog cancelled: the work is still unsaved, so the window stays.
    w.platform.saveAnswers.push_back(Answer::Yes);
    QVERIFY(!w.window.close());
    QCOMPARE(w.platform.saveRequests.size(), std::size_t(1));

    // Save into a file: the window closes.
    QTemporaryDir folder;
    w.platform.saveAnswers.push_back(Answer::Yes);
    w.platform.saveFiles.push_back(folder.filePath("part.txt").toStdString());
    QVERIFY(w.window.close());
    QVERIFY(QFile::exists(folder.filePath("part.txt")));
  }

  void newOpenAndOpenLibraryAskOnlyForTheWorkTheyGiveUp() {
    OpenWindow w;
    w.type(control::Text6, "44m");
    w.platform.saveAnswers.assign({Answer::Cancel, Answer::Cancel});
    w.get<QAction>(control::New)->trigger();
    w.get<QAction>(control::open)->trigger();
    QCOMPARE(w.shown(control::Text6), QString("44m"));
    QVERIFY(w.platform.openRequests.empty());
    QCOMPARE(w.platform.saveQuestions.size(), std::size_t(2));

    // The library is not the values: Open Library asks only about an edited library.
    w.click(control::OpenLib);
    QCOMPARE(w.platform.saveQuestions.size(), std::size_t(2));
    QCOMPARE(w.platform.openRequests.size(), std::size_t(1));
    w.click(control::Add);
    w.platform.saveAnswers.push_back(Answer::Cancel);
    w.click(control::OpenLib);
    QCOMPARE(w.platform.saveQuestions.back(), std::string(texts::UnsavedLibrary.caption));
    QCOMPARE(w.platform.openRequests.size(), std::size_t(1));

    // Discard: New empties the fields, which are then nothing to lose; the library still is.
    w.platform.saveAnswers.push_back(Answer::No);
    w.get<QAction>(control::New)->trigger();
    QCOMPARE(w.shown(control::Text6), QString());
    QVERIFY(!w.window.session().ValuesModified());
    QVERIFY(w.window.windowTitle().startsWith("*"));
  }
};

VDMOS_UI_TEST(UnsavedWorkTest);

}  // namespace vdmos::ui::test

#include "unsaved_work_test.moc"
