#pragma once
// What the model check's window tests share: reading the table, and stand-ins for ngspice.

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QXYSeries>
#include <optional>
#include <string>
#include <string_view>

#include "model/control_names.h"
#include "ui/check_plot.h"
#include "ui/model_check_page.h"
#include "window_driver.h"

namespace vdmos::ui::test {

// ms; longer than the check's own limit of 10 s, so that a run that hangs is reported by the
// window rather than cut short by the test.
constexpr int kSimulationWait = 15000;

/// Waits for the check that runs to end; false when it outlasts kSimulationWait. Its result
/// is taken only in the event loop, so a spy made after the click still sees it.
inline bool SimulationEnds(OpenWindow& w) {
  QSignalSpy finished(w.window.modelCheckPage(), &ModelCheckPage::simulationFinished);
  return finished.wait(kSimulationWait);
}

inline bool SimulateAndWait(OpenWindow& w) {
  w.click(control::SimulateNgspice);
  return SimulationEnds(w);
}

/// What the check simulated: the first line of the page's summary, above the refinement's.
inline QString TableCaption(OpenWindow& w) {
  return w.get<QLabel>("CheckTableCaption")->text().section('\n', 0, 0);
}

/// A plot of the model check, made now if its page has not been shown yet.
inline CheckPlot* PlotNamed(OpenWindow& w, std::string_view name) {
  w.window.modelCheckPage()->plots();
  return w.get<CheckPlot>(name);
}

/// A plot's series in a role: "model", "ngspice" or "datasheet".
inline QList<QXYSeries*> Series(OpenWindow& w, const char* plot, const char* role) {
  QList<QXYSeries*> found;
  for (QAbstractSeries* series : PlotNamed(w, plot)->chart()->series())
    if (series->objectName() == role) found << qobject_cast<QXYSeries*>(series);
  return found;
}

/// The column of the check table under that head, or -1.
inline int CheckColumn(OpenWindow& w, const QString& head) {
  auto* table = w.get<QTableWidget>("CheckTable");
  for (int column = 0; column < table->columnCount(); ++column)
    if (table->horizontalHeaderItem(column)->text() == head) return column;
  return -1;
}

/// The value the table shows in a column, for the row whose first cells read so.
inline std::optional<double> TableValue(OpenWindow& w, const QString& quantity, const QString& conditionStart,
                                        int column) {
  auto* table = w.get<QTableWidget>("CheckTable");
  for (int row = 0; row < table->rowCount(); ++row) {
    if (table->item(row, 0)->text() == quantity && table->item(row, 1)->text().startsWith(conditionStart)) {
      const QVariant value = table->item(row, column)->data(Qt::UserRole);
      return value.isValid() ? std::optional(value.toDouble()) : std::nullopt;
    }
  }
  return std::nullopt;
}

/// Shell scripts standing in for the ngspice program.
class FakeNgspice {
 public:
  /// An executable script with that body.
  std::string script(const char* name, const QByteArray& body) {
    QFile file(folder_.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\n" + body) < 0)
      qFatal("cannot write %s", name);
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return file.fileName().toStdString();
  }
  /// Real ngspice behind a gate: it starts only once the test opens the gate, so its result
  /// cannot arrive before the steps the test takes meanwhile, however slow the machine.
  std::string gated() {
    const QString gate = folder_.filePath("gate");
    QFile::remove(gate);
    return script("gated-ngspice",
                  "while [ ! -e '" + gate.toUtf8() + "' ]; do sleep 0.02; done\nexec ngspice \"$@\"\n");
  }
  void openGate() {
    QFile gate(folder_.filePath("gate"));
    if (!gate.open(QIODevice::WriteOnly)) qFatal("cannot open the gate");
  }

 private:
  QTemporaryDir folder_;
};

}  // namespace vdmos::ui::test
