#pragma once

// The grid's model of the catalogue overview: the rows the filter keeps, in
// the order the user sorted them. Narrowing a filter searches only the rows
// still shown.

#include "overview/OverviewQuery.h"

#include <QAbstractTableModel>

namespace velmora {

class OverviewModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    OverviewModel(OverviewKind kind, QObject *parent = nullptr);

    // New rows (a fresh read of the catalogue): the filter and the order
    // stay as they were.
    void setRows(OverviewRows rows);
    void setFilter(const OverviewFilter &filter);
    const OverviewFilter &filter() const { return m_filter; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    int totalRows() const { return m_rows.rowCount(); }
    const OverviewRows &rows() const { return m_rows; }
    // The row of the overview shown at a grid row.
    int rowAt(int shown) const { return m_shown[size_t(shown)]; }

private:
    void applySort();

    OverviewKind m_kind;
    OverviewRows m_rows;
    OverviewFilter m_filter;
    std::vector<int> m_shown;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace velmora
