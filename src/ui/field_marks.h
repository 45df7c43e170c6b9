#pragma once
// How the window shows the fields whose text was not read as typed: a coloured frame and a
// tool tip saying what was read, and the fields named in the status bar and the model check.

#include <QString>
#include <vector>

#include "model/field_reading.h"
#include "ui/controls.h"

namespace vdmos::ui {

/// Frames each named field and puts what was read into its tool tip, after the field's own
/// tip; every other field gets its plain look and tip back.
void MarkFields(const Controls& controls, const std::vector<FieldWarning>& warnings);

/// The text followed by the names of the fields not read as typed; the text alone without them.
QString WithNamedFields(const QString& text, const std::vector<FieldWarning>& warnings);

}  // namespace vdmos::ui
