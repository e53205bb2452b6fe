#include "lending/KindScreen.h"

#include "platform/RecordNavigator.h"
#include "platform/TableModel.h"
#include "platform/Widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora {

void nameScreen(QWidget &window, const ScreenWords &words)
{
    window.setObjectName(kindText(words.name));
    window.setWindowTitle(kindText(words.caption));
}

void lendingNavigator(RecordNavigator &navigator, QWidget &window)
{
    navigator.setHints({QStringLiteral("První kazeta"), QStringLiteral("Předchozí kazeta"),
                        QStringLiteral("Další kazeta"), QStringLiteral("Poslední kazeta")});
    navigator.installWheelOn(&window);
}

KindScreen::KindScreen(ItemKind kind, const ScreenWords &words, Session &session, QWidget *parent)
    : ScreenDialog(parent), m_kind(kind), m_session(session)
{
    nameScreen(*this, words);
}

QPushButton *KindScreen::makeCloseButton()
{
    if (m_close)
        return m_close;
    m_close = ui::button(this, QStringLiteral("Zavrit_okno"), QStringLiteral("&Zavřít okno"));
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    return m_close;
}

TableGridScreen::TableGridScreen(ItemKind kind, const ScreenWords &words,
                                 const QString &countCaption, const QString &gridName,
                                 Session &session, QWidget *parent)
    : KindScreen(kind, words, session, parent)
{
    m_countCaption = ui::caption(this, QStringLiteral("Label_Pocet"), countCaption);
    m_count = ui::valueLabel(this, QStringLiteral("Pocet"), m_countCaption);
    ui::setBold(m_count);
    m_grid = ui::rowGrid(this, QStringLiteral("DBGrid1"), gridName);
}

void TableGridScreen::setModel(TableModel *model)
{
    m_model = model;
    TableModel::bind(m_grid, m_model);
}

void TableGridScreen::layOut(QWidget *above, std::initializer_list<QWidget *> buttons)
{
    makeCloseButton();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(ui::row({m_countCaption, m_count}));
    if (above)
        layout->addWidget(above);
    layout->addWidget(m_grid, 1);
    layout->addLayout(ui::row(buttons, {m_close}));
}

void TableGridScreen::fillGrid()
{
    m_model->refresh();
    ui::fitColumns(m_grid);
    showCount();
}

void TableGridScreen::showCount()
{
    m_count->setText(QString::number(m_model->rowCount()));
}

} // namespace velmora
