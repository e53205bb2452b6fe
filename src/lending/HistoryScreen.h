#pragma once

// The loan histories: TSledovani_kazety and TSledovani_podle_osoby (cassettes),
// TSledovani_CD and TSledovani_CD2 (CDs).

#include "lending/KindScreen.h"
#include "loans/LoanHistory.h"
#include "writer/ReportText.h"

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QStringListModel;

namespace velmora {

class ReportPane;
class TFilmy;
class TFilmy2;

// The loan history of an item or of a person, read from a copy of the
// archive taken when the screen opens. The opener has the archive open.
class HistoryScreen : public KindScreen
{
    Q_OBJECT
public:
    // What tells the four histories apart (the table in HistoryScreen.cpp).
    struct Design;

    bool byPerson() const { return m_byPerson; }
    const std::vector<ArchiveRow> &archive() const { return m_rows; }
    // The key whose history the pane shows.
    QString chosen() const { return m_chosen; }

    QComboBox *choiceBox() const { return m_choice; }
    ReportPane *pane() const { return m_pane; }
    QLabel *countLabel() const { return m_count; }             // cassettes by number
    QLabel *titleLabel() const { return m_title; }             // CDs by number
    QCheckBox *companionBox() const { return m_companionBox; } // cassette screens
    TFilmy *filmsWindow() const { return m_films; }            // cassettes by number
    TFilmy2 *personFilms() const { return m_personFilms; }     // cassettes by person
    QPushButton *printButton() const { return m_print; }
    QPushButton *pdfButton() const { return m_pdf; }

    report::Mode mode() const;

public slots:
    // A choice in the drop-down; also run once at opening.
    void choose(const QString &key);
    void print();

protected:
    HistoryScreen(const Design &design, Session &session, QWidget *parent);
    void FormShow() override;
    void FormClose() override;

private:
    void companionClicked();
    // The films of the cassettes, for as long as the screen is open.
    CassetteFilms &cassettes();

    const Design &m_design;
    bool m_byPerson;
    std::vector<ArchiveRow> m_rows;
    std::optional<CassetteFilms> m_cassettes;
    QString m_chosen;

    QComboBox *m_choice = nullptr;
    QStringListModel *m_keys = nullptr;
    QLabel *m_count = nullptr;
    QLabel *m_title = nullptr;
    ReportPane *m_pane = nullptr;
    QCheckBox *m_companionBox = nullptr;
    TFilmy *m_films = nullptr;
    TFilmy2 *m_personFilms = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_pdf = nullptr;
};

class TSledovani_kazety : public HistoryScreen
{
    Q_OBJECT
public:
    explicit TSledovani_kazety(Session &session, QWidget *parent = nullptr);
};

class TSledovani_podle_osoby : public HistoryScreen
{
    Q_OBJECT
public:
    explicit TSledovani_podle_osoby(Session &session, QWidget *parent = nullptr);
};

class TSledovani_CD : public HistoryScreen
{
    Q_OBJECT
public:
    explicit TSledovani_CD(Session &session, QWidget *parent = nullptr);
};

class TSledovani_CD2 : public HistoryScreen
{
    Q_OBJECT
public:
    explicit TSledovani_CD2(Session &session, QWidget *parent = nullptr);
};

} // namespace velmora
