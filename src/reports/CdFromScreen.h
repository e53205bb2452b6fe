#pragma once

// The CD list from a chosen title, TTisk_04, and its chooser TVyber_TiskCD.

#include "platform/ScreenDialog.h"
#include "reports/CdListScreen.h"

class QComboBox;
class QPushButton;

namespace velmora {

class Session;

// The list of the titles from a chosen one to the last. Every build reads
// cd02.dbf afresh and closes it again.
class TTisk_04 : public CdTitleListScreen
{
    Q_OBJECT
public:
    TTisk_04(Session &session, const QString &number, QWidget *parent = nullptr);

    QString number() const { return m_number; }

protected:
    void FormShow() override;
    void build() override;
    void changeEvent(QEvent *event) override;

private:
    QString m_number;
};

// Chooses the title the list starts at: the numbers of every title, none
// chosen until the user picks one.
class TVyber_TiskCD : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TVyber_TiskCD(Session &session, QWidget *parent = nullptr);

    QComboBox *numbers() const { return m_numbers; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *closeButton() const { return m_close; }

protected:
    void FormShow() override;

private:
    void printFromChosen();

    Session &m_session;
    QComboBox *m_numbers = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace velmora
