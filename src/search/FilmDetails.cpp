#include "search/FilmDetails.h"

#include "core/Session.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/ReportPane.h"
#include "printing/ReportWriter.h"
#include "search/FilmSearchReports.h"
#include "search/FilmSearchScreen.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kNodePrefix = QStringLiteral("VK: ");
const QString kCutNote = QStringLiteral("(seznam zkrácen na prvních %1 kazet)");

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

QIcon TSeznam::image(int index)
{
    static const QIcon images[3] = {QIcon(disc(QColor(128, 0, 0), true)),
                                    QIcon(disc(QColor(0, 160, 0), false)),
                                    QIcon(disc(QColor(255, 0, 0), false))};
    return images[qBound(0, index, 2)];
}

TSeznam::TSeznam(THledej_film &search, QWidget *parent) : ScreenDialog(parent), m_search(search)
{
    setObjectName(QStringLiteral("Seznam"));
    setWindowTitle(QStringLiteral("Seznam nalezených filmů a jejich specifikace"));
    resize(780, 540);

    auto *layout = new QVBoxLayout(this);
    auto *header = new QHBoxLayout;
    QLabel *l1 = ui::caption(this, QStringLiteral("Label1"),
                             QStringLiteral("Počet nalezených filmů, dle nastavených parametrů:"));
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
    QLabel *l3 = ui::caption(this, QStringLiteral("Label3"),
                             QStringLiteral("červeně vyznačené VK nejsou doma !"));
    QPalette red = l3->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    l3->setPalette(red);
    legend->addWidget(l2);
    legend->addWidget(l3);
    legend->addStretch(1);
    layout->addLayout(legend);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->setObjectName(QStringLiteral("Splitter1"));
    split->setChildrenCollapsible(false);
    m_tree = new QTreeWidget(split);
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setAccessibleName(QStringLiteral("Nalezené videokazety"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setUniformRowHeights(true);
    m_tree->setMinimumWidth(150);
    m_pane = new ReportPane(split);
    m_pane->setAccessibleName(QStringLiteral("Seznam filmů vybrané videokazety"));
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
    connect(m_print, &QPushButton::clicked, this, &TSeznam::printList);
    connect(m_pdf, &QPushButton::clicked, m_pane, &ReportPane::saveAsPdf);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TSeznam::FormShow()
{
    m_print->setEnabled(m_search.session().printerAvailable());
    m_close->setEnabled(true);
    m_count->setText(QString::number(m_search.foundCount()));
    const bool cut = m_search.found().cassettesCut;
    m_cut->setText(cut ? kCutNote.arg(kFoundListLimit) : QString());
    m_cut->setVisible(cut);
    buildTree();
}

void TSeznam::buildTree()
{
    m_ready = false;
    m_tree->clear();
    const QStringList &numbers = m_search.found().cassettes;
    const std::vector<bool> lent = lentStates(m_search.session().tables().Table1, numbers);

    m_tree->setUpdatesEnabled(false);
    m_root = new QTreeWidgetItem(m_tree, {QStringLiteral("Nalezené VK:")});
    QFont bold = m_tree->font();
    bold.setBold(true);
    m_root->setFont(0, bold);
    m_root->setForeground(0, QColor(128, 0, 0));
    m_root->setIcon(0, image(0));
    m_root->setData(0, kImageRole, 0);
    QList<QTreeWidgetItem *> nodes;
    nodes.reserve(numbers.size());
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        auto *node = new QTreeWidgetItem({kNodePrefix + numbers[i]});
        const int img = lent[size_t(i)] ? 2 : 1;
        node->setIcon(0, image(img));
        node->setData(0, kImageRole, img);
        nodes << node;
    }
    m_root->addChildren(nodes);
    m_tree->expandAll();
    m_tree->setUpdatesEnabled(true);

    m_ready = true;
    m_tree->setCurrentItem(m_root);
}

void TSeznam::nodeChosen(QTreeWidgetItem *item)
{
    if (!m_ready || !item)
        return;
    const report::Mode mode = m_search.mode();
    if (item == m_root)
        // The note is appended line by line in either mode.
        report::write(*m_pane, mode == report::Mode::None ? mode : report::Mode::Line,
                      writeNoCassetteChosen);
    else
        showCassette(item->text(0));
}

void TSeznam::showCassette(const QString &nodeText)
{
    FilmCriteria c = m_search.criteria();
    c.number = nodeText.mid(kNodePrefix.size(), 5);
    m_search.setCriteria(c);
    const std::vector<const FilmRow *> films =
        filmsOfCassette(m_search.rows(), m_search.found(), c, m_search.caseSensitive());
    const QString printed = report::printingTime();
    report::write(*m_pane, m_search.mode(),
                  [&](ReportWriter &w) { writeCassetteFilms(w, nodeText, films, printed); });
}

void TSeznam::printList()
{
    m_print->setEnabled(false);
    m_close->setEnabled(false);
    m_pane->print();
    done(QDialog::Rejected);
}

void TSeznam::done(int result)
{
    m_ready = false;
    QDialog::done(result);
}

} // namespace velmora
