#pragma once

#include <QComboBox>

namespace velmora {

class Table;

// A drop-down list of the values of one field, used to jump straight to a
// record. Only the user's choices are reported; the screen keeps the list
// in step with the table through follow().
class JumpList : public QComboBox
{
    Q_OBJECT
public:
    explicit JumpList(QWidget *parent = nullptr);

    // Fills the list with the field's value of every visible record, from
    // the first in the table's current order. The table does not move; the
    // entry of its current record is selected.
    void fill(Table &table, const QString &field);
    // Selects the entry with this text (none when missing) without
    // reporting a choice.
    void follow(const QString &value);

signals:
    void chosen(const QString &value);
};

} // namespace velmora
