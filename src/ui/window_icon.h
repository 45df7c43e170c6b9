#pragma once
#include <QIcon>

namespace vdmos::ui {

/// The program's icon. It is compiled into the program, so a window started from the build
/// tree shows it too, not only an installed one whose desktop entry names it.
QIcon WindowIcon();

}  // namespace vdmos::ui
