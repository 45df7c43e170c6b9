#include "ui/window_texts.h"

#include <stdexcept>
#include <string>

namespace vdmos::ui {

QString MenuCaption(const WindowText& text) {
  QString caption = Caption(text);
  if (text.accessKey == 0) return caption;
  const qsizetype at = caption.indexOf(QLatin1Char(text.accessKey));
  if (at < 0) throw std::logic_error("the access key is not in the caption of " + std::string(text.name));
  return caption.insert(at, QLatin1Char('&'));
}

}  // namespace vdmos::ui
