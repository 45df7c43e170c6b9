#pragma once
// Drives the real main window as a user would: typing into fields, clicking buttons on
// whatever page they sit, reading what the widgets show.

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <string_view>

#include "platform/scripted_platform.h"
#include "ui/main_window.h"

namespace vdmos::ui::test {

/// A shown main window on a scripted platform.
struct OpenWindow {
  ScriptedPlatform platform;
  MainWindow window{platform};

  OpenWindow() {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) qFatal("the window was not shown");
  }

  template <typename T = QWidget>
  T* get(std::string_view name) const {
    T* control = window.controls().get<T>(name);
    if (!control) qFatal("no control %s of the asked kind", std::string(name).c_str());
    return control;
  }

  /// Brings the control's page to the front, so that it can be clicked and measured.
  void showPageOf(QWidget* control) const {
    QTabWidget* pages = window.pages();
    for (int i = 0; i < pages->count(); ++i)
      if (pages->widget(i)->isAncestorOf(control)) pages->setCurrentIndex(i);
    QCoreApplication::processEvents();
  }

  void click(std::string_view name) const {
    auto* button = get<QAbstractButton>(name);
    showPageOf(button);
    QTest::mouseClick(button, Qt::LeftButton);
  }

  /// Replaces a field's text by typing, as a user who selects all and types over it.
  void type(std::string_view name, const QString& text) const {
    auto* field = get<QLineEdit>(name);
    showPageOf(field);
    field->selectAll();
    if (text.isEmpty())
      QTest::keyClick(field, Qt::Key_Backspace);
    else
      QTest::keyClicks(field, text);
  }

  QString shown(std::string_view name) const { return get<QLineEdit>(name)->text(); }
};

}  // namespace vdmos::ui::test
