#pragma once
// The commands describe a file dialog's type filter as "label|pattern|label|pattern...";
// Qt wants one "label (patterns)" entry per type.

#include <QStringList>
#include <string_view>

namespace vdmos::ui {

/// One Qt filter per label and pattern pair. A label that already ends with its pattern in
/// parentheses is not given it twice; "*.*" becomes "*" so that "All Files" shows files
/// without an extension too; several patterns joined by ";" become a blank-separated list.
QStringList QtFileFilters(std::string_view filter);

}  // namespace vdmos::ui
