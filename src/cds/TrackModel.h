#pragma once

#include "catalogue/TrackWork.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QStyledItemDelegate>

namespace velmora {

// The track grid's view of the work table: the rows of one disc in track
// order. Titles, lengths, artists and styles are edited in place; the
// artist and style columns are read-only while the title-wide value fills
// them.
class TrackModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Number,
        Title,
        Length,
        Artist,
        Style,
        ColumnCount
    };

    explicit TrackModel(TrackWork &work, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The disc shown; call after every change of the work table.
    void showDisc(const QString &label);
    void refresh();
    const QString &label() const { return m_label; }
    // Index into the work table of a grid row; -1 when none.
    int workRow(int row) const;

    void setArtistLocked(bool on);
    void setStyleLocked(bool on);
    bool artistLocked() const { return m_artistLocked; }
    bool styleLocked() const { return m_styleLocked; }

    static int maxLength(int column);

signals:
    // The user changed a cell.
    void edited();

private:
    TrackWork &m_work;
    QString m_label;
    std::vector<int> m_rows;
    bool m_artistLocked = false;
    bool m_styleLocked = false;
};

// Editors of the grid: line boxes that take no more than the field holds,
// and the styles as a drop-down in the style column. A typed length is
// written in its two-digit form or refused when the cell is left.
class TrackDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void setStyles(const QStringList &styles) { m_styles = styles; }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

signals:
    // A length typed into the grid that is none; the cell keeps its value.
    void lengthRefused(int row, const QString &typed) const;

private:
    QStringList m_styles;
};

} // namespace velmora
