#include "cds/TrackStyleDialog.h"

#include "catalogue/CdRules.h"
#include "platform/Colours.h"
#include "platform/Widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora {

TZapis_Styl::TZapis_Styl(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Zapis_Styl"));
    setWindowTitle(QStringLiteral("Vybert si styl nastavené skladby:"));
    setModal(true);

    auto *numberCaption =
        ui::caption(this, QStringLiteral("Label1"), QStringLiteral("Zadejte styl skladby číslo:"));
    m_number = ui::valueLabel(this, QStringLiteral("Cislo_stopy"), numberCaption);
    ui::setBold(m_number);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setHeaderHidden(true);
    m_tree->setAccessibleName(QStringLiteral("Styl skladby"));
    m_tree->setMinimumHeight(220);

    auto *confirm = ui::button(this, QStringLiteral("Zapsat"), QStringLiteral("Zapsat informaci"));
    confirm->setDefault(true);
    auto *close = ui::button(this, QStringLiteral("Zavrit"), QStringLiteral("&Zavřít"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(ui::row({numberCaption, m_number}));
    layout->addWidget(m_tree);
    layout->addLayout(ui::row({}, {confirm, close}));

    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &TZapis_Styl::selectionChanged);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (item != m_root)
            accept();
    });
    connect(confirm, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TZapis_Styl::prepare(int track, const QStringList &styles, const QString &current)
{
    m_number->setText(QString::number(track));
    m_tree->clear();
    m_root = new QTreeWidgetItem(m_tree, {QStringLiteral("Uživatelsky nastavené styly:")});
    QFont f = m_tree->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    m_root->setFont(0, f);
    m_root->setForeground(
        0, colours::textColour(QColor(0x80, 0x00, 0x00), m_tree->palette(), QPalette::Base));
    new QTreeWidgetItem(m_root, {kNoStyle});
    for (const QString &s : styles)
        new QTreeWidgetItem(m_root, {s});
    m_tree->expandAll();
    QTreeWidgetItem *chosen = m_root->child(0);
    for (int i = 0; i < m_root->childCount(); ++i)
        if (m_root->child(i)->text(0) == current) {
            chosen = m_root->child(i);
            break;
        }
    m_tree->setCurrentItem(chosen);
    m_tree->setFocus();
}

void TZapis_Styl::selectionChanged()
{
    // The root is no style: the choice moves to "Nezvoleno ...".
    if (m_root && m_tree->currentItem() == m_root && m_root->childCount() > 0)
        m_tree->setCurrentItem(m_root->child(0));
}

QString TZapis_Styl::style() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    return item && item != m_root ? item->text(0) : kNoStyle;
}

} // namespace velmora
