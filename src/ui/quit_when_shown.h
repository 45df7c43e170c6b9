#pragma once
// For start-up measurements: with the environment variable VDMOS_QUIT_WHEN_SHOWN set, the
// program ends as soon as its window has been painted once. The empty reference window of
// the start-up benchmark uses the same hook, so both are measured to the same point.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace vdmos::ui {

inline void QuitWhenShownIfAsked(QWidget& window) {
  if (!qEnvironmentVariableIsSet("VDMOS_QUIT_WHEN_SHOWN")) return;
  struct FirstPaint : QObject {
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint)
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
      return false;
    }
  };
  window.installEventFilter(new FirstPaint(&window));
}

}  // namespace vdmos::ui
