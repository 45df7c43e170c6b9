#include <QApplication>
#include <QMainWindow>

#include "ui/quit_when_shown.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  vdmos::ui::QuitWhenShownIfAsked(window);
  window.show();
  return app.exec();
}
