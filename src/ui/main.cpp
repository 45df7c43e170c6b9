#include <QApplication>

#include "ui/main_window.h"
#include "ui/qt_platform.h"
#include "ui/quit_when_shown.h"
#include "ui/window_texts.h"
#include "version.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(vdmos::ui::kApplicationTitle);
  QApplication::setApplicationVersion(vdmos::kVersion);
  QGuiApplication::setDesktopFileName("vdmosgen");

  vdmos::ui::QtPlatform platform;
  vdmos::ui::MainWindow window(platform);
  platform.setDialogParent(&window);
  vdmos::ui::QuitWhenShownIfAsked(window);
  window.show();
  return app.exec();
}
