#pragma once

#include "loans/LoanBook.h"

#include <QAbstractTableModel>
#include <vector>

namespace velmora {

// How a row whose loan start cannot be read stands out in the lists of lent
// items, beside the mark in its text: dark brown on light yellow, with a
// tip saying why. An empty value for the roles it leaves alone.
QVariant unreadableLook(int role);

// The grid of the items-away screens over a list of lent items: the number,
// the loan and the note, in bold red while the screen reminds.
class AwayModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    AwayModel(ItemKind kind, QObject *parent = nullptr);

    void setItems(const std::vector<AwayItem> *items);
    void setReminder(bool on);
    bool reminder() const { return m_reminder; }
    const AwayItem *itemAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    ItemKind m_kind;
    const std::vector<AwayItem> *m_items = nullptr;
    bool m_reminder = false;
};

} // namespace velmora
