#pragma once
#include <QObject>
#include <QStringList>

#include "ui/qt_platform.h"

class QMenu;
class QSettings;

namespace vdmos::ui {

class MainWindow;

/// What the window keeps between runs, in the settings it is given: its size and place (within
/// the screen it opens on), the splitters' positions, the page shown, the values files opened
/// or saved last (File > Open Recent, the latest first) and, for each kind of file dialog, the
/// folder the user last chose in it.
class WindowMemory : public QObject, public DialogFolders {
  Q_OBJECT
 public:
  static constexpr int kMostRecentFiles = 8;

  /// Restores what `settings` holds into the window now; the window and `settings` outlive
  /// this, which saves into them as it goes.
  WindowMemory(MainWindow& window, QSettings& settings);
  /// Keeps the window's size, place, splitters and page.
  ~WindowMemory() override;
  void save();

  QStringList recentFiles() const;
  QMenu* recentMenu() const { return recent_; }
  /// Opens a recent file; one that is gone is said so and leaves the list.
  void openRecent(const QString& path);

  QString startFolder(std::string_view dialog) const override;
  void chose(std::string_view dialog, const QString& folder) override;

 private:
  void restore();
  void addRecent(const QString& path);
  void setRecent(const QStringList& files);
  void showRecent();

  MainWindow& window_;
  QSettings& settings_;
  QMenu* recent_;
};

}  // namespace vdmos::ui
