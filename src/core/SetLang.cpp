#include "core/SetLang.h"

#include "core/Language.h"
#include "core/Version.h"
#include "engine/IniFile.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "storage/Paths.h"

#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kMain = QStringLiteral("Main");
const QString kPlaceholder = QStringLiteral("No Language files!");
const QColor kOk(0x00, 0x80, 0x00);
const QColor kFalse(0xFF, 0x00, 0x00);
const QColor kRoot(0x80, 0x00, 0x00);

// A value read from a file, wrapped so long values stay visible; screen
// readers hear the value with its caption as description.
QLabel *fileValue(QWidget *parent, const char *name, const QLabel *caption)
{
    QLabel *l = ui::valueLabel(parent, QLatin1String(name), caption->text());
    l->setWordWrap(true);
    l->setMinimumWidth(160);
    return l;
}

} // namespace

TSet_Lang::TSet_Lang(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Set_Lang"));
    setWindowTitle(QStringLiteral("Setup Languages  to ..."));

    auto *heading =
        ui::caption(this, QStringLiteral("Label1"), QStringLiteral("Accessible Languages"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setExpandsOnDoubleClick(false);
    TreeView1->setMinimumSize(200, 240);
    TreeView1->setAccessibleName(heading->text());
    heading->setBuddy(TreeView1);

    auto *autorCaption =
        ui::caption(this, QStringLiteral("Label2"), QStringLiteral("Author Language:"));
    Autor = fileValue(this, "Autor", autorCaption);
    auto *datumCaption =
        ui::caption(this, QStringLiteral("Label3"), QStringLiteral("Date of Creating:"));
    Datum = fileValue(this, "Datum", datumCaption);
    auto *emailCaption = ui::caption(this, QStringLiteral("Label4"),
                                     QStringLiteral("Autor contact e-mail (double click):"));
    Email = fileValue(this, "Email", emailCaption);
    Email->setAccessibleName(QStringLiteral("Autor contact e-mail"));
    Email->setMinimumHeight(Email->fontMetrics().height());
    Email->installEventFilter(this);
    auto *verzeCaption =
        ui::caption(this, QStringLiteral("Label5"), QStringLiteral("File for Version:"));
    Verze = fileValue(this, "Verze", verzeCaption);
    auto *infoCaption =
        ui::caption(this, QStringLiteral("Label6"), QStringLiteral("Info from Language file:"));
    QFont infoFont = infoCaption->font();
    infoFont.setBold(true);
    infoCaption->setFont(infoFont);
    auto *prgCaption =
        ui::caption(this, QStringLiteral("Label7"), QStringLiteral("This prg. version num:"));
    Verze_prg = fileValue(this, "Verze_prg", prgCaption);
    Stav = ui::valueLabel(this, QStringLiteral("Stav"), infoCaption->text());
    ui::setBold(Stav);

    auto *note =
        ui::caption(this, QStringLiteral("Label8"),
                    QStringLiteral("This Form is Not for User seting Language available."));

    BitBtn1 = new QPushButton(QStringLiteral("Exit without saving"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    BitBtn2 = new QPushButton(QStringLiteral("Save changes"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    BitBtn2->setEnabled(false);

    auto *info = new QGridLayout;
    info->setColumnStretch(1, 1);
    int row = 0;
    info->addWidget(autorCaption, row, 0, Qt::AlignTop);
    info->addWidget(Autor, row++, 1, Qt::AlignTop);
    info->addWidget(datumCaption, row, 0, Qt::AlignTop);
    info->addWidget(Datum, row++, 1, Qt::AlignTop);
    info->addWidget(emailCaption, row++, 0, 1, 2);
    info->addWidget(Email, row++, 0, 1, 2);
    info->addWidget(verzeCaption, row, 0, Qt::AlignTop);
    info->addWidget(Verze, row++, 1, Qt::AlignTop);
    info->setRowMinimumHeight(row++, 8);
    info->addWidget(infoCaption, row++, 0, 1, 2);
    info->addWidget(prgCaption, row, 0, Qt::AlignTop);
    info->addWidget(Verze_prg, row++, 1, Qt::AlignTop);
    info->addWidget(Stav, row++, 0, 1, 2);
    info->setRowStretch(row, 1);
    // The contact sits under its caption, set in from the left.
    Email->setIndent(16);

    auto *body = new QHBoxLayout;
    body->addWidget(TreeView1, 1);
    body->addSpacing(8);
    body->addLayout(info, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *main = new QVBoxLayout(this);
    main->addWidget(heading);
    main->addLayout(body, 1);
    main->addWidget(note);
    main->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { TreeView1Change(current); });
    connect(TreeView1, &QTreeWidget::itemSelectionChanged, this,
            &TSet_Lang::TreeView1SelectionChange);
    // The tree always stays expanded.
    connect(TreeView1, &QTreeWidget::itemCollapsed, this,
            [](QTreeWidgetItem *item) { item->setExpanded(true); });
}

void TSet_Lang::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

bool TSet_Lang::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Email && event->type() == QEvent::MouseButtonDblClick) {
        EmailDblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TSet_Lang::FormShow()
{
    BitBtn2->setEnabled(false);
    Verze_prg->setText(version::kFileVersion.left(11));

    QStringList files =
        QDir(Paths::langDir())
            .entryList({QStringLiteral("*.set")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    if (files.size() > kMaxFiles)
        files = files.mid(0, kMaxFiles);

    {
        const QSignalBlocker blocker(TreeView1);
        m_root = nullptr;
        m_currentNode = nullptr;
        m_placeholder = nullptr;
        TreeView1->clear();
        m_root = new QTreeWidgetItem(TreeView1, {QStringLiteral("Set Language to:")});
        QFont rootFont = TreeView1->font();
        rootFont.setBold(true);
        rootFont.setPixelSize(12);
        m_root->setFont(0, rootFont);
        m_root->setForeground(0, kRoot);
        const QString current = lang::fileName();
        for (const QString &name : std::as_const(files)) {
            auto *node = new QTreeWidgetItem(m_root, {name});
            if (name == current)
                m_currentNode = node;
        }
        if (files.isEmpty())
            m_placeholder = new QTreeWidgetItem(m_root, {kPlaceholder});
        m_root->setExpanded(true);
    }
    clearFileInfo();
    selectCurrentFile();
    TreeView1->setFocus(Qt::OtherFocusReason);
}

void TSet_Lang::selectCurrentFile()
{
    if (m_currentNode) {
        TreeView1->setCurrentItem(m_currentNode);
        return;
    }
    {
        const QSignalBlocker blocker(TreeView1);
        TreeView1->setCurrentItem(nullptr);
        TreeView1->clearSelection();
    }
    TreeView1->viewport()->update();
    clearFileInfo();
}

void TSet_Lang::TreeView1Change(QTreeWidgetItem *node)
{
    BitBtn2->setEnabled(false);
    if (!node || node == m_placeholder) {
        clearFileInfo();
        return;
    }
    if (node == m_root) {
        selectCurrentFile();
        return;
    }
    showFileInfo(node->text(0));
}

void TSet_Lang::TreeView1SelectionChange()
{
    // A mouse press makes the root current first and selects it afterwards,
    // so the selection is sent back to the current file here as well.
    if (m_root && m_root->isSelected())
        selectCurrentFile();
}

void TSet_Lang::EmailDblClick()
{
    dialogs::information(
        QStringLiteral("Info:"),
        QStringLiteral("This time is function \"Send e-mail\" OFF .... Thanks for clicking :-)"));
}

void TSet_Lang::showFileInfo(const QString &fileName)
{
    const IniFile ini(Paths::langDir() + fileName);
    Autor->setText(ini.value(kMain, QStringLiteral("Autor"), QStringLiteral("Unknown ...")));
    Datum->setText(ini.value(kMain, QStringLiteral("Date"), QStringLiteral("Unknown ...")));
    Email->setText(ini.value(kMain, QStringLiteral("Email"), QStringLiteral("Unknown")));
    const QString fileVersion =
        ini.value(kMain, QStringLiteral("Version"), QStringLiteral("Unknown"));
    Verze->setText(fileVersion);
    const bool fits = fileVersion.left(8) == version::kFileVersion.left(8);
    Stav->setText(fits ? QStringLiteral("Seting file is OK.")
                       : QStringLiteral("Seting file is FALSE !!!"));
    QPalette pal = Stav->palette();
    pal.setColor(QPalette::WindowText, fits ? kOk : kFalse);
    Stav->setPalette(pal);
    fitToTexts();
}

void TSet_Lang::clearFileInfo()
{
    for (QLabel *l : {Autor, Datum, Email, Verze, Stav})
        l->clear();
}

void TSet_Lang::fitToTexts()
{
    // The window's minimum size does not follow wrapped labels, so a long
    // value from a file would be cut off without growing the window here.
    if (!layout())
        return;
    layout()->activate();
    const int needed = heightForWidth(width());
    if (needed > height())
        resize(width(), needed);
}

} // namespace velmora
