#include "ui/field_marks.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QVariant>

#include "ui/text_bridge.h"
#include "ui/window_texts.h"

namespace vdmos::ui {
namespace {

// Orange rather than red: the value is used all the same, the user is asked to look at it.
constexpr const char* kMarkedStyle = "QLineEdit { border: 2px solid #e07000; }";

// The field's own tip, kept the first time a mark is shown with it.
QString OwnToolTip(QLineEdit* edit) {
  const QVariant kept = edit->property("ownToolTip");
  if (kept.isValid()) return kept.toString();
  edit->setProperty("ownToolTip", edit->toolTip());
  return edit->toolTip();
}

}  // namespace

void MarkFields(const Controls& controls, const std::vector<FieldWarning>& warnings) {
  for (const FieldInfo& field : DatasheetFields()) {
    auto* edit = controls.get<QLineEdit>(field.control);
    if (auto* box = controls.get<QComboBox>(field.control)) edit = box->lineEdit();  // the FET type
    if (edit == nullptr) continue;
    const auto warning = std::ranges::find(warnings, &field, &FieldWarning::field);
    const QString ownTip = OwnToolTip(edit);
    if (warning == warnings.end()) {
      edit->setStyleSheet({});
      edit->setToolTip(ownTip);
      continue;
    }
    edit->setStyleSheet(kMarkedStyle);
    const QString read = ToQString(warning->message);
    edit->setToolTip(ownTip.isEmpty() ? read : ownTip + "\n" + read);
  }
}

QString WithNamedFields(const QString& text, const std::vector<FieldWarning>& warnings) {
  if (warnings.empty()) return text;
  QStringList names;
  for (const FieldWarning& warning : warnings) names << ToQString(warning.field->quantity);
  const QString named = QStringLiteral("Not read as typed: ") + names.join(", ");
  return text.isEmpty() ? named : text + " - " + named;
}

}  // namespace vdmos::ui
