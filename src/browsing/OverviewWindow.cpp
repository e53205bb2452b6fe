#include "browsing/OverviewWindow.h"

#include "browsing/OverviewModel.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "session/Session.h"
#include "session/StartItem.h"
#include "spreadsheet/SheetFlows.h"
#include "system/SettingsStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora {
namespace {

struct Kind
{
    const char *name;
    const char *caption;
    const char *key;        // of the settings
    const char *actions[5]; // the menu commands of TPrehled::Action, in its order
    // The row's place within its item: the recording's position, or the
    // track's disc and its number (-1 for none).
    int placeColumn;
    int trackColumn;
    // The shown rows as a spreadsheet: the sheet, the file proposed, and
    // whether lengths are m:ss (tracks) rather than minutes (tapes).
    const char *sheet;
    const char *exportFile;
    bool lengthsInSeconds;
};

constexpr Kind kCassettes{"Prehled_VK",
                          "Přehled celého katalogu videokazet",
                          "VK",
                          {"cassettes.edit", "cassettes.browse", "lending.lendCassette",
                           "lending.returnCassette", "cassettes.delete"},
                          2,
                          -1,
                          "Kazety",
                          "prehled-kazet.xlsx",
                          false};
constexpr Kind kCds{"Prehled_CD",
                    "Přehled celého katalogu hudebních CD",
                    "CD",
                    {"cds.edit", "cds.show", "lending.lendCd", "lending.returnCd", "cds.delete"},
                    3,
                    4,
                    "CD",
                    "prehled-cd.xlsx",
                    true};

const char *const kActionTexts[5] = {"&Upravit", "&Zobrazit", "Za&půjčit", "&Vrátit", "&Smazat"};

const Kind &kindOf(OverviewKind kind)
{
    return kind == OverviewKind::Cassettes ? kCassettes : kCds;
}

// The columns that tell a row within the whole catalogue: the number and
// the place within the item.
QList<int> keyColumns(const Kind &kind)
{
    QList<int> columns{0, kind.placeColumn};
    if (kind.trackColumn >= 0)
        columns << kind.trackColumn;
    return columns;
}

QStringList rowKey(const Kind &kind, const OverviewRows &rows, int row)
{
    QStringList key;
    for (const int c : keyColumns(kind))
        key << rows.cell(row, c);
    return key;
}

// Compared as the rows store it: a decoded copy of every cell would cost
// half a million strings.
bool hasKey(const QList<int> &columns, const OverviewRows &rows, int row,
            const QList<QByteArray> &key)
{
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (rows.cellBytes(row, columns[i]) != key[i])
            return false;
    return true;
}

startitem::Item startOf(OverviewKind kind, const QStringList &key)
{
    startitem::Item item;
    item.number = key.value(0);
    if (kind == OverviewKind::Cassettes) {
        item.recording = key.value(1).toInt();
    } else {
        item.disc = key.value(1);
        item.track = key.value(2).toInt();
    }
    return item;
}

} // namespace

TPrehled::TPrehled(OverviewKind kind, Session &session, CommandRunner runner, QWidget *parent)
    : ScreenDialog(parent), m_kind(kind), m_session(session), m_run(std::move(runner)),
      m_model(new OverviewModel(kind, this))
{
    setObjectName(QString::fromUtf8(kindOf(kind).name));
    setWindowTitle(QString::fromUtf8(kindOf(kind).caption));
    setSizeGripEnabled(true);

    QLabel *filterCaption =
        ui::caption(this, QStringLiteral("Label_Filtr"), QStringLiteral("&Filtr:"));
    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("Filtr"));
    m_filter->setAccessibleName(QStringLiteral("Filtr"));
    m_filter->setClearButtonEnabled(true);
    filterCaption->setBuddy(m_filter);
    m_ignoreAccents = new QCheckBox(QStringLiteral("Bez ohledu na &diakritiku"), this);
    m_ignoreAccents->setObjectName(QStringLiteral("BezDiakritiky"));
    m_ignoreAccents->setChecked(true);
    m_lentOnly = new QCheckBox(QStringLiteral("Jen &půjčené"), this);
    m_lentOnly->setObjectName(QStringLiteral("JenPujcene"));

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("Prehled"));
    m_grid->setAccessibleName(windowTitle());
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    // Rows of one height let the view skip measuring half a million of them.
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    QHeaderView *header = m_grid->horizontalHeader();
    header->setSectionsMovable(true);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    header->setSortIndicator(-1, Qt::AscendingOrder); // the stored order until a click
    m_grid->setSortingEnabled(true);
    m_grid->installEventFilter(this);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);

    m_status = ui::valueLabel(this, QStringLiteral("Stav"), QStringLiteral("Zobrazeno"),
                              QStringLiteral("Zobrazeno 0 z 0"));
    auto *close = ui::button(this, QStringLiteral("Zavrit_okno"), QStringLiteral("&Zavřít okno"));
    auto *exporting = ui::button(this, QStringLiteral("Exportovat_zobrazene"),
                                 QStringLiteral("&Exportovat zobrazené ..."));

    auto *top = new QHBoxLayout;
    top->addWidget(filterCaption);
    top->addWidget(m_filter, 1);
    top->addWidget(m_ignoreAccents);
    top->addWidget(m_lentOnly);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(ui::row({m_status}, {exporting, close}));
    resize(980, 600);

    connect(m_filter, &QLineEdit::textChanged, this, &TPrehled::filterChanged);
    connect(m_ignoreAccents, &QCheckBox::toggled, this, &TPrehled::filterChanged);
    connect(m_lentOnly, &QCheckBox::toggled, this, &TPrehled::filterChanged);
    connect(header, &QHeaderView::customContextMenuRequested, this, &TPrehled::headerMenu);
    connect(m_grid, &QTableView::customContextMenuRequested, this, &TPrehled::showRowMenu);
    connect(m_grid, &QTableView::doubleClicked, this, [this] { run(Action::Edit); });
    connect(exporting, &QPushButton::clicked, this, &TPrehled::exportShown);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

TPrehled::~TPrehled() = default;

void TPrehled::FormShow()
{
    const bool restored = restoreLayout();
    load();
    // At the first opening the columns fit what the first rows show; the
    // view measures the rows in sight only, so this costs nothing.
    if (!restored)
        m_grid->resizeColumnsToContents();
    m_filter->setFocus();
}

void TPrehled::FormClose()
{
    saveLayout();
}

void TPrehled::load()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_model->setRows(catalogueOverview(m_kind, m_session.tables(), QDate::currentDate()));
        QApplication::restoreOverrideCursor();
    } catch (const std::exception &e) {
        QApplication::restoreOverrideCursor();
        dialogs::showError(e);
    }
    showStatus();
}

void TPrehled::filterChanged()
{
    m_model->setFilter({m_filter->text(), m_ignoreAccents->isChecked(), m_lentOnly->isChecked()});
    showStatus();
}

void TPrehled::showStatus()
{
    m_status->setText(
        QStringLiteral("Zobrazeno %1 z %2").arg(m_model->rowCount()).arg(m_model->totalRows()));
}

QString TPrehled::selectedText() const
{
    QHeaderView *header = m_grid->horizontalHeader();
    QList<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            columns << logical;
    }
    QList<int> rows;
    for (const QModelIndex &i : m_grid->selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    QString out;
    for (const int r : rows) {
        QStringList cells;
        for (const int c : columns)
            // A tab or line break inside a value would split the pasted row.
            cells << m_model->data(m_model->index(r, c))
                         .toString()
                         .replace(QLatin1Char('\t'), QLatin1Char(' '))
                         .replace(QLatin1Char('\n'), QLatin1Char(' '))
                         .remove(QLatin1Char('\r'));
        out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}

bool TPrehled::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_grid || event->type() != QEvent::KeyPress)
        return ScreenDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(selectedText());
        return true;
    }
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        // Taken here, so the close button, the default one, does not see it.
        run(Action::Edit);
        return true;
    }
    if (mods == Qt::ShiftModifier && key->key() == Qt::Key_F10) {
        showRowMenu(m_grid->visualRect(m_grid->currentIndex()).center());
        return true;
    }
    return ScreenDialog::eventFilter(watched, event);
}

int TPrehled::currentShownRow() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool TPrehled::canRun(Action action) const
{
    const int shown = currentShownRow();
    if (shown < 0)
        return false;
    const bool atHome =
        m_model->rows().cell(m_model->rowAt(shown), stateColumn(m_kind)) == QStringLiteral("doma");
    if (action == Action::Lend)
        return atHome;
    if (action == Action::Return)
        return !atHome;
    return true;
}

void TPrehled::run(Action action)
{
    if (!canRun(action) || !m_run)
        return;
    const QStringList key =
        rowKey(kindOf(m_kind), m_model->rows(), m_model->rowAt(currentShownRow()));
    startitem::set(startOf(m_kind, key));
    try {
        m_run(QLatin1String(kindOf(m_kind).actions[int(action)]));
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    startitem::take(); // a screen that did not start at the item leaves it
    load();
    selectItem(key);
}

void TPrehled::selectItem(const QStringList &key)
{
    const QList<int> columns = keyColumns(kindOf(m_kind));
    QList<QByteArray> stored;
    for (const QString &k : key)
        stored << k.toUtf8();
    for (int shown = 0; shown < m_model->rowCount(); ++shown) {
        if (hasKey(columns, m_model->rows(), m_model->rowAt(shown), stored)) {
            m_grid->selectRow(shown);
            m_grid->scrollTo(m_model->index(shown, 0));
            return;
        }
    }
}

void TPrehled::showRowMenu(const QPoint &at)
{
    if (currentShownRow() < 0)
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("Akce"));
    for (int a = 0; a < 5; ++a) {
        QAction *item = menu.addAction(QString::fromUtf8(kActionTexts[a]));
        item->setEnabled(canRun(Action(a)));
        connect(item, &QAction::triggered, this, [this, a] { run(Action(a)); });
    }
    menu.exec(m_grid->viewport()->mapToGlobal(at));
}

sheets::PlainSheet TPrehled::shownSheet() const
{
    // The columns as the user sees them: in their order, without the hidden.
    const QHeaderView *header = m_grid->horizontalHeader();
    const QList<OverviewColumn> &all = overviewColumns(m_kind);
    std::vector<int> columns;
    sheets::PlainSheet sheet;
    sheet.name = QString::fromUtf8(kindOf(m_kind).sheet);
    for (int visual = 0; visual < header->count(); ++visual) {
        const int c = header->logicalIndex(visual);
        if (c < 0 || header->isSectionHidden(c))
            continue;
        columns.push_back(c);
        sheet.headers << all.at(c).title;
        switch (all.at(c).order) {
        case ColumnOrder::Number:
            // The item's number keeps its leading zeros: "00012", not 12.
            sheet.kinds << (c == 0 ? sheets::CellKind::Text : sheets::CellKind::Integer);
            break;
        case ColumnOrder::Length:
            sheet.kinds << (kindOf(m_kind).lengthsInSeconds ? sheets::CellKind::Seconds
                                                            : sheets::CellKind::Integer);
            break;
        case ColumnOrder::Date:
            sheet.kinds << sheets::CellKind::Date;
            break;
        case ColumnOrder::Text:
            sheet.kinds << sheets::CellKind::Text;
            break;
        }
    }
    sheet.rows = m_model->rowCount();
    const OverviewModel *model = m_model;
    sheet.cell = [model, columns](qint64 row, int column) {
        return model->rows().cell(model->rowAt(int(row)), columns[size_t(column)]);
    };
    return sheet;
}

void TPrehled::exportShown()
{
    exportShownRows(shownSheet(), QString::fromUtf8(kindOf(m_kind).exportFile), this);
}

void TPrehled::headerMenu(const QPoint &at)
{
    QHeaderView *header = m_grid->horizontalHeader();
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("Sloupce"));
    int shown = 0;
    for (int c = 0; c < header->count(); ++c)
        shown += header->isSectionHidden(c) ? 0 : 1;
    for (int c = 0; c < header->count(); ++c) {
        QAction *a = menu.addAction(m_model->headerData(c, Qt::Horizontal).toString());
        a->setCheckable(true);
        a->setChecked(!header->isSectionHidden(c));
        // The last shown column stays: a table without columns shows nothing.
        a->setEnabled(header->isSectionHidden(c) || shown > 1);
        connect(a, &QAction::toggled, this,
                [header, c](bool on) { header->setSectionHidden(c, !on); });
    }
    menu.exec(header->mapToGlobal(at));
}

QString TPrehled::settingsKey(const char *what) const
{
    return QStringLiteral("Prehled_%1/%2")
        .arg(QLatin1String(kindOf(m_kind).key), QLatin1String(what));
}

bool TPrehled::restoreLayout()
{
    bool columns = false;
    try {
        const SettingsStore store = SettingsStore::own();
        if (store.exists(settingsKey("Okno")))
            restoreGeometry(
                QByteArray::fromBase64(store.readString(settingsKey("Okno")).toLatin1()));
        if (store.exists(settingsKey("Sloupce"))) {
            QHeaderView *header = m_grid->horizontalHeader();
            if (!header->restoreState(
                    QByteArray::fromBase64(store.readString(settingsKey("Sloupce")).toLatin1())))
                return false;
            m_grid->sortByColumn(header->sortIndicatorSection(), header->sortIndicatorOrder());
            columns = true;
        }
    } catch (const std::exception &) {
        // A damaged value: the window opens as at first.
    }
    return columns;
}

void TPrehled::saveLayout()
{
    try {
        SettingsStore store = SettingsStore::own();
        store.writeString(settingsKey("Okno"), QString::fromLatin1(saveGeometry().toBase64()));
        store.writeString(settingsKey("Sloupce"),
                          QString::fromLatin1(m_grid->horizontalHeader()->saveState().toBase64()));
        store.sync();
    } catch (const std::exception &) {
        // Not kept: the next opening starts as at first.
    }
}

} // namespace velmora
