#include "sheets/ImportRows.h"

#include "catalogue/CassetteRules.h"
#include "catalogue/CdRules.h"
#include "storage/DateText.h"

#include <QRegularExpression>

namespace velmora::sheets::rows {

QString quoted(const QString &value)
{
    constexpr int kShown = 40;
    QString shown = value.simplified();
    if (shown.size() > kShown)
        shown = shown.left(kShown - 1) + QChar(0x2026);
    return QString::fromUtf8("„%1“").arg(shown);
}

std::optional<int> wholeNumber(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,6}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    return text.toInt();
}

QString itemNumber(const QString &text, const QString &header, QString &problem)
{
    if (text.isEmpty()) {
        problem = QString::fromUtf8("Řádek nemá vyplněn sloupec „%1“.").arg(header);
        return QString();
    }
    for (QChar c : text) {
        if (!c.isDigit() || c.unicode() > 127) {
            problem = QString::fromUtf8("%1 %2 není číslo.").arg(header, quoted(text));
            return QString();
        }
    }
    // Spreadsheets drop leading zeros; those beyond five digits say nothing.
    QString n = text;
    while (n.size() > 5 && n.startsWith(QLatin1Char('0')))
        n.remove(0, 1);
    if (n.size() > 5) {
        problem = QString::fromUtf8("%1 %2 má víc než 5 číslic.").arg(header, quoted(text));
        return QString();
    }
    return PadNumber(n.toLongLong());
}

QString tapeType(const QString &text)
{
    QString compact = text.simplified().remove(QLatin1Char(' ')).toUpper();
    for (const QString &t : tapeTypes())
        if (QString(t).remove(QLatin1Char(' ')) == compact)
            return t;
    return QString();
}

QDate date(const QString &text)
{
    if (text.isEmpty())
        return QDate();
    static const QRegularExpression iso(QStringLiteral("^[0-9]{4}-[0-9]{1,2}-[0-9]{1,2}$"));
    if (iso.match(text).hasMatch()) {
        const QStringList p = text.split(QLatin1Char('-'));
        return QDate(p[0].toInt(), p[1].toInt(), p[2].toInt());
    }
    static const QRegularExpression dotted(QStringLiteral("^[0-9]{1,2}\\.[0-9]{1,2}\\.[0-9]{4}$"));
    if (dotted.match(text).hasMatch())
        return parseShortDate(text);
    return QDate();
}

QString dateText(const QString &text)
{
    // Spreadsheets save dates as d.M.yyyy or ISO; the tables hold dd.MM.yyyy.
    const QDate d = date(text.trimmed());
    return d.isValid() ? shortDate(d) : text;
}

bool readsAsDate(const QString &text)
{
    return date(text.trimmed()).isValid();
}

std::optional<bool> yesNo(const QString &text)
{
    // Czech spreadsheets write their booleans as PRAVDA and NEPRAVDA.
    static const QStringList no{QStringLiteral("ne"),  QStringLiteral("n"),
                                QStringLiteral("0"),   QStringLiteral("false"),
                                QStringLiteral("no"),  QStringLiteral("nepravda"),
                                QStringLiteral("doma")};
    static const QStringList yes{QStringLiteral("ano"),    QStringLiteral("a"),
                                 QStringLiteral("1"),      QStringLiteral("true"),
                                 QStringLiteral("x"),      QStringLiteral("yes"),
                                 QStringLiteral("pravda"), QString::fromUtf8("půjčeno")};
    const QString t = text.trimmed().toLower();
    if (t.isEmpty() || no.contains(t))
        return false;
    if (yes.contains(t))
        return true;
    return std::nullopt;
}

QString discLabelOf(const QString &caption)
{
    static const QRegularExpression re(QStringLiteral("^CD *([0-9]{1,2})$"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(caption.trimmed());
    if (!m.hasMatch())
        return QString();
    const int disc = m.captured(1).toInt();
    if (disc < 1 || disc > kMaxDiscs)
        return QString();
    // The caption the screens show, read back as they read their tabs.
    return labelOfCaption(discCaption(disc));
}

std::optional<int> trackSeconds(const QString &text)
{
    if (text.isEmpty())
        return 0;
    static const QRegularExpression plain(QStringLiteral("^[0-9]{1,6}$"));
    static const QRegularExpression ms(QStringLiteral("^([0-9]{1,4}):([0-9]{2})$"));
    static const QRegularExpression hms(QStringLiteral("^([0-9]{1,3}):([0-9]{2}):([0-9]{2})$"));
    if (plain.match(text).hasMatch())
        return text.toInt();
    if (const QRegularExpressionMatch m = ms.match(text); m.hasMatch()) {
        const int s = m.captured(2).toInt();
        if (s < 60)
            return m.captured(1).toInt() * 60 + s;
    }
    if (const QRegularExpressionMatch m = hms.match(text); m.hasMatch()) {
        const int mi = m.captured(2).toInt();
        const int s = m.captured(3).toInt();
        if (mi < 60 && s < 60)
            return m.captured(1).toInt() * 3600 + mi * 60 + s;
    }
    return std::nullopt;
}

QList<TapeFault> tapeFaults(const CassetteRecord &c)
{
    QList<TapeFault> out;
    const int capacity = CassetteCapacity(c.type);
    int occupied = 0;
    for (int i = 0; i < kCassetteSlots; ++i) {
        const CassetteSlot &r = c.recordings[i];
        occupied += SpMinutes(r.length, r.speed);
        // Counters of SP recordings are SP minutes of the tape itself.
        const bool pastEnd = occupied > capacity || (SpeedFactor(r.speed) == 1 && r.end > capacity);
        if (pastEnd && (r.used() || r.length != 0 || r.end != 0))
            out << TapeFault{i, QString::fromUtf8("Záznam %1 kazety %2 končí za koncem pásky (%3 "
                                                  "min).")
                                    .arg(i + 1)
                                    .arg(c.number)
                                    .arg(capacity)};
        if (pastEnd && occupied > capacity)
            break;
    }
    for (int j = 0; j < kCassetteSlots; ++j) {
        const CassetteSlot &b = c.recordings[j];
        if (b.end <= b.start)
            continue;
        for (int i = 0; i < j; ++i) {
            const CassetteSlot &a = c.recordings[i];
            if (a.end > a.start && b.start < a.end && a.start < b.end) {
                out << TapeFault{j, QString::fromUtf8("Záznam %1 kazety %2 se překrývá se "
                                                      "záznamem %3.")
                                        .arg(j + 1)
                                        .arg(c.number)
                                        .arg(i + 1)};
                break;
            }
        }
    }
    return out;
}

} // namespace velmora::sheets::rows
