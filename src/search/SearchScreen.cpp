#include "search/SearchScreen.h"

#include "search/SearchResults.h"
#include "session/Session.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

namespace velmora {

SearchScreen::SearchScreen(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
}

report::Mode SearchScreen::mode() const
{
    return report::modeFor(m_session.systemCode());
}

void SearchScreen::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_text)
        m_text->setFocus();
}

void SearchScreen::addResults(QBoxLayout &layout, const QString &captionName)
{
    const ResultArea area = addResultArea(*this, layout, captionName);
    m_pane = area.pane;
    m_progress = area.progress;
    m_details = area.details;
    m_close = area.close;
    if (m_search)
        connect(m_search, &QPushButton::clicked, this, &SearchScreen::search);
    connect(m_details, &QPushButton::clicked, this, &SearchScreen::showDetails);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace velmora
