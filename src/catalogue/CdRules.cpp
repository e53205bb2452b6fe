#include "catalogue/CdRules.h"

#include "catalogue/CassetteRules.h"

#include <QRegularExpression>

namespace velmora {

const QStringList &discSizes()
{
    static const QStringList sizes{QStringLiteral("170"), QStringLiteral("650"),
                                   QStringLiteral("700"), QStringLiteral("870"),
                                   QStringLiteral("???")};
    return sizes;
}

QString discLabel(int disc)
{
    return QStringLiteral("CD") + QString::number(disc);
}

int discOfLabel(const QString &label)
{
    const QString t = label.trimmed();
    if (!t.startsWith(QLatin1String("CD"), Qt::CaseInsensitive))
        return 0;
    bool ok = false;
    const int n = t.mid(2).trimmed().toInt(&ok);
    return ok && n > 0 ? n : 0;
}

QString discCaption(int disc)
{
    return QStringLiteral("CD ") + QString::number(disc);
}

QString captionOfLabel(const QString &label)
{
    const QString t = label.trimmed();
    return t.left(2) + QLatin1Char(' ') + t.mid(2);
}

QString labelOfCaption(const QString &caption)
{
    return QStringLiteral("CD") + caption.mid(3);
}

QString lengthText(int minutes, int seconds)
{
    return PadNumber(minutes, 2) + QLatin1Char(':') + PadNumber(seconds, 2);
}

QString lengthTextOfSeconds(int seconds)
{
    if (seconds < 0)
        seconds = 0;
    return lengthText(seconds / 60, seconds % 60);
}

std::optional<int> secondsOfLength(const QString &text)
{
    if (text.size() != 5 || text.at(2) != QLatin1Char(':'))
        return std::nullopt;
    for (int i : {0, 1, 3, 4})
        if (!text.at(i).isDigit() || text.at(i).unicode() > '9')
            return std::nullopt;
    const int minutes = text.left(2).toInt();
    const int seconds = text.mid(3, 2).toInt();
    if (seconds > 59)
        return std::nullopt;
    return minutes * 60 + seconds;
}

std::optional<QString> typedLength(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^(?:([0-9]{1,2}):([0-9]{2})|([0-9]{2})([0-9]{2}))$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const bool colon = m.capturedLength(1) > 0;
    const int minutes = m.captured(colon ? 1 : 3).toInt();
    const int seconds = m.captured(colon ? 2 : 4).toInt();
    if (seconds > 59)
        return std::nullopt;
    return lengthText(minutes, seconds);
}

int looseSecondsOfLength(const QString &text)
{
    return text.left(2).trimmed().toInt() * 60 + text.mid(3, 2).trimmed().toInt();
}

QString discTotalText(int seconds)
{
    return QString::number(seconds / 60) + QStringLiteral(" min ") + PadNumber(seconds % 60, 2) +
           QStringLiteral(" sek.");
}

QString trackListLength(int seconds)
{
    const int s = seconds % 60;
    return QString::number(seconds / 60) + (s < 10 ? QStringLiteral("m 0") : QStringLiteral("m ")) +
           QString::number(s) + QLatin1Char('s');
}

} // namespace velmora
