#pragma once

// The overview of a whole catalogue, TPrehled: one table of every recording
// of every cassette, or of every track of every CD title, filtered as the
// user types and sorted by a click on a column's header.

#include "overview/CatalogueOverview.h"
#include "platform/ScreenDialog.h"
#include "sheets/SheetExport.h"

#include <QStringList>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace velmora {

class OverviewModel;
class Session;

class TPrehled : public ScreenDialog
{
    Q_OBJECT
public:
    // Runs a menu command with its guard, as the menus run it.
    using CommandRunner = std::function<void(const QString &action)>;

    TPrehled(OverviewKind kind, Session &session, CommandRunner runner, QWidget *parent = nullptr);
    ~TPrehled() override;

    QLineEdit *filterBox() const { return m_filter; }
    QTableView *grid() const { return m_grid; }
    QLabel *status() const { return m_status; }
    OverviewModel *model() const { return m_model; }

    // The selected rows as tab-separated text, a line each, as a
    // spreadsheet pastes them.
    QString selectedText() const;

    // What the context menu offers for the current row ("Upravit",
    // "Zobrazit", "Zapůjčit", "Vrátit", "Smazat"): each runs the menu's own
    // command on that item, and the table is read again afterwards.
    enum class Action
    {
        Edit,
        Show,
        Lend,
        Return,
        Delete
    };
    // Whether the action fits the current row (lending wants an item at
    // home, a return a lent one).
    bool canRun(Action action) const;
    void run(Action action);
    // The context menu over the current row, at a point of the grid.
    void showRowMenu(const QPoint &at);
    // The rows shown, with the columns shown in their order, as a sheet.
    sheets::PlainSheet shownSheet() const;
    // "Exportovat zobrazené ...".
    void exportShown();

protected:
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void load();
    void filterChanged();
    void showStatus();
    void headerMenu(const QPoint &at);
    bool restoreLayout();
    void saveLayout();
    QString settingsKey(const char *what) const;
    int currentShownRow() const;
    // Selects the shown row of these key cells (number and place), if any.
    void selectItem(const QStringList &key);

    OverviewKind m_kind;
    Session &m_session;
    CommandRunner m_run;
    OverviewModel *m_model;
    QLineEdit *m_filter;
    QCheckBox *m_ignoreAccents;
    QCheckBox *m_lentOnly;
    QTableView *m_grid;
    QLabel *m_status;
};

} // namespace velmora
