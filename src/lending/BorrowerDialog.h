#pragma once

// The borrower dialogs TKomu_pujcit (cassettes) and TKomu_pujcitCD (CDs).

#include "platform/ScreenDialog.h"

#include <QDate>

class QComboBox;
class QLabel;
class QPushButton;

namespace velmora {

class DateBox;
class Table;

// The borrower dialog of a loan: to whom, from when and for how many days.
// A lending screen keeps one for its whole visit, so the name confirmed
// last is offered again for the next loan.
class TKomu_pujcit : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TKomu_pujcit(QWidget *parent = nullptr);

    // The archive whose borrowers the name list offers; read at every opening.
    void setArchivePath(const QString &path) { m_archive = path; }

    QString name() const;
    QDate from() const;
    int days() const;

    QComboBox *nameBox() const { return m_name; }
    DateBox *dateBox() const { return m_date; }
    QComboBox *daysBox() const { return m_days; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *closeButton() const { return m_close; }

    static QStringList dayChoices(); // "01" to "14", "21", "28"

    // Asks for the loan and lends the current item of `items` when a name
    // is confirmed; the user is told `toldBeforeName` with the borrower's
    // name, or why nothing was written.
    void askAndLend(Table &items, const QString &toldBeforeName);

protected:
    // Subclasses word the name's caption for what they lend.
    TKomu_pujcit(const QString &caption, const QString &nameCaption, QWidget *parent);
    void FormShow() override;

private:
    void build(const QString &caption, const QString &nameCaption);
    void retest();
    void save();
    void cancel();

    QString m_archive;
    QComboBox *m_name = nullptr;
    DateBox *m_date = nullptr;
    QComboBox *m_days = nullptr;
    QLabel *m_dateHint = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_close = nullptr;
};

// The same dialog for a music CD title.
class TKomu_pujcitCD : public TKomu_pujcit
{
    Q_OBJECT
public:
    explicit TKomu_pujcitCD(QWidget *parent = nullptr);
};

} // namespace velmora
