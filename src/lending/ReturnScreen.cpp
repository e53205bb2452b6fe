#include "lending/ReturnScreen.h"

#include "lending/AwayModel.h"
#include "loans/LendingViews.h"
#include "platform/Dialogs.h"
#include "platform/TableModel.h"
#include "platform/Widgets.h"
#include "session/Session.h"
#include "session/StartItem.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora {

struct ReturnScreen::Design
{
    ItemKind kind;
    ScreenWords words;
    Table TableHandles::*items;
    Table TableHandles::*archive;
    // The grid's fields, in the spelling of the item table.
    const char *numberField, *whoField, *sinceField, *daysField, *noteField;
    const char *numberColumn, *noteColumn;
    const char *nothingLent;
    const char *askCaption, *ask;
};

namespace {

constexpr ReturnScreen::Design kCassettes{
    ItemKind::Cassette,
    {"Vraceni_kazety", "Vrácení půjčené kazety zpět domů ... dvoj-klik"},
    &TableHandles::Table1,
    &TableHandles::Table2,
    "cislo",
    "komu",
    "od_kdy",
    "delka_pujc",
    "pozn",
    "Číslo kazety",
    "Poznámka ke kazetě",
    "Není co vracet, žádná kazeta není vedena jako půjčená ...",
    "Vrácení kazety...",
    "Chcete vybranou kazetu od teď evidovat jako vrácenou ?",
};

constexpr ReturnScreen::Design kCds{
    ItemKind::Cd,
    {"Vraceni_CDForm", "Vrácení půjčeného CD zpět domů ... dvoj-klik"},
    &TableHandles::CD_Table1,
    &TableHandles::CD_Archiv,
    "Cislocd",
    "Komu",
    "Od_kdy",
    "Delka_pujc",
    "PoznCD",
    "Číslo CD",
    "Poznámka k hudebnímu CD",
    "Není co vracet, žádné CD není vedené jako zapůjčené ...",
    "Vrácení CD ...",
    "Chcete vybrané hudební CD od teď evidovat jako vrácené ?",
};

const QString kNoTitle = QStringLiteral("Titul hudebního CD: Není nastaven ...");
const QString kTitlePrefix = QStringLiteral("Titul hudebního CD: ");
constexpr int kSinceColumn = 2;

// The lent items of the table, a row whose loan start does not read as a
// date marked as on the items-away screens.
class ReturnModel : public TableModel
{
public:
    ReturnModel(Table *table, QList<Column> columns, QObject *parent)
        : TableModel(table, columns, parent), m_since(columns.at(kSinceColumn).field)
    {
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || !unreadableAt(index.row()))
            return TableModel::data(index, role);
        if (role == Qt::DisplayRole && index.column() == kSinceColumn)
            return markedUnreadable(TableModel::data(index, role).toString());
        if (role == Qt::DisplayRole)
            return TableModel::data(index, role);
        return unreadableLook(role);
    }

private:
    bool unreadableAt(int row) const
    {
        return table() &&
               loanStartUnreadableAt(*table(), recordAt(row), m_since, QDate::currentDate());
    }

    QString m_since;
};

} // namespace

TVraceni_kazety::TVraceni_kazety(Session &session, QWidget *parent)
    : ReturnScreen(kCassettes, session, parent)
{
}

TVraceni_CDForm::TVraceni_CDForm(Session &session, QWidget *parent)
    : ReturnScreen(kCds, session, parent)
{
}

ReturnScreen::ReturnScreen(const Design &design, Session &session, QWidget *parent)
    : TableGridScreen(design.kind, design.words, QStringLiteral("Počet zapůjčených kazet:"),
                      QStringLiteral("Zapůjčené položky"), session, parent),
      m_design(design)
{
    resize(720, 460);
    const QList<TableModel::Column> columns{
        {kindText(design.numberField), kindText(design.numberColumn)},
        {kindText(design.whoField), QStringLiteral("Komu zapůjčeno")},
        {kindText(design.sinceField), QStringLiteral("Zapůjčeno dne")},
        {kindText(design.daysField), QStringLiteral("Na dnů")},
        {kindText(design.noteField), kindText(design.noteColumn)}};
    setModel(new ReturnModel(&items(), columns, this));
    // Made before the title line, so screen readers meet the controls in
    // the order they always have.
    makeCloseButton();
    if (m_kind == ItemKind::Cd)
        m_titleName = ui::valueLabel(this, QStringLiteral("CD_Titul_Name"),
                                     QStringLiteral("Titul hudebního CD"), kNoTitle);
    layOut(m_titleName, {});

    // Every double click over the list counts, also one on an empty list,
    // which is told that nothing is lent.
    m_grid->viewport()->installEventFilter(this);
    // Enter and Space on the current row return it as the double click does.
    m_grid->installEventFilter(this);
    connect(m_grid, &QTableView::clicked, this, &ReturnScreen::rowClicked);
}

bool ReturnScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QModelIndex at =
            m_grid->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        if (at.isValid())
            m_grid->setCurrentIndex(at);
        returnCurrent();
        return true;
    }
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (mods == Qt::NoModifier &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
             key->key() == Qt::Key_Space)) {
            // Taken here, so no button of the window sees the Enter too.
            returnCurrent();
            return true;
        }
    }
    return ScreenDialog::eventFilter(watched, event);
}

Table &ReturnScreen::items() const
{
    return m_session.tables().*m_design.items;
}

Table &ReturnScreen::archive() const
{
    return m_session.tables().*m_design.archive;
}

void ReturnScreen::FormShow()
{
    showLentOnly(items());
    fillGrid();
    // Opened on an item of the catalogue overview: that item is chosen.
    if (const QString number = startitem::take(); !number.isEmpty())
        moveToLentItem(m_kind, items(), number);
    if (m_titleName)
        m_titleName->setText(kNoTitle);
    m_grid->setFocus();
}

void ReturnScreen::FormClose()
{
    showEveryItem(items());
}

void ReturnScreen::rowClicked()
{
    if (!m_titleName)
        return;
    if (const std::optional<QString> title = currentCdTitle(items()))
        m_titleName->setText(kTitlePrefix + *title);
}

void ReturnScreen::returnCurrent()
{
    Table &t = items();
    if (m_model->rowCount() == 0 || t.recordNumber() < 0) {
        dialogs::warning(QStringLiteral("Varování:"), kindText(m_design.nothingLent));
        return;
    }
    if (!dialogs::question(kindText(m_design.askCaption), kindText(m_design.ask)))
        return;

    try {
        velmora::returnCurrent(m_kind, t, archive().path(), QDate::currentDate());
    } catch (const ReturnError &e) {
        dialogs::error(QStringLiteral("Chyba"), QString::fromUtf8(e.what()));
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    m_model->refresh();
    showCount();
    if (m_titleName && m_model->rowCount() == 0)
        m_titleName->setText(kNoTitle);
}

} // namespace velmora
