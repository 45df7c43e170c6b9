#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>

#include "ui/main_window.h"
#include "ui/qt_platform.h"
#include "ui/quit_when_shown.h"
#include "ui/window_settings.h"
#include "ui/window_texts.h"
#include "verify/child_groups.h"
#include "version.h"

int main(int argc, char** argv) {
  // A session that is ended (logging out, a kill from a terminal) takes its running checks
  // with it; quitting waits for them, and they end at their deadline.
  vdmos::EndChildrenOnTerminatingSignals();
  QApplication app(argc, argv);
  QApplication::setApplicationName(vdmos::ui::kApplicationTitle);
  // The settings' home: ~/.config/vdmosgen/vdmosgen.conf on Linux.
  QApplication::setOrganizationName(vdmos::ui::kApplicationTitle);
  QApplication::setApplicationVersion(vdmos::kVersion);
  QGuiApplication::setDesktopFileName("vdmosgen");

  // The same option as the command-line tool's, for an ngspice that is not on the PATH.
  QCommandLineParser options;
  options.addHelpOption();
  options.addVersionOption();
  const QCommandLineOption ngspice("ngspice", vdmos::ui::kNgspiceOptionHelp, "PATH");
  options.addOption(ngspice);
  options.process(app);

  vdmos::ui::QtPlatform platform;
  vdmos::ui::MainWindow window(platform);
  platform.setDialogParent(&window);
  QSettings settings;
  vdmos::ui::WindowMemory memory(window, settings);
  platform.setDialogFolders(&memory);
  if (options.isSet(ngspice)) window.setVerifyOptions({.ngspicePath = options.value(ngspice).toStdString()});
  vdmos::ui::QuitWhenShownIfAsked(window);
  window.show();
  return app.exec();
}
