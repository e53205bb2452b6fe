#include "listing/LabelPlans.h"

#include "engine/Table.h"
#include "storage/TableHandles.h"

#include <cmath>

namespace velmora::labels {

int dots(double mm, int dpi)
{
    // Places are given to a tenth of a millimetre; whole numbers keep a half
    // dot a half, so it goes to the even dot.
    const long long a = std::llround(mm * 10) * dpi;
    const long long q = a / 254, r = a % 254;
    const long long twice = 2 * (r < 0 ? -r : r);
    long long out = q;
    if (twice > 254 || (twice == 254 && (q % 2) != 0))
        out += a < 0 ? -1 : 1;
    return int(out);
}

int topSlot(const CassetteRecord &cassette)
{
    for (int n = kCassetteSlots; n > 0; --n)
        if (cassette.recordings[size_t(n - 1)].used())
            return n;
    return 0;
}

std::vector<double> spineRows(int k)
{
    switch (k) {
    case 1:
        return {8};
    case 2:
        return {5, 10};
    case 3:
        return {2.5, 7.5, 12.5};
    case 4:
        return {1.5, 5.5, 9.5, 13.5};
    case 5:
        return {0.6, 4.3, 8, 11.7, 15.4};
    default:
        return {};
    }
}

std::vector<Placement> singlePlan(const CassetteRecord &cassette)
{
    std::vector<Placement> plan{{0, Label::Spine, 30, 30, 0}};
    if (topSlot(cassette) >= 1)
        plan.push_back({0, Label::Face, 61.5, 80, 0});
    return plan;
}

std::vector<Placement> sheetPlan(int count, Choice choice)
{
    std::vector<Placement> plan;
    if (count <= 0)
        return plan;
    int sheet = 0;
    if (choice != Choice::SpineOnly) {
        for (int i = 0; i < count; ++i) {
            const int place = i % kFacesPerSheet;
            const int column = place / 5, row = place % 5;
            plan.push_back(
                {i / kFacesPerSheet, Label::Face, 27.0 + 78 * column, 12.0 + 47 * row, i});
        }
        sheet = (count - 1) / kFacesPerSheet + 1;
    }
    if (choice != Choice::FaceOnly) {
        for (int i = 0; i < count; ++i)
            plan.push_back({sheet + i / kSpinesPerSheet, Label::Spine, 30,
                            12.0 + 20 * (i % kSpinesPerSheet), i});
    }
    return plan;
}

int sheetsNeeded(int count, Choice choice)
{
    if (count <= 0)
        return 0;
    const int faces = (count + kFacesPerSheet - 1) / kFacesPerSheet;
    const int spines = (count + kSpinesPerSheet - 1) / kSpinesPerSheet;
    switch (choice) {
    case Choice::FaceOnly:
        return faces;
    case Choice::SpineOnly:
        return spines;
    case Choice::Both:
        break;
    }
    return faces + spines;
}

QString estimateText(int sheets)
{
    return QStringLiteral("Potřebujete k vytištění: ") + QString::number(sheets) +
           QStringLiteral(" x A4 !");
}

NumberOrder readOrder(const Table &table)
{
    NumberOrder out;
    const int number = table.requireField(QStringLiteral("cislo"));
    out.records = table.visibleRecords();
    out.numbers.reserve(qsizetype(out.records.size()));
    for (const int rec : out.records)
        out.numbers << table.asStringAt(rec, number);
    return out;
}

Span rangeSpan(const QStringList &numbers, const QString &first, const QString &last)
{
    const int begin = int(numbers.indexOf(first));
    const int end = int(numbers.lastIndexOf(last)) + 1;
    if (begin < 0 || end <= begin)
        return {};
    return {begin, end};
}

namespace {

CassetteRecord labelFields(const Table &t, const CassetteColumns &columns)
{
    CassetteRecord r;
    r.number = t.asString(columns.number);
    for (int n = 0; n < kCassetteSlots; ++n) {
        const CassetteColumns::Slot &c = columns.recordings[size_t(n)];
        CassetteSlot &s = r.recordings[size_t(n)];
        s.title = t.asString(c.title);
        s.genre = t.asString(c.genre);
        s.speed = t.asString(c.speed);
        s.length = t.asInteger(c.length);
    }
    return r;
}

} // namespace

CassetteRecord readLabelFields(const Table &table)
{
    return labelFields(table, CassetteColumns(table));
}

std::vector<CassetteRecord> readLabelFields(Table &table, const std::vector<int> &records)
{
    const CassetteColumns columns(table);
    std::vector<CassetteRecord> out;
    out.reserve(records.size());
    for (const int rec : records) {
        table.moveToRecord(rec);
        out.push_back(labelFields(table, columns));
    }
    return out;
}

Job singleJob(const CassetteRecord &cassette)
{
    return {QStringLiteral("Tisk etikety - VK číslo ") + cassette.number,
            {cassette},
            singlePlan(cassette)};
}

Job sheetJob(std::vector<CassetteRecord> cassettes, Choice choice)
{
    const int count = int(cassettes.size());
    return {QStringLiteral("Video - Tisk nastavených etiket"), std::move(cassettes),
            sheetPlan(count, choice)};
}

std::optional<CassetteRecord> labelCassette(TableHandles &tables, const QString &number)
{
    Table &t = tables.Table1;
    if (!t.isOpen() || number.isEmpty())
        return std::nullopt;
    const int field = t.requireField(QStringLiteral("cislo"));
    if (t.recordNumber() < 0 || t.asString(field) != number) {
        if (!t.locate(QStringLiteral("cislo"), number))
            return std::nullopt;
    }
    return readLabelFields(t);
}

NumberOrder offeredOrder(TableHandles &tables)
{
    const Table &t = tables.Table1;
    return t.isOpen() ? readOrder(t) : NumberOrder{};
}

std::vector<CassetteRecord> readSpan(TableHandles &tables, const NumberOrder &order, Span span)
{
    const std::vector<int> records(order.records.begin() + span.begin,
                                   order.records.begin() + span.end);
    return readLabelFields(tables.Table1, records);
}

} // namespace velmora::labels
