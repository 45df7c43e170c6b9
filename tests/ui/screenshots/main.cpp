// Writes pictures of the window for the documentation: each page with the window filling the
// screen (the offscreen platform's, whose size and scale the caller chooses), with the results
// of one "Update model" of the start values shown, the model check page once more after a
// simulation in ngspice (with each of its plots) and once after refining the card and simulating it beside
// the fitted one, the gate-charge help picture, the gate resistance window with its worked example,
// and the datasheet curves window with a Ciss curve pasted.
// Usage: ui_screenshots OUTPUT_FOLDER (offscreen platform).

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <cstdio>
#include <string>
#include <utility>

#include "commands/control_table.h"
#include "commands/gate_resistance.h"
#include "commands/library_commands.h"
#include "commands/model_update.h"
#include "commands/window_commands.h"
#include "model/control_names.h"
#include "platform/scripted_platform.h"
#include "ui/curves_window.h"
#include "ui/main_window.h"
#include "ui/model_check_page.h"
#include "ui/rgate_window.h"
#include "verify/check_plots.h"

namespace {

bool Save(QWidget& widget, const QDir& folder, const char* name) {
  QCoreApplication::processEvents();
  const QString path = folder.filePath(QString(name) + ".png");
  if (widget.grab().save(path)) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: ui_screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(".")) return 1;

  vdmos::ScriptedPlatform platform;
  vdmos::ui::MainWindow window(platform);
  window.resize(window.screen()->availableGeometry().size());
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  window.runCommand(vdmos::Command2_Click);
  window.runCommand(vdmos::transf_help_Click);
  window.runCommand(vdmos::Add_Click);

  const char* pages[] = {"page-dc", "page-ac", "page-model", "page-lib", "page-check"};
  bool ok = true;
  for (int i = 0; i < 5; ++i) {
    window.pages()->setCurrentIndex(i);
    ok = Save(window, folder, pages[i]) && ok;
  }

  // The check in ngspice, waited for as long as the check itself may take.
  vdmos::ui::ModelCheckPage* check = window.modelCheckPage();
  QSignalSpy finished(check, &vdmos::ui::ModelCheckPage::simulationFinished);
  window.session().Simulate();
  window.mirrorState();
  if (!finished.wait(15000) || !platform.messages.empty()) {
    std::fprintf(stderr, "the simulation in ngspice did not succeed\n");
    return 1;
  }
  ok = Save(window, folder, "page-check-simulated") && ok;
  // Each of the other plots beside the same results.
  auto* plotChoice = window.controls().get<QComboBox>("PlotChoice");
  for (int i = 1; i < plotChoice->count(); ++i) {
    if (!(plotChoice->model()->flags(plotChoice->model()->index(i, 0)) & Qt::ItemIsEnabled)) continue;
    plotChoice->setCurrentIndex(i);
    const std::string name = "page-check-" + std::string(vdmos::CheckPlotKinds()[std::size_t(i)].name);
    ok = Save(window, folder, name.c_str()) && ok;
  }
  plotChoice->setCurrentIndex(0);

  // The refined card, simulated beside the fitted one.
  window.controls().get<QPushButton>(vdmos::control::RefineModel)->click();
  window.session().Simulate();
  window.mirrorState();
  if (!finished.wait(15000) || !platform.messages.empty()) {
    std::fprintf(stderr, "the simulation of the refined card did not succeed\n");
    return 1;
  }
  ok = Save(window, folder, "page-check-refined") && ok;

  // The other help picture of the transfer frame, on its own.
  window.pages()->setCurrentIndex(0);
  window.runCommand(vdmos::VgsPlat_Help_Click);
  ok = Save(*window.controls().get<QWidget>(vdmos::control::Image2), folder, "help-gate-charge") && ok;

  window.runCommand(vdmos::Button_Rgate_Click);
  vdmos::ui::RgateWindow* rgate = window.rgateWindow();
  for (auto [name, text] :
       {std::pair{"Text_Rout", "2"}, {"Text_Td_On", "15"}, {"Text_Qgs", "10"}, {"Text_Qgd", "20"}}) {
    auto* field = rgate->controls().get<QLineEdit>(name);
    field->selectAll();
    QTest::keyClicks(field, text);
  }
  window.runCommand(vdmos::OkButton_Click);
  if (!QTest::qWaitForWindowExposed(rgate)) return 1;
  ok = Save(*rgate, folder, "rgate") && ok;

  platform.clipboard = "Vds (V)\tCiss (pF)\n0.1\t5400\n1\t5100\n10\t4300\n25\t2400\n100\t2150\n600\t2050\n";
  window.session().PasteCurve("ciss");
  window.showCurvesWindow();
  vdmos::ui::CurvesWindow* curves = window.curvesWindow();
  curves->controls().get<QComboBox>("CurveChoice")->setCurrentIndex(static_cast<int>(vdmos::CurveKind::Ciss));
  if (!QTest::qWaitForWindowExposed(curves)) return 1;
  ok = Save(*curves, folder, "curves") && ok;
  curves->close();
  window.session().ClearCurve("ciss");

  // The hot device: the start values' datasheet at 150 C, the card made again for it and
  // checked, the transfer plot at both temperatures and Rds(on) against the junction's.
  for (const auto& [field, text] : {std::pair{vdmos::control::TjHot, "150"},
                                    {vdmos::control::RdsHotRatio, "2.5"},
                                    {vdmos::control::VthHot, "2.2"},
                                    {vdmos::control::VsdHot, "0.65"},
                                    {vdmos::control::IsdHot, "3"},
                                    {vdmos::control::ZtcVgs, "6.5"},
                                    {vdmos::control::BvHot, "680"}})
    window.session().Type(*vdmos::FindControlAction(field), text);
  window.session().RunCommandOf(vdmos::control::Command2);
  window.pages()->setCurrentIndex(4);
  window.session().Simulate();
  window.mirrorState();
  if (!finished.wait(15000) || !platform.messages.empty()) {
    std::fprintf(stderr, "the simulation of the hot card did not succeed\n");
    return 1;
  }
  for (std::size_t i = 0; i < vdmos::CheckPlotKinds().size(); ++i) {
    const std::string name(vdmos::CheckPlotKinds()[i].name);
    if (name != "ChartTransfer" && name != "ChartRdsOnTemperature") continue;
    plotChoice->setCurrentIndex(static_cast<int>(i));
    ok = Save(window, folder, ("page-check-hot-" + name).c_str()) && ok;
  }
  return ok ? 0 : 1;
}
