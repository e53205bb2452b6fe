// The overview's row store and its sort at the size of a real catalogue:
// cells holding the separator, short rows, and a sort over more rows than
// one thread takes, checked against Czech order and against the order the
// rows had before it (ties keep it).

#include "engine/Collation.h"
#include "overview/OverviewQuery.h"
#include "overview/OverviewRows.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(OverviewRowsStore, ASeparatorInACellReadsAsASpaceAndMissingCellsAsEmpty)
{
    OverviewRows rows(4);
    rows.append({QStringLiteral("a\x1f"
                                "b"),
                 QStringLiteral("\x1f"), QString(), QStringLiteral("Šakalí léta")},
                7);
    rows.append({QStringLiteral("jen jedna")}, 9);
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.cell(0, 0), QStringLiteral("a b"));
    EXPECT_EQ(rows.cell(0, 1), QStringLiteral(" "));
    EXPECT_EQ(rows.cell(0, 2), QString());
    EXPECT_EQ(rows.cell(0, 3), QStringLiteral("Šakalí léta"));
    EXPECT_EQ(rows.cell(1, 0), QStringLiteral("jen jedna"));
    EXPECT_EQ(rows.cell(1, 3), QString());
    EXPECT_EQ(rows.record(0), 7);
    EXPECT_EQ(rows.record(1), 9);
    // "a b", " ", "Šakalí léta" (three letters of two bytes), "jen jedna":
    // the separators aside.
    EXPECT_EQ(rows.textBytes(), 3 + 1 + 14 + 9);
}

TEST(OverviewRowsStore, EveryCharacterReadsBackAsWrittenAndTheFilterFindsIt)
{
    // One byte, two, three (the euro sign of cp1250), a pair of surrogates,
    // and a lone surrogate, which reads as the replacement character.
    const QString pair = QString::fromUcs4(U"\U0001F3B5");
    OverviewRows rows(3);
    rows.append({QStringLiteral("Ať žije €uro"), pair + QStringLiteral("hudba"),
                 QString(QChar(0xd800)) + QStringLiteral("x")},
                1);
    rows.append({QStringLiteral("Kůň"), QStringLiteral("ŘEKA"), QStringLiteral("z")}, 2);
    EXPECT_EQ(rows.cell(0, 0), QStringLiteral("Ať žije €uro"));
    EXPECT_EQ(rows.cell(0, 1), pair + QStringLiteral("hudba"));
    EXPECT_EQ(rows.cell(0, 2), QString(QChar(0xfffd)) + QStringLiteral("x"));
    EXPECT_EQ(rows.cell(1, 1), QStringLiteral("ŘEKA"));

    const auto kept = [&](const QString &text, bool ignoreAccents) {
        return filterRows(rows, 2, {text, ignoreAccents, false}, allRows(rows));
    };
    EXPECT_EQ(kept(QStringLiteral("€U"), false), std::vector<int>{0});
    EXPECT_EQ(kept(QStringLiteral("zije"), true), std::vector<int>{0});
    EXPECT_TRUE(kept(QStringLiteral("zije"), false).empty());
    EXPECT_EQ(kept(QStringLiteral("řeka"), false), std::vector<int>{1});
    EXPECT_EQ(kept(QStringLiteral("kun"), true), std::vector<int>{1});
    EXPECT_EQ(kept(QStringLiteral("hudba"), true), std::vector<int>{0});
    // The end of one cell and the start of the next are no hit.
    EXPECT_TRUE(kept(QStringLiteral("ňř"), false).empty());
}

class LargeSort : public ::testing::TestWithParam<bool>
{
};

TEST_P(LargeSort, MoreRowsThanOneThreadSortsComeInCzechOrderWithTiesInTheirFormerOrder)
{
    const bool ascending = GetParam();
    const QStringList words{QStringLiteral("Zámek"), QStringLiteral("Čáp"),
                            QStringLiteral("Cyril"), QStringLiteral("Chata"),
                            QStringLiteral("Hůl"),   QStringLiteral("Šakal"),
                            QStringLiteral("Sova"),  QStringLiteral("apokalypsa"),
                            QStringLiteral("Ábel"),  QStringLiteral("zámek")};
    OverviewRows rows(2);
    // More rows than one thread sorts, with many equal titles.
    const int count = 120000;
    quint32 seed = 12345;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        const QString title =
            words[int((seed >> 16) % quint32(words.size()))] + QString::number((seed >> 8) % 7);
        rows.append({QString::number(i), title}, i);
    }
    // A former order that is not the stored one: the rows from the end.
    std::vector<int> order = allRows(rows);
    std::reverse(order.begin(), order.end());
    std::vector<int> formerPosition(order.size());
    for (size_t p = 0; p < order.size(); ++p)
        formerPosition[size_t(order[p])] = int(p);

    sortRows(rows, 1, ColumnOrder::Text, ascending, order);

    ASSERT_EQ(order.size(), size_t(count));
    std::vector<bool> seen(order.size());
    for (const int r : order) {
        ASSERT_FALSE(seen[size_t(r)]) << "row " << r << " twice";
        seen[size_t(r)] = true;
    }
    int misplaced = 0, tiesOutOfOrder = 0;
    for (size_t i = 1; i < order.size(); ++i) {
        const int c = czechCompare(rows.cell(order[i - 1], 1), rows.cell(order[i], 1));
        if (ascending ? c > 0 : c < 0)
            ++misplaced;
        if (c == 0 && formerPosition[size_t(order[i - 1])] > formerPosition[size_t(order[i])])
            ++tiesOutOfOrder;
    }
    EXPECT_EQ(misplaced, 0);
    EXPECT_EQ(tiesOutOfOrder, 0);
    // Small letters before capitals, so capital Z ends the order.
    EXPECT_TRUE(rows.cell(order.front(), 1).startsWith(ascending ? u"Ábel" : u"Zámek6"));
}

INSTANTIATE_TEST_SUITE_P(BothWays, LargeSort, ::testing::Bool());

} // namespace
} // namespace velmora
