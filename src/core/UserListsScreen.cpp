#include "core/UserListsScreen.h"

#include "platform/Dialogs.h"
#include "platform/TableModel.h"
#include "platform/Widgets.h"
#include "session/UserLists.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora {

UserListsScreen::UserListsScreen(Session &session, const PanelDesign &left,
                                 const PanelDesign &right, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    m_panels[0].design = left;
    m_panels[1].design = right;
    auto *layout = new QVBoxLayout(this);
    auto *sides = new QHBoxLayout;
    for (int side = 0; side < 2; ++side) {
        auto *frame = new QWidget(this);
        frame->setObjectName(QStringLiteral("Panel%1").arg(side + 1));
        buildPanel(side, frame);
        sides->addWidget(frame, 1);
    }
    layout->addLayout(sides, 1);
    auto *close = ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("Zavřít"));
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(620, 520);
}

void UserListsScreen::buildPanel(int side, QWidget *frame)
{
    Panel &p = m_panels[side];
    p.frame = frame;
    const QString n = QString::number(side + 1);
    auto *box = new QVBoxLayout(frame);
    auto *heading = ui::caption(frame, QStringLiteral("Nadpis") + n, p.design.heading);
    ui::setBold(heading);
    box->addWidget(heading);

    auto *countCaption =
        ui::caption(frame, QStringLiteral("Label_Pocet") + n, p.design.countCaption);
    p.count = ui::valueLabel(frame, QStringLiteral("Pocet") + n, countCaption);
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(countCaption);
    countRow->addWidget(p.count, 1);
    box->addLayout(countRow);

    p.entry = new QLineEdit(frame);
    p.entry->setObjectName(QStringLiteral("Edit") + n);
    p.entry->setMaxLength(p.design.width);
    p.entry->setAccessibleName(ui::spoken(p.design.add));
    box->addWidget(p.entry);

    p.grid = ui::rowGrid(frame, QStringLiteral("DBGrid") + n, p.design.column);
    p.model = new TableModel(
        p.design.table, {{schema::userList(p.design.list).fields[0].name, p.design.column}}, this);
    TableModel::bind(p.grid, p.model);
    box->addWidget(p.grid, 1);

    auto *buttons = new QHBoxLayout;
    p.add = ui::button(frame, QStringLiteral("Pridat") + n, p.design.add);
    p.remove = ui::button(frame, QStringLiteral("Odebrat") + n, p.design.remove);
    buttons->addWidget(p.add);
    buttons->addWidget(p.remove);
    box->addLayout(buttons);
    p.sorted = new QCheckBox(QStringLiteral("Setřídit podle názvu"), frame);
    p.sorted->setObjectName(QStringLiteral("Setridit") + n);
    box->addWidget(p.sorted);
    box->addWidget(ui::caption(frame, QStringLiteral("Pozn") + n,
                               QStringLiteral("Pozn: Třídění platí pouze v tomto výběru.")));
    p.reset = ui::button(frame, QStringLiteral("Puvodni") + n, p.design.reset);
    box->addWidget(p.reset, 0, Qt::AlignLeft);

    frame->setMouseTracking(true);
    frame->installEventFilter(this);
    connect(p.entry, &QLineEdit::textChanged, this,
            [&p](const QString &text) { p.add->setEnabled(!text.isEmpty()); });
    connect(p.entry, &QLineEdit::returnPressed, p.add, &QPushButton::click);
    connect(p.add, &QPushButton::clicked, this, [this, side] {
        act(side, [](Panel &q) { userlists::add(*q.design.table, q.entry->text()); });
        m_panels[side].entry->setFocus();
    });
    connect(p.remove, &QPushButton::clicked, this, [this, side] {
        act(side, [](Panel &q) { userlists::removeCurrent(*q.design.table); });
    });
    connect(p.reset, &QPushButton::clicked, this, [this, side] {
        act(side, [](Panel &q) { userlists::reset(*q.design.table, q.design.list); });
    });
    connect(p.sorted, &QCheckBox::toggled, this, [this, side] { applySorting(m_panels[side]); });
}

void UserListsScreen::act(int side, const std::function<void(Panel &)> &change)
{
    try {
        change(m_panels[side]);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    refresh();
}

void UserListsScreen::FormShow()
{
    refresh();
}

void UserListsScreen::FormClose()
{
    for (Panel &p : m_panels)
        userlists::close(*p.design.table);
}

void UserListsScreen::refresh()
{
    for (Panel &p : m_panels) {
        try {
            userlists::open(*p.design.table);
        } catch (const std::exception &e) {
            dialogs::showError(e);
        }
        const int count = userlists::count(*p.design.table);
        p.count->setText(QString::number(count));
        p.entry->clear();
        p.add->setEnabled(false);
        p.remove->setEnabled(count > 0);
        const bool was = p.sorted->isChecked();
        p.sorted->setChecked(true);
        if (was)
            applySorting(p); // toggled did not fire
    }
    m_panels[0].entry->setFocus();
}

void UserListsScreen::applySorting(Panel &p)
{
    const bool on = p.sorted->isChecked();
    userlists::setSorted(*p.design.table, p.design.list, on);
    p.sorted->setText(on ? QStringLiteral("Setříděno ...") : QStringLiteral("Setřídit ..."));
    ui::setBold(p.sorted, on);
    p.model->refresh();
}

bool UserListsScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)
        for (Panel &p : m_panels)
            if (watched == p.frame)
                p.entry->setFocus(); // the focus follows the mouse
    return ScreenDialog::eventFilter(watched, event);
}

} // namespace velmora
