#pragma once

#include "printing/ReportText.h"
#include "search/FilmSearch.h"

#include <QDialog>
#include <QIcon>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora {

class ReportPane;
class Session;

// The film search: finds recordings by a piece of their title, narrowed by
// genre and speed, over a result table built from data.dbf at each opening.
// The main window opens data.dbf with the index cislo before and closes it
// after; the screen leaves the table open.
class THledej_film : public QDialog
{
    Q_OBJECT
public:
    explicit THledej_film(Session &session, QWidget *parent = nullptr);
    ~THledej_film() override;

    Session &session() const { return m_session; }
    report::Mode mode() const;

    // The result table of this opening, one row per film in result order.
    const std::vector<FilmRow> &rows() const { return m_rows; }
    // The criteria string "text|genre|speed|number" in force.
    const QString &criteria() const { return m_criteria; }
    void setCriteria(const QString &criteria) { m_criteria = criteria; }
    // The case flag of the last search.
    bool caseSensitive() const { return m_caseSensitive; }
    // Passing rows and the found-cassette list of the last search.
    const FilmSearchResult &found() const { return m_found; }
    int foundCount() const { return int(m_found.rows.size()); }
    ReportPane *pane() const { return RichEdit1; }

public slots:
    void BitBtn2Click(); // "Vyhledat !"
    void BitBtn3Click(); // "Zobrazit detaily"

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void done(int result) override;

private:
    void FormShow();
    // The common reset after a change of the criteria; the genre box keeps
    // the enabled state of the other criteria (keepEnabled).
    void reset(bool keepEnabled = false);
    void CheckBox1Click();
    QString speed() const;
    void fillPane();
    void step(int position);

    Session &m_session;
    std::vector<FilmRow> m_rows;
    QString m_criteria;
    bool m_caseSensitive = false;
    FilmSearchResult m_found;

    QLabel *pocet = nullptr;
    QLabel *Pocet2 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QCheckBox *Pismena = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QRadioButton *RadioButton3 = nullptr;
    QRadioButton *RadioButton4 = nullptr;
    QButtonGroup *m_speeds = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QLabel *Filmu_je = nullptr;
    ReportPane *RichEdit1 = nullptr;
    QProgressBar *Stav = nullptr;
    QPushButton *BitBtn3 = nullptr;
    QPushButton *BitBtn1 = nullptr;
};

// The details window of a search: the found cassettes in a tree, marked
// when they are away from home, and the films of the chosen one.
class TSeznam : public QDialog
{
    Q_OBJECT
public:
    explicit TSeznam(THledej_film &search, QWidget *parent = nullptr);

    // The image index of a node: 0 the root, 1 at home, 2 away.
    static constexpr int kImageRole = Qt::UserRole + 1;
    static QIcon image(int index);

    QTreeWidget *tree() const { return TreeView1; }
    ReportPane *pane() const { return RichEdit1; }

public slots:
    // "&Vytiskni zobrazený seznam": prints the pane and closes the window.
    void printList();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void FormShow();
    void buildTree();
    void TreeView1Change(QTreeWidgetItem *item);
    void showRoot();
    void showCassette(const QString &nodeText);

    THledej_film &m_search;
    bool m_ready = false; // selection events count only between build and close

    QLabel *m_count = nullptr;
    QLabel *m_cut = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    QTreeWidgetItem *m_root = nullptr;
    ReportPane *RichEdit1 = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_pdf = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace velmora
