#include "lending/AwayModel.h"

#include "platform/Colours.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>

namespace velmora {

QVariant unreadableLook(int role)
{
    switch (role) {
    case Qt::ForegroundRole:
        return QColor(128, 64, 0);
    case Qt::BackgroundRole:
        return QColor(255, 240, 170);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return QStringLiteral("Uložené datum zapůjčení nelze přečíst jako datum, proto nelze "
                              "posoudit, zda je zápůjčka v termínu.");
    default:
        return QVariant();
    }
}

AwayModel::AwayModel(ItemKind kind, QObject *parent) : QAbstractTableModel(parent), m_kind(kind) {}

void AwayModel::setItems(const std::vector<AwayItem> *items)
{
    beginResetModel();
    m_items = items;
    endResetModel();
}

void AwayModel::setReminder(bool on)
{
    beginResetModel();
    m_reminder = on;
    endResetModel();
}

const AwayItem *AwayModel::itemAt(int row) const
{
    if (!m_items || row < 0 || row >= int(m_items->size()))
        return nullptr;
    return &(*m_items)[size_t(row)];
}

int AwayModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_items ? 0 : int(m_items->size());
}

int AwayModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 5;
}

QVariant AwayModel::data(const QModelIndex &index, int role) const
{
    const AwayItem *item = itemAt(index.row());
    if (!item)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case 0:
            return item->number;
        case 1:
            return item->loan.borrower;
        case 2:
            return item->sinceText();
        case 3:
            return item->loan.days;
        default:
            return item->note;
        }
    case Qt::ForegroundRole:
        if (item->unreadable())
            return unreadableLook(role);
        // The rows lie on the palette's base colour, so a dark one lightens them.
        return colours::textColour(m_reminder ? QColor(Qt::red) : QColor(Qt::black),
                                   QGuiApplication::palette(), QPalette::Base);
    case Qt::BackgroundRole:
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return item->unreadable() ? unreadableLook(role) : QVariant();
    case Qt::FontRole:
        if (m_reminder) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant AwayModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QVariant();
    const bool cd = m_kind == ItemKind::Cd;
    switch (section) {
    case 0:
        return cd ? QStringLiteral("Číslo CD") : QStringLiteral("Číslo kazety");
    case 1:
        return QStringLiteral("Komu zapůjčeno");
    case 2:
        return QStringLiteral("Zapůjčeno dne");
    case 3:
        return QStringLiteral("Na dnů");
    case 4:
        return cd ? QStringLiteral("Poznámka k hudebnímu CD")
                  : QStringLiteral("Poznámka ke kazetě");
    default:
        return QVariant();
    }
}

} // namespace velmora
