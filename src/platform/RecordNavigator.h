#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QToolButton;

namespace velmora {

class Table;

// The record navigator of the browsing screens: first, previous, next and
// last over one table. The buttons follow the table wherever it is moved,
// so the ones that lead past an end are disabled. A screen may hand its
// mouse wheel to the navigator as well.
class RecordNavigator : public QWidget
{
    Q_OBJECT
public:
    enum Button
    {
        First,
        Prior,
        Next,
        Last
    };

    explicit RecordNavigator(QWidget *parent = nullptr);
    ~RecordNavigator() override;

    void setTable(Table *table);
    Table *table() const;

    // Tooltips of the four buttons in their order; they also name the
    // buttons for screen readers.
    void setHints(const QStringList &four);
    QStringList hints() const { return m_hints; }

    QToolButton *button(Button b) const { return m_buttons[b]; }

    // The wheel over this screen or any of its children moves the table:
    // towards the user the next record, away from the user the previous
    // one. Nothing happens while the navigator is disabled.
    void installWheelOn(QWidget *screen);

    // Sets the buttons after the table moved or changed.
    void refresh();

    // Moves as the button would; returns whether the current record changed.
    bool move(Button b);

signals:
    // The table was moved by a button or the wheel.
    void moved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void clicked(Button b);
    void tableChanged();
    void updateEnds();

    QPointer<Table> m_table;
    QPointer<QWidget> m_wheelScreen;
    QToolButton *m_buttons[4] = {};
    QStringList m_hints;
    QList<QMetaObject::Connection> m_connections;
    // The ends of the visible order, kept until the records, the order or
    // the filter change, so following a walk costs nothing per record.
    bool m_endsValid = false;
    int m_firstRec = -1;
    int m_lastRec = -1;
    QString m_endsIndex;
    QString m_endsFilter;
    bool m_endsFiltered = false;
    bool m_endsCaseInsensitive = false;
};

} // namespace velmora
