#pragma once

// The overview of a whole catalogue, TPrehled: one table of every recording
// of every cassette, or of every track of every CD title, filtered as the
// user types and sorted by a click on a column's header.

#include "overview/CatalogueOverview.h"
#include "platform/ScreenDialog.h"

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
    TPrehled(OverviewKind kind, Session &session, QWidget *parent = nullptr);
    ~TPrehled() override;

    QLineEdit *filterBox() const { return m_filter; }
    QTableView *grid() const { return m_grid; }
    QLabel *status() const { return m_status; }
    OverviewModel *model() const { return m_model; }

    // The selected rows as tab-separated text, a line each, as a
    // spreadsheet pastes them.
    QString selectedText() const;

protected:
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void load();
    void filterChanged();
    void showStatus();
    void headerMenu(const QPoint &at);
    void restoreLayout();
    void saveLayout();
    QString settingsKey(const char *what) const;

    OverviewKind m_kind;
    Session &m_session;
    OverviewModel *m_model;
    QLineEdit *m_filter;
    QCheckBox *m_ignoreAccents;
    QCheckBox *m_lentOnly;
    QTableView *m_grid;
    QLabel *m_status;
};

} // namespace velmora
