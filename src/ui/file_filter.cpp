#include "ui/file_filter.h"

#include "ui/text_bridge.h"

namespace vdmos::ui {

QStringList QtFileFilters(std::string_view filter) {
  const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString label = parts[i].trimmed();
    const QString pattern = parts[i + 1].trimmed();
    const QString ownPattern = QStringLiteral("(%1)").arg(pattern);
    if (label.endsWith(ownPattern)) label = label.chopped(ownPattern.size()).trimmed();
    QStringList patterns = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& each : patterns) {
      each = each.trimmed();
      if (each == QLatin1String("*.*")) each = QStringLiteral("*");
    }
    filters.append(QStringLiteral("%1 (%2)").arg(label, patterns.join(QLatin1Char(' '))));
  }
  return filters;
}

}  // namespace vdmos::ui
