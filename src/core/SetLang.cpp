#include "core/SetLang.h"

#include "engine/IniFile.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "session/Language.h"
#include "storage/Paths.h"
#include "system/Version.h"

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
QLabel *fileValue(QWidget *parent, const char *name, QLabel *caption)
{
    QLabel *l = ui::valueLabel(parent, QLatin1String(name), caption);
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

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->setMinimumSize(200, 240);
    m_tree->setAccessibleName(heading->text());
    heading->setBuddy(m_tree);

    auto *autorCaption =
        ui::caption(this, QStringLiteral("Label2"), QStringLiteral("Author Language:"));
    m_author = fileValue(this, "Autor", autorCaption);
    auto *datumCaption =
        ui::caption(this, QStringLiteral("Label3"), QStringLiteral("Date of Creating:"));
    m_date = fileValue(this, "Datum", datumCaption);
    auto *emailCaption = ui::caption(this, QStringLiteral("Label4"),
                                     QStringLiteral("Autor contact e-mail (double click):"));
    m_email = fileValue(this, "Email", emailCaption);
    m_email->setMinimumHeight(m_email->fontMetrics().height());
    m_email->installEventFilter(this);
    auto *verzeCaption =
        ui::caption(this, QStringLiteral("Label5"), QStringLiteral("File for Version:"));
    m_fileVersion = fileValue(this, "Verze", verzeCaption);
    auto *infoCaption =
        ui::caption(this, QStringLiteral("Label6"), QStringLiteral("Info from Language file:"));
    QFont infoFont = infoCaption->font();
    infoFont.setBold(true);
    infoCaption->setFont(infoFont);
    auto *prgCaption =
        ui::caption(this, QStringLiteral("Label7"), QStringLiteral("This prg. version num:"));
    m_programVersion = fileValue(this, "Verze_prg", prgCaption);
    m_state = ui::valueLabel(this, QStringLiteral("Stav"), infoCaption);
    ui::setBold(m_state);

    auto *note =
        ui::caption(this, QStringLiteral("Label8"),
                    QStringLiteral("This Form is Not for User seting Language available."));

    m_exit = ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("Exit without saving"));
    m_save = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("Save changes"));
    m_save->setEnabled(false);

    auto *info = new QGridLayout;
    info->setColumnStretch(1, 1);
    int row = 0;
    info->addWidget(autorCaption, row, 0, Qt::AlignTop);
    info->addWidget(m_author, row++, 1, Qt::AlignTop);
    info->addWidget(datumCaption, row, 0, Qt::AlignTop);
    info->addWidget(m_date, row++, 1, Qt::AlignTop);
    info->addWidget(emailCaption, row++, 0, 1, 2);
    info->addWidget(m_email, row++, 0, 1, 2);
    info->addWidget(verzeCaption, row, 0, Qt::AlignTop);
    info->addWidget(m_fileVersion, row++, 1, Qt::AlignTop);
    info->setRowMinimumHeight(row++, 8);
    info->addWidget(infoCaption, row++, 0, 1, 2);
    info->addWidget(prgCaption, row, 0, Qt::AlignTop);
    info->addWidget(m_programVersion, row++, 1, Qt::AlignTop);
    info->addWidget(m_state, row++, 0, 1, 2);
    info->setRowStretch(row, 1);
    // The contact sits under its caption, set in from the left.
    m_email->setIndent(16);

    auto *body = new QHBoxLayout;
    body->addWidget(m_tree, 1);
    body->addSpacing(8);
    body->addLayout(info, 2);

    auto *main = new QVBoxLayout(this);
    main->addWidget(heading);
    main->addLayout(body, 1);
    main->addWidget(note);
    main->addLayout(ui::row({}, {m_exit, m_save}));

    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { TreeView1Change(current); });
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &TSet_Lang::TreeView1SelectionChange);
    // The tree always stays expanded.
    connect(m_tree, &QTreeWidget::itemCollapsed, this,
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
    if (watched == m_email && event->type() == QEvent::MouseButtonDblClick) {
        EmailDblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TSet_Lang::FormShow()
{
    m_save->setEnabled(false);
    m_programVersion->setText(version::kFileVersion.left(11));

    QStringList files =
        QDir(Paths::langDir())
            .entryList({QStringLiteral("*.set")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    if (files.size() > kMaxFiles)
        files = files.mid(0, kMaxFiles);

    {
        const QSignalBlocker blocker(m_tree);
        m_root = nullptr;
        m_currentNode = nullptr;
        m_placeholder = nullptr;
        m_tree->clear();
        m_root = new QTreeWidgetItem(m_tree, {QStringLiteral("Set Language to:")});
        QFont rootFont = m_tree->font();
        rootFont.setBold(true);
        rootFont.setPixelSize(12);
        m_root->setFont(0, rootFont);
        m_root->setForeground(0, colours::textColour(kRoot, m_tree->palette(), QPalette::Base));
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
    m_tree->setFocus(Qt::OtherFocusReason);
}

void TSet_Lang::selectCurrentFile()
{
    if (m_currentNode) {
        m_tree->setCurrentItem(m_currentNode);
        return;
    }
    {
        const QSignalBlocker blocker(m_tree);
        m_tree->setCurrentItem(nullptr);
        m_tree->clearSelection();
    }
    m_tree->viewport()->update();
    clearFileInfo();
}

void TSet_Lang::TreeView1Change(QTreeWidgetItem *node)
{
    m_save->setEnabled(false);
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
    m_author->setText(ini.value(kMain, QStringLiteral("Autor"), QStringLiteral("Unknown ...")));
    m_date->setText(ini.value(kMain, QStringLiteral("Date"), QStringLiteral("Unknown ...")));
    m_email->setText(ini.value(kMain, QStringLiteral("Email"), QStringLiteral("Unknown")));
    const QString fileVersion =
        ini.value(kMain, QStringLiteral("Version"), QStringLiteral("Unknown"));
    m_fileVersion->setText(fileVersion);
    const bool fits = fileVersion.left(8) == version::kFileVersion.left(8);
    m_state->setText(fits ? QStringLiteral("Seting file is OK.")
                          : QStringLiteral("Seting file is FALSE !!!"));
    colours::setTextColour(m_state, fits ? kOk : kFalse);
    fitToTexts();
}

void TSet_Lang::clearFileInfo()
{
    for (QLabel *l : {m_author, m_date, m_email, m_fileVersion, m_state})
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
