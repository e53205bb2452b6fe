#pragma once

#include <QComboBox>

namespace velmora {

// A drop-down list of the values of one field, used to jump straight to a
// record. Only the user's choices are reported; the screen keeps the list
// in step with the table through follow().
class JumpList : public QComboBox
{
    Q_OBJECT
public:
    explicit JumpList(QWidget *parent = nullptr);

    // Fills the list with these values (a field of every visible record, in
    // the table's order: storage/FieldValues.h) and selects the entry of the
    // current one, none when current is null.
    void fill(const QStringList &values, const QString &current);
    // Selects the entry with this text (none when missing) without
    // reporting a choice.
    void follow(const QString &value);

signals:
    void chosen(const QString &value);
};

} // namespace velmora
