#include "reports/SortedScreen.h"
#include "engine/DbError.h"

#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/PaneWriter.h"
#include "session/Session.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace velmora {

SortedListScreen::SortedListScreen(Session &session, QWidget *parent, SortedList list,
                                   const Texts &texts)
    : ReportScreen(session, parent), m_list(list), m_work(list)
{
    setWindowTitle(texts.caption);
    titleLabel()->setText(texts.title);
    printButton()->setText(QStringLiteral("Tisknout sestavu"));

    QLabel *countCaption = ui::caption(this, QStringLiteral("Label1"), texts.countCaption);
    m_count = ui::valueLabel(this, QStringLiteral("pocet"), countCaption, QStringLiteral("0"));
    ui::setBold(m_count);
    m_choice = new QComboBox(this);
    m_choice->setObjectName(QStringLiteral("ComboBox1"));
    m_choice->addItems(texts.orders);
    QLabel *choiceCaption =
        ui::caption(this, QStringLiteral("Label2"), texts.choiceCaption, m_choice);
    QHBoxLayout *choices = choiceLayout();
    choices->addWidget(countCaption);
    choices->addWidget(m_count);
    choices->addSpacing(16);
    choices->addWidget(choiceCaption);
    choices->addWidget(m_choice);

    connect(m_choice, &QComboBox::currentIndexChanged, this, &SortedListScreen::build);
}

void SortedListScreen::showCount(int count)
{
    m_count->setText(QString::number(count));
}

void SortedListScreen::FormShow()
{
    showCount(0);
    m_rows = 0;
    try {
        Table &source =
            m_list == SortedList::Films ? session().tables().Table1 : session().tables().CD_Table2;
        m_rows = m_work.fill(source, [this](int rows) { showCount(rows); });
    } catch (const std::exception &e) {
        // Without its work table the screen shows an empty list.
        m_rows = 0;
        dialogs::error(QStringLiteral("Chyba"),
                       QStringLiteral("Tříděnou sestavu nelze připravit.\n") + errorText(e));
    }
    m_choice->setEnabled(m_work.ready());
    {
        const QSignalBlocker block(m_choice);
        m_choice->setCurrentIndex(0);
    }
    build();
}

void SortedListScreen::build()
{
    if (busy())
        return;
    if (!m_work.ready() || mode() == report::Mode::None) {
        report::write(*pane(), report::Mode::None, {});
        return;
    }
    const int order = m_choice->currentIndex();
    writeWithProgress(m_rows, [&](ReportWriter &w, const std::function<void()> &visited) {
        m_work.write(w, order, visited);
    });
}

void SortedListScreen::reject()
{
    if (busy())
        return;
    try {
        m_work.remove();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    ReportScreen::reject();
}

} // namespace velmora
