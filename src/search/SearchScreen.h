#pragma once

#include "platform/ScreenDialog.h"
#include "writer/ReportText.h"

class QBoxLayout;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace velmora {

class ReportPane;
class Session;

// What every search screen shares: the session it searches in, the search
// text that takes the focus whenever the screen is activated, the search
// button, and the result area with its pane, gauge, details and close
// buttons.
class SearchScreen : public ScreenDialog
{
    Q_OBJECT
public:
    Session &session() const { return m_session; }
    report::Mode mode() const;
    ReportPane *pane() const { return m_pane; }

public slots:
    virtual void search() = 0;      // "Vyhledat !"
    virtual void showDetails() = 0; // "Zobrazit detaily"

protected:
    SearchScreen(Session &session, QWidget *parent);
    void changeEvent(QEvent *event) override;
    // Adds the result area to layout (its gauge caption named captionName)
    // and connects it and m_search.
    void addResults(QBoxLayout &layout, const QString &captionName);

    Session &m_session;
    QLineEdit *m_text = nullptr;
    QPushButton *m_search = nullptr;
    ReportPane *m_pane = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_details = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace velmora
