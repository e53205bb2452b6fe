#include "platform/JumpList.h"

#include <QListView>
#include <QSignalBlocker>

namespace velmora {

JumpList::JumpList(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    // A catalogue may hold tens of thousands of entries: the widths of all
    // of them are not measured, and the popup takes every row as one size.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(8);
    setMaxVisibleItems(16);
    if (auto *list = qobject_cast<QListView *>(view()))
        list->setUniformItemSizes(true);
    connect(this, &QComboBox::activated, this, [this](int index) { emit chosen(itemText(index)); });
}

void JumpList::fill(const QStringList &values, const QString &current)
{
    {
        const QSignalBlocker quiet(this);
        clear();
        addItems(values);
    }
    follow(current);
}

void JumpList::follow(const QString &value)
{
    setCurrentIndex(value.isNull() ? -1
                                   : findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

} // namespace velmora
