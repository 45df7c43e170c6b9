// The window's marks on fields whose text is not read as typed: the frame and tool tip while
// typing, the names in the status bar after a command.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "model/control_names.h"
#include "model/fields.h"
#include "ui/controls.h"
#include "ui_test_registry.h"
#include "window_driver.h"

namespace vdmos::ui::test {

class FieldMarksTest : public QObject {
  Q_OBJECT

 private slots:
  void aFieldIsMarkedWhileItsTextIsNotReadAsTyped() {
    OpenWindow w;
    auto* rdsOn = w.get<QLineEdit>(control::Text6);
    QVERIFY(rdsOn->styleSheet().isEmpty());
    w.type(control::Text6, "abc");
    QVERIFY(!rdsOn->styleSheet().isEmpty());
    const QString ownTip = FieldToolTip(*FindField(control::Text6));
    QCOMPARE(rdsOn->toolTip(), ownTip + "\nno number: read as 0 Ohm");
    w.type(control::Text6, "160 mOhm");
    QVERIFY(rdsOn->styleSheet().isEmpty());
    QCOMPARE(rdsOn->toolTip(), ownTip);

    // A field's own tip stays, with what was read after it, and comes back alone.
    w.type(control::Vplat, "x");
    QCOMPARE(w.get<QLineEdit>(control::Vplat)->toolTip(),
             QString("Gate Plateau Voltage\nno number: read as 0 V"));
    w.type(control::Vplat, "5.5");
    QCOMPARE(w.get<QLineEdit>(control::Vplat)->toolTip(), QString("Gate Plateau Voltage"));

    // The FET type box is marked too: typed "pmos" makes an N-channel card.
    QLineEdit* fetType = w.get<QComboBox>(control::Combo1)->lineEdit();
    fetType->selectAll();
    QTest::keyClicks(fetType, "pmos");
    QVERIFY(!fetType->styleSheet().isEmpty());
    QVERIFY(fetType->toolTip().endsWith("read as NMOS (an N-channel card)"));
  }

  void theStatusBarNamesTheFieldsAfterAModelUpdate() {
    OpenWindow w;
    w.type(control::Text6, "abc");
    w.type(control::Qgs, "11n");
    w.click(control::Command2);
    const QString status = w.window.findChild<QLabel*>("StatusBar1Text")->text();
    QVERIFY2(status.endsWith(" - Not read as typed: Rds(on), Qgs"), qPrintable(status));
    w.type(control::Text6, "160m");
    w.type(control::Qgs, "11nC");
    w.click(control::Command2);
    QVERIFY(!w.window.findChild<QLabel*>("StatusBar1Text")->text().contains("Not read as typed"));
  }

  void unitsBesideTheFieldsComeFromTheFieldTable() {
    OpenWindow w;
    QCOMPARE(w.get<QLabel>("Unit_Qgs")->text(), QString("nC"));
    QCOMPARE(w.get<QLabel>("Unit_Text6")->text(), QString("Ohm"));
    QCOMPARE(w.get<QLabel>("Unit_TextVdsMax")->text(), QString("V"));
  }
};

VDMOS_UI_TEST(FieldMarksTest);

}  // namespace vdmos::ui::test

#include "field_marks_test.moc"
