#include "ui/result_exports.h"

#include <QAction>
#include <QBuffer>
#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QWidget>

#include "files/written_files.h"
#include "model/control_names.h"
#include "testcircuits/circuit_file_path.h"
#include "ui/check_plot.h"
#include "ui/main_window.h"
#include "ui/model_check_page.h"
#include "ui/text_bridge.h"
#include "ui/window_texts.h"
#include "verify/check_plots.h"

namespace vdmos::ui {
namespace {

constexpr std::string_view kPngExtension = ".png";
constexpr std::string_view kSvgExtension = ".svg";
// The saver's dialog preselects the pair given: PNG second, SVG third.
constexpr std::string_view kPlotFilter =
    "All Files (*.*)|*.*|PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg";
constexpr std::string_view kChoosePlotFolderTitle = "Select the folder to save the plots to";
constexpr std::string_view kPlotsNotWrittenText = "These plot files could not be written:";

// "ChartGateCharge" names the file "..._GateCharge.png".
std::string PlotFileSuffix(const CheckPlotKind& kind, std::string_view extension) {
  std::string_view name = kind.name;
  if (name.starts_with("Chart")) name.remove_prefix(5);
  return std::string("_").append(name).append(extension);
}

QByteArray Drawn(QWidget& plot, std::string_view extension, const QString& title) {
  return extension == kSvgExtension ? PlotSvg(plot, title) : PlotPng(plot);
}

}  // namespace

QByteArray PlotPng(QWidget& plot) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  plot.grab().save(&buffer, "PNG");
  return bytes;
}

QByteArray PlotSvg(QWidget& plot, const QString& title) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(plot.size());
  svg.setViewBox(QRect(QPoint(0, 0), plot.size()));
  svg.setTitle(title);
  QPainter painter(&svg);
  plot.render(&painter);
  painter.end();
  return bytes;
}

ResultExports::ResultExports(MainWindow& window) : QObject(&window), window_(window) {
  // The table's context menu holds the File menu's own entries.
  QWidget* table = window.controls().get<QWidget>("CheckTable");
  table->setContextMenuPolicy(Qt::ActionsContextMenu);
  for (control::Name name : {control::CopyCheckTable, control::SaveCheckTable})
    table->addAction(window.controls().get<QAction>(name));
  connect(window.controls().get<QAction>(texts::savePlots.name), &QAction::triggered, this,
          &ResultExports::saveAllPlots);
  // The plots are made when their page is first shown; their menus come with them.
  window.modelCheckPage()->installEventFilter(this);
}

bool ResultExports::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && !plotMenus_) addPlotMenus();
  return QObject::eventFilter(watched, event);
}

void ResultExports::addPlotMenus() {
  plotMenus_ = true;
  const std::vector<CheckPlot*>& plots = window_.modelCheckPage()->plots();
  QAction* all = window_.controls().get<QAction>(texts::savePlots.name);
  for (std::size_t i = 0; i < plots.size(); ++i) {
    plots[i]->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (auto [text, svg] : {std::pair{&texts::savePlotPng, false}, std::pair{&texts::savePlotSvg, true}}) {
      auto* action = new QAction(Caption(*text), plots[i]);
      action->setObjectName(ToQString(text->name));
      connect(action, &QAction::triggered, this, [this, i, svg = svg] { savePlot(i, svg); });
      plots[i]->addAction(action);
    }
    plots[i]->addAction(all);
  }
}

void ResultExports::saveAllPlots() {
  Platform& platform = window_.session().platform();
  const std::optional<std::string> folder = platform.ChooseFolder(kChoosePlotFolderTitle);
  if (!folder) return;
  const std::string& modelName = window_.state().text(control::Text20);
  if (auto problem = ModelNameProblem(modelName)) {
    platform.ShowMessage(*problem);
    return;
  }
  const std::vector<CheckPlot*>& plots = window_.modelCheckPage()->plots();
  std::vector<std::pair<std::string, QByteArray>> files;
  for (std::size_t i = 0; i < plots.size(); ++i) {
    if (!window_.modelCheckPage()->plotShown(i)) continue;
    for (std::string_view extension : {kPngExtension, kSvgExtension})
      files.emplace_back(*CircuitFilePath(*folder, modelName, PlotFileSuffix(CheckPlotKinds()[i], extension)),
                         Drawn(*plots[i], extension, plots[i]->chart()->title()));
  }
  std::vector<std::string> paths;
  for (const auto& file : files) paths.push_back(file.first);
  if (!MayReplaceFiles(platform, paths)) return;
  tell(write(files));
}

void ResultExports::savePlot(std::size_t index, bool svg) {
  Platform& platform = window_.session().platform();
  const std::string_view extension = svg ? kSvgExtension : kPngExtension;
  const std::string name =
      window_.state().text(control::Text20) + PlotFileSuffix(CheckPlotKinds()[index], extension);
  std::optional<std::string> path = platform.ChooseSaveFile({std::string(kPlotFilter), svg ? 3 : 2, name});
  if (!path) return;
  // A name typed without its extension gets the one of the form chosen.
  if (!QString::fromStdString(*path).endsWith(ToQString(extension), Qt::CaseInsensitive)) *path += extension;
  if (!MayReplaceFiles(platform, {*path})) return;
  CheckPlot& plot = *window_.modelCheckPage()->plots()[index];
  tell(write({{*path, Drawn(plot, extension, plot.chart()->title())}}));
}

std::vector<std::string> ResultExports::write(const std::vector<std::pair<std::string, QByteArray>>& files) {
  Platform& platform = window_.session().platform();
  std::vector<std::string> written;
  std::string failed;
  for (const auto& [path, bytes] : files) {
    if (!bytes.isEmpty() && platform.ReplaceFile(path, std::string_view(bytes.constData(), bytes.size())))
      written.push_back(path);
    else
      failed += "\r\n" + path;
  }
  if (!failed.empty()) platform.ShowMessage(std::string(kPlotsNotWrittenText) + failed);
  return written;
}

void ResultExports::tell(const std::vector<std::string>& written) {
  if (written.empty()) return;
  window_.state().setText(control::StatusBar1, WrittenFilesMessage(written));
  window_.mirrorState();
}

}  // namespace vdmos::ui
