#pragma once
#include <QByteArray>
#include <QObject>
#include <string>
#include <vector>

class QWidget;

namespace vdmos::ui {

class MainWindow;

/// A plot as a PNG image at its size on the screen.
QByteArray PlotPng(QWidget& plot);
/// A plot as an SVG drawing at its size on the screen, titled for a reader of the file.
QByteArray PlotSvg(QWidget& plot, const QString& title);

/// The model check's results on their way out of the window: the check table's context menu
/// (copy, save as CSV: the File menu's entries, whose commands are the window session's), each
/// plot's context menu (save it as PNG or SVG, or all plots) and File > "Save Plots as PNG and
/// SVG". Every export asks before it replaces a file and says in the status bar what it wrote.
class ResultExports : public QObject {
  Q_OBJECT
 public:
  explicit ResultExports(MainWindow& window);

  /// Every plot as "<model name>_<plot>.png" and ".svg" in a folder the user picks.
  void saveAllPlots();
  /// One plot through the save dialog, as PNG or (svg) SVG.
  void savePlot(std::size_t index, bool svg);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void addPlotMenus();
  /// Writes each file whole or not at all; the paths written.
  std::vector<std::string> write(const std::vector<std::pair<std::string, QByteArray>>& files);
  void tell(const std::vector<std::string>& written);

  MainWindow& window_;
  bool plotMenus_ = false;
};

}  // namespace vdmos::ui
