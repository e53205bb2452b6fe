#include "browsing/OverviewModel.h"

namespace velmora {

OverviewModel::OverviewModel(OverviewKind kind, QObject *parent)
    : QAbstractTableModel(parent), m_kind(kind), m_rows(int(overviewColumns(kind).size()))
{
}

void OverviewModel::setRows(OverviewRows rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_shown = filterRows(m_rows, stateColumn(m_kind), m_filter, allRows(m_rows));
    applySort();
    endResetModel();
}

void OverviewModel::setFilter(const OverviewFilter &filter)
{
    const bool narrower = filter.narrows(m_filter);
    beginResetModel();
    // The rows shown keep their order, so a narrower filter needs no sort.
    m_shown = filterRows(m_rows, stateColumn(m_kind), filter, narrower ? m_shown : allRows(m_rows));
    m_filter = filter;
    if (!narrower)
        applySort();
    endResetModel();
}

int OverviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int OverviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.columnCount();
}

QVariant OverviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_shown.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_rows.cell(m_shown[size_t(index.row())], index.column());
    if (role == Qt::TextAlignmentRole &&
        overviewColumns(m_kind).at(index.column()).order != ColumnOrder::Text)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant OverviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_rows.columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return overviewColumns(m_kind).at(section).title;
    return {};
}

void OverviewModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_rows.columnCount())
        return;
    // A reset, not a layout change: the selection of rows that moved would
    // otherwise point at other items.
    beginResetModel();
    m_sortColumn = column;
    m_sortOrder = order;
    applySort();
    endResetModel();
}

void OverviewModel::applySort()
{
    if (m_sortColumn < 0) {
        // Unsorted: the stored order, which filtering keeps.
        return;
    }
    sortRows(m_rows, m_sortColumn, overviewColumns(m_kind).at(m_sortColumn).order,
             m_sortOrder == Qt::AscendingOrder, m_shown);
}

} // namespace velmora
