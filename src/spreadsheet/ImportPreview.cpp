#include "spreadsheet/ImportPreview.h"

#include "engine/DbError.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "session/Session.h"
#include "storage/Paths.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kCaption = QStringLiteral("Import z tabulky");

QString separatorName(QChar c)
{
    if (c == QLatin1Char(';'))
        return QStringLiteral("středník");
    if (c == QLatin1Char(','))
        return QStringLiteral("čárka");
    if (c == QLatin1Char('\t'))
        return QStringLiteral("tabulátor");
    return QString(c);
}

QString addedText(sheets::Sheet sheet, int items, int entries)
{
    return sheet == sheets::Sheet::Cassettes
               ? QStringLiteral("kazet: %1, záznamů: %2").arg(items).arg(entries)
               : QStringLiteral("CD titulů: %1, stop: %2").arg(items).arg(entries);
}

} // namespace

TNahledImportu::TNahledImportu(Session &session, sheets::Sheet sheet, const QString &file,
                               QWidget *parent)
    : ScreenDialog(parent), m_session(session), m_sheet(sheet), m_file(file)
{
    setObjectName(QStringLiteral("TNahledImportu"));
    setWindowTitle(sheet == sheets::Sheet::Cassettes ? QStringLiteral("Import kazet z tabulky")
                                                     : QStringLiteral("Import CD z tabulky"));
    setSizeGripEnabled(true);

    // The file's name and its texts are someone else's: shown as plain text.
    QLabel *fileCaption =
        ui::caption(this, QStringLiteral("Label_Soubor"), QStringLiteral("Soubor:"));
    QLabel *fileLabel =
        ui::valueLabel(this, QStringLiteral("Soubor"), fileCaption, Paths::native(file));
    fileLabel->setTextFormat(Qt::PlainText);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Souhrn"));
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);
    ui::setBold(m_summary);
    m_details = new QLabel(this);
    m_details->setObjectName(QStringLiteral("Podrobnosti"));
    m_details->setTextFormat(Qt::PlainText);
    m_details->setWordWrap(true);

    m_problems = new QTableWidget(0, 2, this);
    m_problems->setObjectName(QStringLiteral("Problemy"));
    m_problems->setAccessibleName(QStringLiteral("Problémy v souboru"));
    m_problems->setHorizontalHeaderLabels({QStringLiteral("Řádek"), QStringLiteral("Problém")});
    m_problems->horizontalHeader()->setStretchLastSection(true);
    m_problems->verticalHeader()->hide();
    m_problems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_problems->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_problems->setWordWrap(true);

    m_add =
        ui::button(this, QStringLiteral("Pridat_do_seznamu"), QStringLiteral("&Přidat do seznamů"));
    m_import = ui::button(this, QStringLiteral("Importovat"), QStringLiteral("&Importovat"));
    auto *close = ui::button(this, QStringLiteral("Zavrit_okno"), QStringLiteral("&Zavřít okno"));

    auto *layout = new QVBoxLayout(this);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(fileCaption);
    fileRow->addWidget(fileLabel, 1);
    layout->addLayout(fileRow);
    layout->addWidget(m_summary);
    layout->addWidget(m_details);
    layout->addWidget(m_problems, 1);
    layout->addLayout(ui::row({m_add}, {m_import, close}));
    resize(720, 480);

    connect(m_import, &QPushButton::clicked, this, &TNahledImportu::importAll);
    connect(m_add, &QPushButton::clicked, this, &TNahledImportu::addToLists);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TNahledImportu::FormShow()
{
    plan();
}

void TNahledImportu::plan()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_plan = sheets::planImport(m_session.tables(), m_sheet, m_file);
    } catch (const std::exception &e) {
        m_plan = {};
        m_plan.problems.append({0, errorText(e)});
    }
    QApplication::restoreOverrideCursor();
    showPlan();
}

void TNahledImportu::showPlan()
{
    const bool blocked = !m_plan.problems.isEmpty() || !m_plan.unknown.isEmpty();
    m_summary->setText(
        blocked ? QStringLiteral("Soubor má problémy; dokud je neopravíte, nezapíše se nic.")
        : m_plan.items > 0
            ? QStringLiteral("Přidá se %1.").arg(addedText(m_sheet, m_plan.items, m_plan.entries))
            : QStringLiteral("Soubor nepřidává nic."));
    QStringList details;
    if (!m_plan.encoding.isEmpty())
        details << QStringLiteral("Kódování %1, oddělovač %2.")
                       .arg(m_plan.encoding, separatorName(m_plan.separator));
    if (blocked && m_plan.items > 0)
        details << QStringLiteral("V souboru je %1.")
                       .arg(addedText(m_sheet, m_plan.items, m_plan.entries));
    if (!m_plan.ignoredColumns.isEmpty())
        details << QStringLiteral("Sloupce, které se nečtou: %1.")
                       .arg(m_plan.ignoredColumns.join(QStringLiteral(", ")));
    m_details->setText(details.join(QLatin1Char(' ')));

    m_problems->setRowCount(0);
    const auto addRow = [this](int line, const QString &text) {
        const int row = m_problems->rowCount();
        m_problems->insertRow(row);
        auto *lineItem = new QTableWidgetItem(line > 0 ? QString::number(line) : QString());
        lineItem->setTextAlignment(Qt::AlignRight | Qt::AlignTop);
        m_problems->setItem(row, 0, lineItem);
        m_problems->setItem(row, 1, new QTableWidgetItem(text));
    };
    for (const sheets::ImportProblem &p : m_plan.problems)
        addRow(p.line, p.message);
    for (const sheets::UnknownValues &u : m_plan.unknown)
        for (const QString &v : u.values)
            addRow(0, sheets::unknownValueText(u, v));
    for (const sheets::ImportProblem &n : m_plan.notes)
        addRow(n.line, QStringLiteral("Upozornění: %1").arg(n.message));
    m_problems->resizeColumnToContents(0);
    m_problems->resizeRowsToContents();

    m_add->setEnabled(!m_plan.unknown.isEmpty());
    m_import->setEnabled(m_plan.canImport());
    if (m_plan.canImport())
        m_import->setDefault(true);
}

void TNahledImportu::addToLists()
{
    if (m_plan.unknown.isEmpty())
        return;
    QStringList values;
    for (const sheets::UnknownValues &u : m_plan.unknown)
        values << QStringLiteral("%1: %2").arg(u.list, u.values.join(QStringLiteral(", ")));
    if (!dialogs::question(kCaption, QStringLiteral("Přidat do uživatelských seznamů:\n%1?")
                                         .arg(values.join(QLatin1Char('\n')))))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_plan = sheets::addUnknownValues(m_session.tables(), m_plan, m_file);
    } catch (const std::exception &e) {
        QApplication::restoreOverrideCursor();
        dialogs::showError(e);
        return;
    }
    QApplication::restoreOverrideCursor();
    showPlan();
}

void TNahledImportu::importAll()
{
    if (!m_plan.canImport())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    sheets::ImportResult result;
    try {
        result = sheets::applyImport(m_session.tables(), m_plan);
    } catch (const std::exception &e) {
        result.error = errorText(e);
    }
    QApplication::restoreOverrideCursor();
    if (!result.ok) {
        dialogs::error(kCaption, result.error.isEmpty()
                                     ? QStringLiteral("Import se nezdařil; nic nebylo zapsáno.")
                                     : result.error);
        plan(); // the catalogue as it now stands
        return;
    }
    QString text =
        QStringLiteral("Přidáno %1.").arg(addedText(m_sheet, result.items, result.entries));
    if (!result.safetyCopy.isEmpty())
        text += QStringLiteral(" Tabulky před importem jsou v %1.")
                    .arg(Paths::native(result.safetyCopy));
    dialogs::information(kCaption, text);
    accept();
}

} // namespace velmora
