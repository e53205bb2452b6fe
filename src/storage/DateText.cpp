#include "storage/DateText.h"

#include <QStringList>

namespace velmora {

QString shortDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QDate parseShortDate(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 3)
        return QDate();
    bool okDay = false, okMonth = false, okYear = false;
    const int day = parts[0].trimmed().toInt(&okDay);
    const int month = parts[1].trimmed().toInt(&okMonth);
    const int year = parts[2].trimmed().toInt(&okYear);
    if (!okDay || !okMonth || !okYear || parts[2].trimmed().size() != 4)
        return QDate();
    return QDate(year, month, day);
}

} // namespace velmora
