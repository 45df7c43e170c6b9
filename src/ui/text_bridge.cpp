#include "ui/text_bridge.h"

namespace vdmos::ui {
namespace {

// How many bytes the display character starting at byte i takes in the state text, and how
// many UTF-16 units it becomes on screen.
struct Step {
  std::size_t bytes;
  int units;
};

Step NextCharacter(std::string_view text, std::size_t i) {
  const auto byte = static_cast<unsigned char>(text[i]);
  if (byte == '\r') return {i + 1 < text.size() && text[i + 1] == '\n' ? 2u : 1u, 1};
  std::size_t length = 1;
  if (byte >= 0xF0)
    length = 4;
  else if (byte >= 0xE0)
    length = 3;
  else if (byte >= 0xC0)
    length = 2;
  // A truncated or broken sequence is replaced by one character on screen.
  std::size_t taken = 1;
  while (taken < length && i + taken < text.size() &&
         (static_cast<unsigned char>(text[i + taken]) & 0xC0) == 0x80)
    ++taken;
  if (taken != length) return {1, 1};
  return {length, length == 4 ? 2 : 1};
}

}  // namespace

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QString ToDisplayText(std::string_view stateText) {
  std::string display;
  display.reserve(stateText.size());
  for (std::size_t i = 0; i < stateText.size(); ++i) {
    if (stateText[i] == '\r') {
      display += '\n';
      if (i + 1 < stateText.size() && stateText[i + 1] == '\n') ++i;
    } else {
      display += stateText[i];
    }
  }
  return ToQString(display);
}

std::string FromDisplayText(const QString& displayText) {
  const QByteArray utf8 = displayText.toUtf8();
  std::string text;
  text.reserve(std::size_t(utf8.size()) + std::size_t(displayText.count(QLatin1Char('\n'))));
  for (char c : utf8) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

int DisplayPosition(std::string_view stateText, std::size_t byteOffset) {
  int position = 0;
  for (std::size_t i = 0; i < stateText.size() && i < byteOffset;) {
    const Step step = NextCharacter(stateText, i);
    i += step.bytes;
    position += step.units;
  }
  return position;
}

std::size_t StateOffset(std::string_view stateText, int displayPosition) {
  std::size_t i = 0;
  for (int position = 0; i < stateText.size() && position < displayPosition;) {
    const Step step = NextCharacter(stateText, i);
    i += step.bytes;
    position += step.units;
  }
  return i;
}

}  // namespace vdmos::ui
