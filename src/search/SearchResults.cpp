#include "search/SearchResults.h"

#include "platform/Widgets.h"
#include "printing/ReportPane.h"
#include "printing/ReportWriter.h"

#include <QBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

namespace velmora {
namespace {

// The gauge moves every 1024 lines: a step of a progress bar may repaint
// it at once, which would cost more than the line itself.
constexpr int kGaugeStep = 1024;

} // namespace

const QByteArray kSearchColours =
    QByteArrayLiteral("{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}");

QString criteriaField(const QString &criteria, int k)
{
    const QStringList parts = criteria.split(QLatin1Char('|'));
    return k >= 1 && k <= parts.size() ? parts.at(k - 1) : QString();
}

QString upperAscii(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return out;
}

bool containsUpperAscii(QStringView text, QStringView upperNeedle)
{
    const qsizetype n = text.size(), m = upperNeedle.size();
    if (m == 0)
        return true;
    const auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    const char16_t *t = reinterpret_cast<const char16_t *>(text.data());
    const char16_t *k = reinterpret_cast<const char16_t *>(upperNeedle.data());
    for (qsizetype i = 0; i + m <= n; ++i) {
        if (fold(t[i]) != k[0])
            continue;
        qsizetype j = 1;
        while (j < m && fold(t[i + j]) == k[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}

bool FoundCollector::add(const QString &number)
{
    if (m_list.items > 0 && number == m_previous)
        return false;
    m_previous = number;
    ++m_list.items;
    if (m_list.numbers.size() < kFoundListLimit)
        m_list.numbers << number;
    else
        m_list.cut = true;
    return true;
}

void writeSearchResults(ReportWriter &w, const QString &notFound, int count,
                        const std::function<QString(int)> &lineAt,
                        const std::function<void(int)> &progress, const SearchPaneStyle &style)
{
    // The document's opening paragraph is the first empty line.
    w.header(kSearchColours,
             QStringLiteral("\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs20\\par"));
    w.colour(report::kRed);
    w.bold(true);
    if (style.headSize > 0)
        w.size(style.headSize);
    w.blank();
    // The document keeps a blank before its paragraph ends.
    w.either(QStringLiteral(" Report hledání:"), QStringLiteral(" Report hledání: \\par"));
    w.colour(report::kBlack);
    w.bold(false);
    w.styledLine(QStringLiteral("\\b0\\cf1\\fs20"), QString());
    if (count == 0)
        w.either(notFound, notFound + QStringLiteral(" \\par"));
    for (int k = 0; k < count; ++k) {
        if (!style.lineMarkup.isEmpty())
            w.fragment(style.lineMarkup);
        w.line(lineAt(k));
        if (progress)
            progress(k + 1);
    }
}

void showSearchResults(ReportPane &pane, report::Mode mode, QProgressBar &gauge, QWidget &details,
                       const QString &notFound, int count,
                       const std::function<QString(int)> &lineAt, const SearchPaneStyle &style)
{
    if (count > 0) {
        gauge.setRange(0, count);
        gauge.setValue(0);
    }
    report::write(pane, mode, [&](ReportWriter &w) {
        writeSearchResults(
            w, notFound, count, lineAt,
            [&gauge](int written) {
                if (written % kGaugeStep == 0)
                    gauge.setValue(written);
            },
            style);
    });
    if (count > 0) {
        gauge.setValue(count);
        details.show();
    } else {
        gauge.setRange(0, 100);
        gauge.setValue(100);
        details.hide();
    }
}

void clearSearchResults(ReportPane &pane, QProgressBar &gauge, QWidget &details)
{
    details.hide();
    pane.clearReport();
    gauge.setRange(0, 100);
    gauge.setValue(0);
}

ResultArea addResultArea(QWidget &screen, QBoxLayout &layout, const QString &captionName)
{
    ResultArea a;
    a.pane = new ReportPane(&screen);
    a.pane->setToolTip(QStringLiteral("Výsledky hledání ..."));
    a.pane->setAccessibleName(QStringLiteral("Výsledky hledání"));
    layout.addWidget(a.pane, 1);

    auto *bottom = new QHBoxLayout;
    a.progress = new QProgressBar(&screen);
    a.progress->setObjectName(QStringLiteral("Stav"));
    a.progress->setAccessibleName(QStringLiteral("Stav prohledávání"));
    a.progress->setRange(0, 100);
    a.progress->setValue(0);
    QLabel *caption =
        ui::caption(&screen, captionName, QStringLiteral("Stav prohledávání:"), a.progress);
    a.details = ui::button(&screen, QStringLiteral("BitBtn3"), QStringLiteral("Zobrazit detaily"));
    a.close = ui::button(&screen, QStringLiteral("BitBtn1"), QStringLiteral("&Zavřít okno"));
    bottom->addWidget(caption);
    bottom->addWidget(a.progress, 1);
    bottom->addSpacing(12);
    bottom->addWidget(a.details);
    bottom->addWidget(a.close);
    layout.addLayout(bottom);
    return a;
}

} // namespace velmora
