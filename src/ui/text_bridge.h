#pragma once
// Between the state's texts (UTF-8 bytes, CR LF line ends, exactly as the commands wrote
// them) and Qt's text widgets (UTF-16, "\n" line ends). The state stays the truth: a widget
// shows the display form, and a user edit is turned back into CR LF text.

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace vdmos::ui {

QString ToQString(std::string_view text);

/// The display form: every CR LF, and every CR left alone, becomes one "\n".
QString ToDisplayText(std::string_view stateText);
/// The state form of a multi-line widget's text: every "\n" becomes CR LF.
std::string FromDisplayText(const QString& displayText);

/// The widget position (UTF-16 units of the display form) of a byte offset in a state text.
/// An offset past the end, or inside a CR LF or a UTF-8 sequence, maps to the next position.
int DisplayPosition(std::string_view stateText, std::size_t byteOffset);
/// The byte offset in a state text of a widget position of its display form.
std::size_t StateOffset(std::string_view stateText, int displayPosition);

}  // namespace vdmos::ui
