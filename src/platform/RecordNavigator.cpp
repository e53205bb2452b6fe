#include "platform/RecordNavigator.h"

// The navigator is a view over a table: its buttons move the table and
// follow its ends, order and filter, so it works on the table itself.
#include "engine/Table.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>
#include <QWheelEvent>

namespace velmora {

Table *RecordNavigator::table() const
{
    return m_table;
}

RecordNavigator::RecordNavigator(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DBNavigator1"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    static const char *const names[4] = {"First", "Prior", "Next", "Last"};
    static const QStyle::StandardPixmap icons[4] = {
        QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward, QStyle::SP_MediaSeekForward,
        QStyle::SP_MediaSkipForward};
    // Shown when the style has no icon for a button.
    static const char *const glyphs[4] = {"|<", "<", ">", ">|"};
    for (int i = 0; i < 4; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(names[i]));
        const QIcon icon = style()->standardIcon(icons[i], nullptr, b);
        if (icon.isNull())
            b->setText(QLatin1String(glyphs[i]));
        else
            b->setIcon(icon);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setMinimumSize(32, 26);
        b->setAutoRaise(false);
        connect(b, &QToolButton::clicked, this, [this, i] { clicked(Button(i)); });
        row->addWidget(b);
        m_buttons[i] = b;
    }
    setHints({QStringLiteral("První záznam"), QStringLiteral("Předchozí záznam"),
              QStringLiteral("Další záznam"), QStringLiteral("Poslední záznam")});
    refresh();
}

RecordNavigator::~RecordNavigator()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void RecordNavigator::setHints(const QStringList &four)
{
    m_hints = four;
    for (int i = 0; i < 4; ++i) {
        const QString hint = four.value(i);
        m_buttons[i]->setToolTip(hint);
        m_buttons[i]->setAccessibleName(hint);
    }
}

void RecordNavigator::setTable(Table *table)
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_table = table;
    m_endsValid = false;
    if (table) {
        m_connections << connect(table, &Table::currentChanged, this, &RecordNavigator::refresh)
                      << connect(table, &Table::dataChanged, this, &RecordNavigator::tableChanged)
                      << connect(table, &Table::stateChanged, this, &RecordNavigator::tableChanged);
    }
    refresh();
}

void RecordNavigator::tableChanged()
{
    m_endsValid = false;
    refresh();
}

void RecordNavigator::updateEnds()
{
    Table *t = m_table;
    if (m_endsValid && m_endsIndex == t->index() && m_endsFilter == t->filter() &&
        m_endsFiltered == t->filtered() && m_endsCaseInsensitive == t->caseInsensitiveFilter())
        return;
    const std::vector<int> visible = t->visibleRecords();
    m_firstRec = visible.empty() ? -1 : visible.front();
    m_lastRec = visible.empty() ? -1 : visible.back();
    m_endsIndex = t->index();
    m_endsFilter = t->filter();
    m_endsFiltered = t->filtered();
    m_endsCaseInsensitive = t->caseInsensitiveFilter();
    m_endsValid = true;
}

void RecordNavigator::refresh()
{
    bool back = false;
    bool forward = false;
    Table *t = m_table;
    if (t && t->isOpen()) {
        updateEnds();
        const int rec = t->recordNumber();
        if (rec >= 0) {
            back = rec != m_firstRec;
            forward = rec != m_lastRec;
        }
    }
    m_buttons[First]->setEnabled(back);
    m_buttons[Prior]->setEnabled(back);
    m_buttons[Next]->setEnabled(forward);
    m_buttons[Last]->setEnabled(forward);
}

bool RecordNavigator::move(Button b)
{
    Table *t = m_table;
    if (!t || !t->isOpen())
        return false;
    const int before = t->recordNumber();
    switch (b) {
    case First:
        t->first();
        break;
    case Prior:
        t->prior();
        break;
    case Next:
        t->next();
        break;
    case Last:
        t->last();
        break;
    }
    refresh();
    return t->recordNumber() != before;
}

void RecordNavigator::clicked(Button b)
{
    try {
        move(b);
        emit moved();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void RecordNavigator::installWheelOn(QWidget *screen)
{
    m_wheelScreen = screen;
    // Children such as lists and combo boxes take the wheel for themselves,
    // so it is caught for the whole application before they see it.
    qApp->removeEventFilter(this);
    if (screen)
        qApp->installEventFilter(this);
}

bool RecordNavigator::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel || !m_wheelScreen || !watched->isWidgetType())
        return QWidget::eventFilter(watched, event);
    auto *w = static_cast<QWidget *>(watched);
    if (w != m_wheelScreen && !m_wheelScreen->isAncestorOf(w))
        return QWidget::eventFilter(watched, event);
    const int dy = static_cast<QWheelEvent *>(event)->angleDelta().y();
    if (dy == 0 || !isEnabled())
        return true; // the wheel belongs to the navigator on this screen
    const Button b = dy < 0 ? Next : Prior;
    if (m_buttons[b]->isEnabled())
        clicked(b);
    return true;
}

void RecordNavigator::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        refresh();
}

} // namespace velmora
