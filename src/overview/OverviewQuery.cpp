#include "overview/OverviewQuery.h"

#include "engine/Collation.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <climits>
#include <numeric>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>

namespace velmora {
namespace {

using FoldTable = std::array<char16_t, 65536>;

struct FoldTables
{
    FoldTable lower;
    FoldTable bare; // small and without diacritics
};

// Built once: folding a code unit is then one look-up, which keeps a
// filter over half a million rows quick.
const FoldTables &folds()
{
    static const FoldTables tables = [] {
        FoldTables t;
        for (int c = 0; c < 65536; ++c) {
            const QChar ch{char16_t(c)};
            t.lower[size_t(c)] = ch.toLower().unicode();
            QChar base = ch;
            if (ch.decompositionTag() == QChar::Canonical) {
                const QString parts = ch.decomposition();
                if (!parts.isEmpty())
                    base = parts.at(0);
            }
            t.bare[size_t(c)] = base.toLower().unicode();
        }
        return t;
    }();
    return tables;
}

const FoldTable &foldOf(bool ignoreAccents)
{
    return ignoreAccents ? folds().bare : folds().lower;
}

// The folded code unit of the UTF-8 character at p, and its length. The
// tables hold single-byte code pages only, so nothing stored lies outside
// the basic plane; such a character would match nothing.
inline char16_t foldedAt(const uint8_t *p, const uint8_t *end, const FoldTable &fold, int &length)
{
    const uint8_t b = *p;
    if (b < 0x80) {
        length = 1;
        return fold[b];
    }
    if (b < 0xe0 && end - p >= 2) {
        length = 2;
        return fold[((b & 0x1f) << 6) | (p[1] & 0x3f)];
    }
    if (b < 0xf0 && end - p >= 3) {
        length = 3;
        return fold[((b & 0x0f) << 12) | ((p[1] & 0x3f) << 6) | (p[2] & 0x3f)];
    }
    length = int(std::min<std::ptrdiff_t>(4, end - p));
    return 0xffff;
}

bool containsFolded(QByteArrayView hay, QStringView needle, const FoldTable &fold)
{
    const qsizetype n = needle.size();
    if (n == 0)
        return true;
    const char16_t *nd = needle.utf16();
    const auto *h = reinterpret_cast<const uint8_t *>(hay.data());
    const uint8_t *const end = h + hay.size();
    for (const uint8_t *at = h; at < end;) {
        int length = 1;
        if (foldedAt(at, end, fold, length) == nd[0]) {
            qsizetype j = 1;
            const uint8_t *next = at + length;
            int step = 1;
            while (j < n && next < end && foldedAt(next, end, fold, step) == nd[j]) {
                ++j;
                next += step;
            }
            if (j == n)
                return true;
        }
        at += length;
    }
    return false;
}

constexpr QByteArrayView kAtHome("doma");

// The value a number, length or date cell sorts by; INT_MIN for an empty
// cell or one that does not read, so they come first.
long long valueOf(QStringView cell, ColumnOrder order)
{
    const QStringView t = cell.trimmed();
    if (t.isEmpty())
        return LLONG_MIN;
    bool ok = false;
    switch (order) {
    case ColumnOrder::Length:
        if (const qsizetype colon = t.indexOf(u':'); colon >= 0) {
            bool okSeconds = false;
            const long long m = t.left(colon).toLongLong(&ok);
            const long long s = t.mid(colon + 1).toLongLong(&okSeconds);
            return ok && okSeconds ? m * 60 + (m < 0 ? -s : s) : LLONG_MIN;
        }
        [[fallthrough]];
    case ColumnOrder::Number: {
        const long long v = t.toLongLong(&ok);
        return ok ? (order == ColumnOrder::Length ? v * 60 : v) : LLONG_MIN;
    }
    case ColumnOrder::Date: {
        if (t.size() != 10 || t[2] != u'.' || t[5] != u'.')
            return LLONG_MIN;
        bool okDay = false, okMonth = false, okYear = false;
        const int day = t.mid(0, 2).toInt(&okDay);
        const int month = t.mid(3, 2).toInt(&okMonth);
        const int year = t.mid(6, 4).toInt(&okYear);
        return okDay && okMonth && okYear ? year * 10000LL + month * 100 + day : LLONG_MIN;
    }
    case ColumnOrder::Text:
        break;
    }
    return LLONG_MIN;
}

template <typename Key>
void sortByKeys(std::vector<std::pair<Key, int>> &keyed, bool ascending, std::vector<int> &indexes)
{
    if (ascending)
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
    else
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto &a, const auto &b) { return b.first < a.first; });
    for (size_t i = 0; i < keyed.size(); ++i)
        indexes[i] = keyed[i].second;
}

// Below this many rows a second thread costs more than it saves.
constexpr size_t kThreadedFrom = 50000;

// Runs first() and second() together, second on a thread of its own; both
// here when no thread can be started.
template <typename First, typename Second> void together(const First &first, const Second &second)
{
    std::thread other;
    try {
        other = std::thread(second);
    } catch (const std::system_error &) {
        second();
    }
    first();
    if (other.joinable())
        other.join();
}

// Runs work(from, to) over [0, n), in two halves together when n is large.
template <typename Work> void inTwoHalves(size_t n, const Work &work)
{
    if (n < kThreadedFrom) {
        work(size_t(0), n);
        return;
    }
    const size_t half = n / 2;
    together([&] { work(size_t(0), half); }, [&] { work(half, n); });
}

struct TextKey
{
    std::string_view key;
    size_t position; // in the order before the sort: ties keep it
};

// Texts in Czech order. The keys of half a million cells go into two
// buffers instead of a string each, and the halves sort on two threads
// and merge; ties decided by the earlier position make the result that
// of a stable sort.
void sortByText(const OverviewRows &rows, int column, bool ascending, std::vector<int> &indexes)
{
    const size_t n = indexes.size();
    std::vector<TextKey> keys(n);
    std::string buffers[2];
    inTwoHalves(n, [&](size_t from, size_t to) {
        std::string &buffer = buffers[from == 0 ? 0 : 1];
        std::vector<size_t> ends;
        ends.reserve(to - from);
        buffer.reserve((to - from) * 64);
        QString cell;
        for (size_t i = from; i < to; ++i) {
            decodeCell(rows.cellBytes(indexes[i], column), cell);
            appendCzechSortKey(cell, buffer);
            ends.push_back(buffer.size());
        }
        size_t start = 0;
        for (size_t i = from; i < to; ++i) {
            const size_t end = ends[i - from];
            keys[i] = {std::string_view(buffer).substr(start, end - start), i};
            start = end;
        }
    });
    const auto before = [ascending](const TextKey &a, const TextKey &b) {
        const int c = a.key.compare(b.key);
        if (c != 0)
            return ascending ? c < 0 : c > 0;
        return a.position < b.position;
    };
    if (n < kThreadedFrom) {
        std::sort(keys.begin(), keys.end(), before);
    } else {
        const auto middle = keys.begin() + std::ptrdiff_t(n / 2);
        together([&] { std::sort(keys.begin(), middle, before); },
                 [&] { std::sort(middle, keys.end(), before); });
        std::inplace_merge(keys.begin(), middle, keys.end(), before);
    }
    std::vector<int> sorted(n);
    for (size_t i = 0; i < n; ++i)
        sorted[i] = indexes[keys[i].position];
    indexes.swap(sorted);
}

} // namespace

QString foldForFilter(QStringView text, bool ignoreAccents)
{
    const FoldTable &fold = foldOf(ignoreAccents);
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        if (c.unicode() != OverviewRows::kSeparator)
            out.append(QChar(fold[c.unicode()]));
    return out;
}

bool OverviewFilter::narrows(const OverviewFilter &wider) const
{
    if (ignoreAccents != wider.ignoreAccents || (wider.lentOnly && !lentOnly))
        return false;
    return foldForFilter(text, ignoreAccents).contains(foldForFilter(wider.text, ignoreAccents));
}

std::vector<int> filterRows(const OverviewRows &rows, int stateColumn, const OverviewFilter &filter,
                            const std::vector<int> &among)
{
    const FoldTable &fold = foldOf(filter.ignoreAccents);
    const QString needle = foldForFilter(filter.text, filter.ignoreAccents);
    if (needle.isEmpty() && !filter.lentOnly)
        return among; // an empty filter keeps every row, as the window opens
    std::vector<int> kept;
    kept.reserve(among.size());
    for (const int row : among) {
        if (filter.lentOnly && rows.cellBytes(row, stateColumn) == kAtHome)
            continue;
        if (containsFolded(rows.rowBytes(row), needle, fold))
            kept.push_back(row);
    }
    return kept;
}

std::vector<int> allRows(const OverviewRows &rows)
{
    std::vector<int> all(size_t(rows.rowCount()));
    std::iota(all.begin(), all.end(), 0);
    return all;
}

void sortRows(const OverviewRows &rows, int column, ColumnOrder order, bool ascending,
              std::vector<int> &indexes)
{
    if (order == ColumnOrder::Text) {
        sortByText(rows, column, ascending, indexes);
        return;
    }
    std::vector<std::pair<long long, int>> keyed;
    keyed.reserve(indexes.size());
    QString cell;
    for (const int row : indexes) {
        decodeCell(rows.cellBytes(row, column), cell);
        keyed.emplace_back(valueOf(cell, order), row);
    }
    sortByKeys(keyed, ascending, indexes);
}

} // namespace velmora
