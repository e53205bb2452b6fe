#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

class QAbstractItemView;

namespace velmora {

class Table;

// A grid's view of a table: its records in the active order and filter,
// one column per chosen field, with the table's current record as the
// current row. Moving the current row moves the table.
class TableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString field;
        QString title;
    };

    explicit TableModel(Table *table, QList<Column> columns = {}, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    Table *table() const;
    int currentRow() const;
    void setCurrentRow(int row);
    int recordAt(int row) const;
    // Re-reads the records (the table signals its own changes).
    void refresh();

    // Keeps a view's current row and the table's current record together.
    static void bind(QAbstractItemView *view, TableModel *model);

signals:
    void currentRowChanged(int row);

private:
    void onCurrentChanged();
    QString orderSignature() const;
    QPointer<Table> m_table;
    QList<Column> m_columns;
    bool m_allFields = false;
    std::vector<int> m_rows;
    QString m_signature;
};

} // namespace velmora
