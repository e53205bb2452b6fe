#include "cds/TrackModel.h"

#include "catalogue/CdRules.h"

#include <QComboBox>
#include <QLineEdit>

namespace velmora {

TrackModel::TrackModel(TrackWork &work, QObject *parent) : QAbstractTableModel(parent), m_work(work)
{
}

int TrackModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TrackModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

int TrackModel::maxLength(int column)
{
    switch (column) {
    case Title:
        return 50;
    case Length:
        return 5;
    case Artist:
        return 30;
    case Style:
        return 15;
    default:
        return 0;
    }
}

QVariant TrackModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const WorkTrack &r = m_work.row(m_rows[size_t(index.row())]);
    switch (index.column()) {
    case Number:
        return r.number;
    case Title:
        return r.title;
    case Length:
        return r.length;
    case Artist:
        return r.artist;
    case Style:
        return r.style;
    default:
        return {};
    }
}

bool TrackModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    WorkTrack &r = m_work.row(m_rows[size_t(index.row())]);
    QString text = value.toString().left(maxLength(index.column()));
    // "3:25" and "0325" are kept as "03:25", the form the total and the
    // save read; anything else stays as given for the save to refuse.
    if (index.column() == Length)
        text = typedLength(text).value_or(text);
    QString *cell = nullptr;
    switch (index.column()) {
    case Title:
        cell = &r.title;
        break;
    case Length:
        cell = &r.length;
        break;
    case Artist:
        cell = &r.artist;
        break;
    case Style:
        cell = &r.style;
        break;
    default:
        return false;
    }
    if (*cell == text)
        return true;
    *cell = text;
    emit dataChanged(index, index);
    emit edited();
    return true;
}

Qt::ItemFlags TrackModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int c = index.column();
    if (c == Title || c == Length || (c == Artist && !m_artistLocked) ||
        (c == Style && !m_styleLocked))
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant TrackModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[] = {
        "Číslo:", "Název skladby:", "Délka:", "Nazpíval(a):", "Styl skladby:"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

void TrackModel::showDisc(const QString &label)
{
    m_label = label;
    refresh();
}

void TrackModel::refresh()
{
    beginResetModel();
    m_rows = m_work.discRows(m_label);
    endResetModel();
}

int TrackModel::workRow(int row) const
{
    return row >= 0 && size_t(row) < m_rows.size() ? m_rows[size_t(row)] : -1;
}

void TrackModel::setArtistLocked(bool on)
{
    m_artistLocked = on;
    if (!m_rows.empty())
        emit dataChanged(index(0, Artist), index(rowCount() - 1, Artist));
}

void TrackModel::setStyleLocked(bool on)
{
    m_styleLocked = on;
    if (!m_rows.empty())
        emit dataChanged(index(0, Style), index(rowCount() - 1, Style));
}

QWidget *TrackDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    if (index.column() == TrackModel::Style) {
        auto *box = new QComboBox(parent);
        box->addItems(m_styles);
        box->setEditable(true);
        box->lineEdit()->setMaxLength(TrackModel::maxLength(TrackModel::Style));
        return box;
    }
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setMaxLength(TrackModel::maxLength(index.column()));
    return editor;
}

void TrackDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        box->setCurrentText(index.data(Qt::EditRole).toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void TrackDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                 const QModelIndex &index) const
{
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, box->currentText(), Qt::EditRole);
        return;
    }
    if (auto *line = qobject_cast<QLineEdit *>(editor);
        line && index.column() == TrackModel::Length) {
        const std::optional<QString> length = typedLength(line->text());
        if (!length) {
            emit lengthRefused(index.row(), line->text());
            return;
        }
        model->setData(index, *length, Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace velmora
