#include "search/FoundDetails.h"

#include "platform/Colours.h"
#include "platform/Widgets.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"
#include "session/Session.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora {
namespace {

QPixmap disc(const QColor &fill, bool square)
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(fill.darker(160), 1));
    painter.setBrush(fill);
    if (square)
        painter.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 2, 2);
    else
        painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return p;
}

} // namespace

QIcon FoundDetails::image(int index)
{
    static const QIcon images[3] = {QIcon(disc(QColor(128, 0, 0), true)),
                                    QIcon(disc(QColor(0, 160, 0), false)),
                                    QIcon(disc(QColor(255, 0, 0), false))};
    return images[qBound(0, index, 2)];
}

QString FoundDetails::stateText(int index, bool loanStates)
{
    if (index == 0)
        return QString();
    if (!loanStates)
        return QStringLiteral("bez údaje o půjčení");
    return index == 2 ? QStringLiteral("půjčeno") : QStringLiteral("doma");
}

FoundDetails::FoundDetails(Session &session, const Texts &texts, QWidget *parent)
    : ScreenDialog(parent), m_session(session), m_texts(texts)
{
    setObjectName(texts.objectName);
    setWindowTitle(texts.caption);
    resize(780, 540);

    auto *layout = new QVBoxLayout(this);
    auto *header = new QHBoxLayout;
    QLabel *l1 = ui::caption(this, QStringLiteral("Label1"), texts.countLabel);
    m_count = ui::valueLabel(this, QStringLiteral("Pocet"), l1);
    ui::setBold(m_count);
    m_cut = ui::caption(this, QStringLiteral("Zkraceno"));
    m_cut->hide();
    header->addWidget(l1);
    header->addWidget(m_count);
    header->addSpacing(12);
    header->addWidget(m_cut);
    header->addStretch(1);
    layout->addLayout(header);

    auto *legend = new QHBoxLayout;
    QLabel *l2 = ui::caption(this, QStringLiteral("Label2"), QStringLiteral("Vysvětlivky:"));
    QLabel *l3 = ui::caption(this, QStringLiteral("Label3"), texts.legend);
    colours::setTextColour(l3, Qt::red);
    legend->addWidget(l2);
    legend->addWidget(l3);
    legend->addStretch(1);
    layout->addLayout(legend);
    // Windows whose items are never away from home have no legend.
    l2->setVisible(!texts.legend.isEmpty());
    l3->setVisible(!texts.legend.isEmpty());

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->setObjectName(QStringLiteral("Splitter1"));
    split->setChildrenCollapsible(false);
    m_tree = new QTreeWidget(split);
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setAccessibleName(texts.treeName);
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setUniformRowHeights(true);
    m_tree->setMinimumWidth(150);
    m_pane = new ReportPane(split);
    m_pane->setAccessibleName(texts.paneName);
    split->addWidget(m_tree);
    split->addWidget(m_pane);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({190, 570});
    layout->addWidget(split, 1);

    auto *buttons = new QHBoxLayout;
    m_print =
        ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("&Vytiskni zobrazený seznam"));
    m_pdf = ui::button(this, QStringLiteral("Ulozit_PDF"), m_pane->savePdfAction()->text());
    m_close = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("&Zavři okno"));
    buttons->addStretch(1);
    buttons->addWidget(m_print);
    buttons->addWidget(m_pdf);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { nodeChosen(current); });
    // The tree stays fully expanded.
    connect(m_tree, &QTreeWidget::itemCollapsed, m_tree, &QTreeWidget::expandItem);
    connect(m_print, &QPushButton::clicked, this, &FoundDetails::printList);
    connect(m_pdf, &QPushButton::clicked, m_pane, &ReportPane::saveAsPdf);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void FoundDetails::FormShow()
{
    m_print->setEnabled(m_session.printerAvailable());
    m_close->setEnabled(true);
    m_count->setText(countText());
    const bool cut = found().cut;
    m_cut->setText(cut ? m_texts.cutNote.arg(kFoundListLimit) : QString());
    m_cut->setVisible(cut);
    buildTree();
}

void FoundDetails::buildTree()
{
    m_ready = false;
    m_tree->clear();
    const QStringList &numbers = found().numbers;
    const std::vector<bool> lent = lentStates();

    m_tree->setUpdatesEnabled(false);
    m_root = new QTreeWidgetItem(m_tree, {m_texts.root});
    QFont bold = m_tree->font();
    bold.setBold(true);
    m_root->setFont(0, bold);
    m_root->setForeground(
        0, colours::textColour(QColor(128, 0, 0), m_tree->palette(), QPalette::Base));
    m_root->setIcon(0, image(0));
    m_root->setData(0, kImageRole, 0);
    const QColor nodeColour =
        colours::textColour(m_texts.nodeColour, m_tree->palette(), QPalette::Base);
    QList<QTreeWidgetItem *> nodes;
    nodes.reserve(numbers.size());
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        auto *node = new QTreeWidgetItem({m_texts.nodePrefix + numbers[i]});
        if (m_texts.boldNodes)
            node->setFont(0, bold);
        if (nodeColour.isValid())
            node->setForeground(0, nodeColour);
        const int img = size_t(i) < lent.size() && lent[size_t(i)] ? 2 : 1;
        node->setIcon(0, image(img));
        node->setData(0, kImageRole, img);
        // The dot's colour is all a sighted user needs; a screen reader
        // gets it in words.
        node->setData(0, Qt::AccessibleDescriptionRole, stateText(img, m_texts.loanStates));
        nodes << node;
    }
    m_root->addChildren(nodes);
    m_tree->expandAll();
    m_tree->setUpdatesEnabled(true);

    m_ready = true;
    m_tree->setCurrentItem(m_root);
}

void FoundDetails::nodeChosen(QTreeWidgetItem *item)
{
    if (!m_ready || !item)
        return;
    if (item == m_root) {
        showRoot();
        return;
    }
    const QString text = item->text(0);
    showItem(text.mid(m_texts.nodePrefix.size(), m_texts.keyLength), text);
}

void FoundDetails::showNote(const std::function<void(ReportWriter &)> &note)
{
    // The note is appended line by line in either mode.
    const report::Mode mode = report::modeFor(m_session.systemCode());
    report::write(*m_pane, mode == report::Mode::None ? mode : report::Mode::Line, note);
}

void FoundDetails::printList()
{
    m_print->setEnabled(false);
    m_close->setEnabled(false);
    m_pane->print();
    done(QDialog::Rejected);
}

void FoundDetails::done(int result)
{
    m_ready = false;
    ScreenDialog::done(result);
}

} // namespace velmora
