#include "ui/window_icon.h"

// The resources of a static library are registered by hand, from the global namespace.
static void RegisterIconResource() { Q_INIT_RESOURCE(vdmosgen); }

namespace vdmos::ui {

QIcon WindowIcon() {
  static const bool registered = (RegisterIconResource(), true);
  (void)registered;
  return QIcon(":/icons/vdmosgen.svg");
}

}  // namespace vdmos::ui
