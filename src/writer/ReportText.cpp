#include "writer/ReportText.h"

#include <vector>

#include "system/Version.h"

namespace velmora::report {
namespace {

QString spaces(int n)
{
    return QString(qMax(0, n), QLatin1Char(' '));
}

int run(Mode mode, int given)
{
    if (given >= 0)
        return given;
    return mode == Mode::Document ? 6 : 5;
}

QString paragraphEnd(Mode mode)
{
    return mode == Mode::Document ? QStringLiteral("\\par") : QString();
}

} // namespace

Mode modeFor(const QString &setupOs)
{
    if (setupOs == QLatin1String("1") || setupOs == QLatin1String("2") ||
        setupOs == QLatin1String("3") || setupOs == QLatin1String("5"))
        return Mode::Line;
    if (setupOs == QLatin1String("4"))
        return Mode::Document;
    return Mode::None;
}

QString timeText(int minutes)
{
    if (minutes < 0)
        return QLatin1Char('-') + timeText(-minutes);
    return QString::number(minutes / 60) + QLatin1String("h ") +
           QStringLiteral("%1").arg(minutes % 60, 2, 10, QLatin1Char('0')) + QLatin1Char('m');
}

QString printingTime(const QDateTime &when)
{
    const QDateTime t = when.isValid() ? when : QDateTime::currentDateTime();
    return t.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString versionText()
{
    return version::kText;
}

QString dateLine(Mode mode, int secondRun, int leading, const QDateTime &when)
{
    return spaces(run(mode, leading)) + QStringLiteral("Datum a čas tisku  : ") +
           printingTime(when) + spaces(secondRun) + QStringLiteral("Verze programu: ") +
           versionText() + paragraphEnd(mode);
}

QString makerLine(Mode mode, int leading)
{
    return spaces(run(mode, leading)) + QStringLiteral("Norvane 2002") + paragraphEnd(mode);
}

QString rule(Mode mode, int spaces_, int hyphens)
{
    return spaces(spaces_) + QString(qMax(0, hyphens), QLatin1Char('-')) + paragraphEnd(mode);
}

namespace {

QString formatViews(QStringView templ, const QStringView *values, qsizetype count)
{
    QString out;
    qsizetype guess = templ.size();
    for (qsizetype k = 0; k < count; ++k)
        guess += values[k].size();
    out.reserve(guess + 8);
    qsizetype next = 0;
    const qsizetype n = templ.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = templ[i];
        if (c != QLatin1Char('%')) {
            out += c;
            continue;
        }
        if (i + 1 < n && templ[i + 1] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        const bool left = j < n && templ[j] == QLatin1Char('-');
        if (left)
            ++j;
        int width = 0;
        while (j < n && templ[j].isDigit()) {
            width = qMin(width * 10 + templ[j].digitValue(), 100000);
            ++j;
        }
        if (j >= n || (templ[j] != QLatin1Char('s') && templ[j] != QLatin1Char('d'))) {
            // Not a field: the percent sign stands for itself.
            out += c;
            continue;
        }
        const QStringView value = next < count ? values[next] : QStringView();
        ++next;
        const qsizetype fill = qMax<qsizetype>(0, width - value.size());
        if (!left)
            out.resize(out.size() + fill, QLatin1Char(' '));
        out += value;
        if (left)
            out.resize(out.size() + fill, QLatin1Char(' '));
        i = j;
    }
    return out;
}

} // namespace

QString format(QStringView templ, const QStringList &values)
{
    std::vector<QStringView> views(values.begin(), values.end());
    return formatViews(templ, views.data(), qsizetype(views.size()));
}

QString format(QStringView templ, std::initializer_list<QStringView> values)
{
    return formatViews(templ, values.begin(), qsizetype(values.size()));
}

NumberText::NumberText(qint64 value)
{
    const bool negative = value < 0;
    quint64 v = negative ? quint64(0) - quint64(value) : quint64(value);
    do {
        m_digits[--m_start] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (negative)
        m_digits[--m_start] = u'-';
}

} // namespace velmora::report
