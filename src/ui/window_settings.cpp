#include "ui/window_settings.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <algorithm>
#include <string_view>

#include "files/file_messages.h"
#include "testcircuits/test_circuit_texts.h"
#include "ui/main_window.h"
#include "ui/window_texts.h"
#include "verify/verify_texts.h"

namespace vdmos::ui {
namespace {

constexpr char kGeometryKey[] = "window/geometry";
constexpr char kPageKey[] = "window/page";
constexpr char kSplittersKey[] = "window/splitters";
constexpr char kRecentKey[] = "recentFiles";
constexpr char kFoldersGroup[] = "folders/";

// The dialogs that share a folder: a library is opened and saved through two lists.
struct DialogKind {
  std::string_view dialog;
  const char* kind;
};
constexpr DialogKind kDialogKinds[] = {
    {kDatasheetFilter, "values"},   {kLibrarySaveFilter, "library"},  {kLibraryOpenFilter, "library"},
    {kDefaultSaveFilter, "models"}, {kChooseFolderTitle, "circuits"}, {kCheckTableFilter, "exports"},
    {kCurveFilter, "curves"},
};

// Whatever is not listed (the plots' dialogs) is an export.
QString Kind(std::string_view dialog) {
  const auto* found = std::ranges::find(kDialogKinds, dialog, &DialogKind::dialog);
  return QString(kFoldersGroup) + (found == std::end(kDialogKinds) ? "exports" : found->kind);
}

// A window placed on a screen that has since gone, or grown beyond a smaller one, is brought
// back inside the free area of the screen it opens on.
QRect WithinScreen(QRect geometry, const QRect& available) {
  geometry.setSize(geometry.size().boundedTo(available.size()));
  geometry.moveLeft(std::clamp(geometry.left(), available.left(), available.right() - geometry.width() + 1));
  geometry.moveTop(std::clamp(geometry.top(), available.top(), available.bottom() - geometry.height() + 1));
  return geometry;
}

}  // namespace

WindowMemory::WindowMemory(MainWindow& window, QSettings& settings) : window_(window), settings_(settings) {
  QMenu* file = window.controls().get<QMenu>(texts::file.name);
  recent_ = new QMenu(MenuCaption(texts::recentFiles), file);
  recent_->setObjectName(ToQString(texts::recentFiles.name));
  QAction* save = window.controls().get<QAction>(control::save);
  file->insertMenu(save, recent_);
  connect(&window, &MainWindow::valuesFileChanged, this, &WindowMemory::addRecent);
  showRecent();
  restore();
}

WindowMemory::~WindowMemory() { save(); }

void WindowMemory::restore() {
  const QRect available = window_.screen()->availableGeometry();
  const QRect stored = settings_.value(kGeometryKey).toRect();
  if (stored.isValid()) {
    const QRect placed = WithinScreen(stored, available);
    window_.resize(placed.size().expandedTo(window_.minimumSizeHint()));
    window_.move(placed.topLeft());
  } else {
    // Nothing stored: on a screen larger than the window asks for, it takes a fair share of it.
    window_.resize(window_.size().expandedTo(available.size() * 0.75).boundedTo(available.size()));
  }
  const QList<QSplitter*> splitters = window_.findChildren<QSplitter*>();
  const QVariantList sizes = settings_.value(kSplittersKey).toList();
  for (int i = 0; i < std::min(splitters.size(), sizes.size()); ++i) {
    QList<int> parts;
    for (const QVariant& part : sizes[i].toList()) parts << part.toInt();
    if (parts.size() == splitters[i]->count()) splitters[i]->setSizes(parts);
  }
  const int page = settings_.value(kPageKey, -1).toInt();
  if (page >= 0 && page < window_.pages()->count()) window_.pages()->setCurrentIndex(page);
}

void WindowMemory::save() {
  settings_.setValue(kGeometryKey, QRect(window_.pos(), window_.size()));
  settings_.setValue(kPageKey, window_.pages()->currentIndex());
  QVariantList sizes;
  for (QSplitter* splitter : window_.findChildren<QSplitter*>()) {
    QVariantList parts;
    for (int part : splitter->sizes()) parts << part;
    sizes << QVariant(parts);
  }
  settings_.setValue(kSplittersKey, sizes);
  settings_.sync();
}

QStringList WindowMemory::recentFiles() const { return settings_.value(kRecentKey).toStringList(); }

void WindowMemory::setRecent(const QStringList& files) {
  settings_.setValue(kRecentKey, files.mid(0, kMostRecentFiles));
  showRecent();
}

void WindowMemory::addRecent(const QString& path) {
  QStringList files = recentFiles();
  files.removeAll(path);
  files.prepend(path);
  setRecent(files);
}

void WindowMemory::showRecent() {
  recent_->clear();
  const QStringList files = recentFiles();
  for (const QString& path : files) {
    QAction* action = recent_->addAction(path);
    connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
  }
  recent_->setEnabled(!files.isEmpty());
}

void WindowMemory::openRecent(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    QStringList files = recentFiles();
    files.removeAll(path);
    setRecent(files);
    window_.session().platform().ShowMessage(Caption(texts::RecentFileMissing).arg(path).toStdString());
    return;
  }
  window_.openValuesFile(path.toStdString());
}

QString WindowMemory::startFolder(std::string_view dialog) const {
  return settings_.value(Kind(dialog)).toString();
}

void WindowMemory::chose(std::string_view dialog, const QString& folder) {
  settings_.setValue(Kind(dialog), folder);
}

}  // namespace vdmos::ui
