#include "platform/TableModel.h"

// The grid model is a view over a table: it reads the rows the grid paints
// and moves the table with the current row, so it works on the table itself.
#include "engine/Table.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace velmora {

Table *TableModel::table() const
{
    return m_table;
}

TableModel::TableModel(Table *table, QList<Column> columns, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_columns(std::move(columns)),
      m_allFields(m_columns.isEmpty())
{
    connect(table, &Table::dataChanged, this, &TableModel::refresh);
    connect(table, &Table::stateChanged, this, &TableModel::refresh);
    connect(table, &Table::currentChanged, this, &TableModel::onCurrentChanged);
    refresh();
}

QString TableModel::orderSignature() const
{
    if (!m_table || !m_table->isOpen())
        return QString();
    return m_table->index() + QLatin1Char('|') +
           (m_table->filtered() ? m_table->filter() : QString());
}

void TableModel::refresh()
{
    beginResetModel();
    const bool open = m_table && m_table->isOpen();
    if (m_allFields) {
        // Without chosen columns the grid shows every field of the open file.
        m_columns.clear();
        for (int i = 0; open && i < m_table->fieldCount(); ++i)
            m_columns.append({m_table->fieldName(i), m_table->fieldName(i)});
    }
    m_rows = open ? m_table->visibleRecords() : std::vector<int>();
    m_signature = orderSignature();
    endResetModel();
    emit currentRowChanged(currentRow());
}

void TableModel::onCurrentChanged()
{
    if (orderSignature() != m_signature)
        refresh();
    else
        emit currentRowChanged(currentRow());
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_table || !m_table->isOpen() || role != Qt::DisplayRole)
        return QVariant();
    const int rec = recordAt(index.row());
    if (rec < 0 || index.column() >= m_columns.size())
        return QVariant();
    const int field = m_table->fieldIndex(m_columns.at(index.column()).field);
    if (field < 0)
        return QVariant(); // painting must not throw
    return m_table->asStringAt(rec, field);
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal && section >= 0 && section < m_columns.size())
        return m_columns.at(section).title;
    return QVariant();
}

int TableModel::recordAt(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)] : -1;
}

int TableModel::currentRow() const
{
    if (!m_table || !m_table->isOpen())
        return -1;
    const int rec = m_table->recordNumber();
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i] == rec)
            return int(i);
    return -1;
}

void TableModel::setCurrentRow(int row)
{
    const int rec = recordAt(row);
    if (rec >= 0 && m_table && rec != m_table->recordNumber())
        m_table->moveToRecord(rec);
}

void TableModel::bind(QAbstractItemView *view, TableModel *model)
{
    view->setModel(model);
    auto sync = [view, model](int row) {
        if (row < 0)
            return;
        const QModelIndex idx = model->index(row, qMax(0, view->currentIndex().column()));
        if (view->currentIndex().row() != row)
            view->setCurrentIndex(idx);
    };
    QObject::connect(model, &TableModel::currentRowChanged, view, sync);
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentChanged, model,
                     [model](const QModelIndex &current) {
                         if (current.isValid())
                             model->setCurrentRow(current.row());
                     });
    sync(model->currentRow());
}

} // namespace velmora
