#pragma once

// The cassette labels without their drawing: which labels go where on the
// sheets, in millimetres from the top left corner of the paper, and the
// cassettes read for them from data.dbf.

#include "storage/Records.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace velmora {

class Table;
class TableHandles;

namespace labels {

// The two labels of a cassette. Face labels are the upper ones on the
// sheets, spine labels the lower ones.
enum class Label
{
    Face,
    Spine
};

// Which labels a sheet print makes, in the order of the drop-down list.
enum class Choice
{
    Both,
    FaceOnly,
    SpineOnly
};

inline constexpr double kSpineWidth = 145, kSpineHeight = 20;
inline constexpr double kFaceWidth = 78, kFaceHeight = 47;
inline constexpr int kFacesPerSheet = 10, kSpinesPerSheet = 13;

// m millimetres in dots of a device of this horizontal resolution, to the
// nearest dot, halves to the even one. The same dots serve vertically.
int dots(double mm, int dpi);

// The highest slot (1 to 5) with a title; 0 when every title is empty.
int topSlot(const CassetteRecord &cassette);
// The tops of the spine label's rows, in mm below the label's top, for a
// cassette whose top slot is k: one row per slot up to k.
std::vector<double> spineRows(int k);

// One label on a sheet: its sheet (page) from 0, its top-left corner in mm
// and the cassette it is for (an index into the job's cassettes).
struct Placement
{
    int sheet = 0;
    Label label = Label::Spine;
    double left = 0;
    double top = 0;
    int cassette = 0;
};

// Both labels of one cassette on one page: the spine at 30/30 mm, the face
// at 61.5/80 mm, the face only when a slot has a title.
std::vector<Placement> singlePlan(const CassetteRecord &cassette);
// The labels of `count` cassettes packed on A4 sheets: all face labels
// first, ten to a sheet in two columns of five, then, on a sheet of their
// own, all spine labels, thirteen to a sheet.
std::vector<Placement> sheetPlan(int count, Choice choice);
// The sheets that sheetPlan fills.
int sheetsNeeded(int count, Choice choice);
// "Potřebujete k vytištění: <sheets> x A4 !"
QString estimateText(int sheets);

// The cassettes of a table in its active order (cislo for the sheet
// screen): their numbers and physical records, read without moving.
struct NumberOrder
{
    QStringList numbers;
    std::vector<int> records;
};
NumberOrder readOrder(const Table &table);

// The cassettes from the first one numbered `first` up to the last one
// numbered `last`, as positions [begin, end) in the order. The walk stops
// at `last` however sparse the numbers are, so no cassette comes twice;
// empty when either number is missing or `last` comes before `first`.
struct Span
{
    int begin = 0;
    int end = 0;
    int count() const { return end - begin; }
};
Span rangeSpan(const QStringList &numbers, const QString &first, const QString &last);

// What a label shows of the current record: the number and, per slot, the
// title, genre, speed and length (no memos are read).
CassetteRecord readLabelFields(const Table &table);
// The same for the given physical records, in their order; the table's
// current record moves.
std::vector<CassetteRecord> readLabelFields(Table &table, const std::vector<int> &records);

// A print job of labels.
struct Job
{
    QString title;
    std::vector<CassetteRecord> cassettes;
    std::vector<Placement> plan;
};
// The job of one cassette: "Tisk etikety - VK číslo <cislo>".
Job singleJob(const CassetteRecord &cassette);
// The sheets of these cassettes: "Video - Tisk nastavených etiket".
Job sheetJob(std::vector<CassetteRecord> cassettes, Choice choice);

// The cassette of a single label: the current one of data.dbf when it has
// this number (the browse screen leaves it there), else the first with it;
// none when the table is closed, the number empty or not found.
std::optional<CassetteRecord> labelCassette(TableHandles &tables, const QString &number);
// The number order the sheet screen offers; empty when data.dbf is closed.
NumberOrder offeredOrder(TableHandles &tables);
// The label fields of the cassettes of this span of the order.
std::vector<CassetteRecord> readSpan(TableHandles &tables, const NumberOrder &order, Span span);

} // namespace labels
} // namespace velmora
