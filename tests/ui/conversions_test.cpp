#include <QTest>

#include "commands/window_commands.h"
#include "ui/file_filter.h"
#include "ui/text_bridge.h"
#include "ui_test_registry.h"
#include "version.h"

namespace vdmos::ui::test {

class ConversionsTest : public QObject {
  Q_OBJECT

 private slots:
  void displayTextAndBack_data() {
    QTest::addColumn<QByteArray>("state");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QByteArray>("back");
    QTest::newRow("CR LF lines") << QByteArray("a\r\nb\r\n") << QString("a\nb\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("bare LF gains its CR") << QByteArray("a\nb") << QString("a\nb") << QByteArray("a\r\nb");
    QTest::newRow("lone CR is a line end") << QByteArray("a\rb") << QString("a\nb") << QByteArray("a\r\nb");
    QTest::newRow("UTF-8 kept") << QByteArray("\302\265F") << QString::fromUtf8("\302\265F")
                                << QByteArray("\302\265F");
  }
  void displayTextAndBack() {
    QFETCH(QByteArray, state);
    QFETCH(QString, display);
    QFETCH(QByteArray, back);
    QCOMPARE(ToDisplayText(state.toStdString()), display);
    QCOMPARE(QByteArray::fromStdString(FromDisplayText(display)), back);
  }

  // The caret of the library box is a byte offset in the state and a position on screen.
  void caretPositions_data() {
    QTest::addColumn<QByteArray>("state");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("position");
    QTest::newRow("plain") << QByteArray("abc") << 2 << 2;
    QTest::newRow("after CR LF") << QByteArray("a\r\nb") << 3 << 2;
    QTest::newRow("end") << QByteArray("a\r\nb\r\n") << 6 << 4;
    QTest::newRow("after two-byte char") << QByteArray("\302\265x") << 2 << 1;
    QTest::newRow("after four-byte char") << QByteArray("\360\237\230\200x") << 4 << 2;
  }
  void caretPositions() {
    QFETCH(QByteArray, state);
    QFETCH(int, offset);
    QFETCH(int, position);
    QCOMPARE(DisplayPosition(state.toStdString(), std::size_t(offset)), position);
    QCOMPARE(StateOffset(state.toStdString(), position), std::size_t(offset));
  }

  void caretBeyondTheTextStopsAtItsEnd() {
    QCOMPARE(DisplayPosition("ab", 99), 2);
    QCOMPARE(StateOffset("ab", 99), std::size_t(2));
  }

  void fileFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("library") << "All Files (*.*)|*.*|Lib files (*.lib)|*.lib|Varnex library|*.mos"
                             << QStringList{"All Files (*)", "Lib files (*.lib)", "Varnex library (*.mos)"};
    QTest::newRow("several patterns") << "Text|*.txt;*.TXT" << QStringList{"Text (*.txt *.TXT)"};
    QTest::newRow("odd pair ignored") << "Text|*.txt|Dangling" << QStringList{"Text (*.txt)"};
    QTest::newRow("empty") << "" << QStringList{};
  }
  void fileFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(QtFileFilters(filter.toStdString()), expected);
  }

  void aboutTextLines() {
    const QStringList lines = QString::fromStdString(AboutText()).split("\r\n");
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines[0], QString());
    QCOMPARE(lines[1],
             QString("It generates a board level mosfet model (VDMOS) for Varnex using datasheet values."));
    QCOMPARE(lines[2], QString("The model generator assumes an enhancement mode mosfet."));
    QVERIFY(lines[3].isEmpty() && lines[4].isEmpty() && lines[8].isEmpty() && lines[11].isEmpty());
    QVERIFY(lines[5].contains(QString("vdmosgen ") + kVersion));
    QCOMPARE(lines[6], QString("version 7.0"));
    QCOMPARE(lines[7], QString("Release date 3-March-2009"));
    QVERIFY(!lines[9].isEmpty() && !lines[10].isEmpty() && !lines[12].isEmpty());
  }
};

VDMOS_UI_TEST(ConversionsTest);

}  // namespace vdmos::ui::test

#include "conversions_test.moc"
