#include "ui/file_filters.h"

#include "ui/text_codec.h"

namespace tw {

QStringList QtNameFilters(std::string_view filterList) {
    const QStringList parts = ShownText(filterList).split(QChar(u'|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString& description = parts[i];
        QStringList patterns;
        if (i + 1 < parts.size())
            for (const QString& pattern : parts[i + 1].split(QChar(u';'), Qt::SkipEmptyParts)) {
                const QString trimmed = pattern.trimmed();
                if (!trimmed.isEmpty()) patterns << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
            }
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        if (description.isEmpty() && i + 1 >= parts.size()) continue;
        filters << description + QStringLiteral(" (") + patterns.join(QChar(u' ')) + QChar(u')');
    }
    return filters;
}

}  // namespace tw
