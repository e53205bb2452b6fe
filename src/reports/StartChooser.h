#pragma once

// What the two choosers of a list's first item share, StartChooser.

#include "platform/ScreenDialog.h"

#include <QStringList>

class QComboBox;
class QPushButton;

namespace velmora {

class Session;

// Chooses the item (a cassette or a CD title) from which a list starts, as
// often as the user likes: the numbers of Vybrano, none chosen until the
// user picks one; BitBtn1 opens the list from the chosen number, BitBtn2
// closes the window.
class StartChooser : public ScreenDialog
{
    Q_OBJECT
public:
    QComboBox *numbers() const { return m_numbers; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *closeButton() const { return m_close; }
    // The number the open list starts from; empty when none is open.
    QString chosen() const { return m_chosen; }

public slots:
    void printFromChosen();

protected:
    struct Texts
    {
        QString objectName;
        QString caption;
        QString numbersCaption;
        QString print;
    };
    StartChooser(Session &session, const Texts &texts, QWidget *parent);

    Session &session() const { return m_session; }
    void FormShow() override;
    // The numbers offered, in their order.
    virtual QStringList offered() = 0;
    // Shows the list from the number chosen until the user closes it.
    virtual void showListFrom(const QString &number) = 0;

private:
    Session &m_session;
    QString m_chosen;
    QComboBox *m_numbers = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace velmora
