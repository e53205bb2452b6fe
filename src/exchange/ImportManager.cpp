#include "exchange/ImportManager.h"

#include "platform/Dialogs.h"
#include "platform/DirectoryChooser.h"
#include "platform/Widgets.h"
#include "storage/FileCopy.h"
#include "storage/Paths.h"
#include "transfer/Importing.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kNone = QStringLiteral("-");

} // namespace

ImportManager::ImportManager(const Design &design, QWidget *parent)
    : ScreenDialog(parent), m_design(design), m_catalogue(design.catalogue)
{
    setObjectName(QString::fromUtf8(design.name));
    setWindowTitle(QString::fromUtf8(design.caption));
    auto *layout = new QVBoxLayout(this);
    auto *countCaption =
        ui::caption(this, QStringLiteral("Label1"),
                    QStringLiteral("Celkový počet existujících externích databází:"));
    m_count = ui::valueLabel(this, QStringLiteral("CelkExtDat"), countCaption);
    ui::setBold(m_count);
    layout->addLayout(ui::row({countCaption, m_count}));

    auto *middle = new QHBoxLayout;
    auto *from = new QGroupBox(QStringLiteral("Odkud mám importovat ?"), this);
    auto *fromLayout = new QVBoxLayout(from);
    m_places = new PlaceBox(from, QStringLiteral("DriveComboBox1"));
    fromLayout->addWidget(m_places);
    auto *setTo = ui::caption(from, QStringLiteral("Label2"), QStringLiteral("Nastaveno na:"));
    m_path = ui::valueLabel(from, QStringLiteral("info"), setTo);
    auto *setRow = new QHBoxLayout;
    setRow->addWidget(setTo);
    setRow->addWidget(m_path, 1);
    fromLayout->addLayout(setRow);
    m_dirs = new DirectoryList(from, QStringLiteral("DirectoryListBox1"));
    fromLayout->addWidget(m_dirs, 1);
    m_files = new QListWidget(from);
    m_files->setObjectName(QStringLiteral("Seznam_databazi"));
    // Item views take no name from their buddy label.
    m_files->setAccessibleName(QStringLiteral("Databáze pro import"));
    fromLayout->addWidget(ui::caption(from, QStringLiteral("Label3"),
                                      QStringLiteral("Databáze pro Import:"), m_files));
    m_files->setMaximumHeight(60);
    fromLayout->addWidget(m_files);
    middle->addWidget(from, 1);

    auto *right = new QVBoxLayout;
    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("Stav"));
    m_gauge->setMaximum(exchange::kind(m_catalogue).gaugeMaximum * exchange::kGaugeSteps);
    right->addWidget(ui::caption(this, QStringLiteral("Label4"),
                                 QStringLiteral("Stav Importu databází:"), m_gauge));
    right->addWidget(m_gauge);
    auto *values = new QGroupBox(QStringLiteral("Informace z nastavené databáze:"), this);
    auto *grid = new QGridLayout(values);
    const auto value = [&](const QString &name, const QString &caption) {
        auto *c = ui::caption(values, QStringLiteral("L_") + name, caption);
        QLabel *v = ui::valueLabel(values, name, c, kNone);
        const int row = grid->rowCount();
        grid->addWidget(c, row, 0);
        grid->addWidget(v, row, 1);
        return v;
    };
    m_date = value(QStringLiteral("D"), QStringLiteral("Datum exportu:"));
    m_time = value(QStringLiteral("C"), QStringLiteral("Čas exportu    :"));
    m_version = value(QStringLiteral("Ver"), QStringLiteral("Verze exportního programu:"));
    m_records = value(QStringLiteral("VK"), QString::fromUtf8(m_design.countCaption));
    m_status = value(QStringLiteral("Status"), QStringLiteral("Status importu:"));
    m_owner = value(QStringLiteral("Vlastnik"), QStringLiteral("Zdroj dat od   :"));
    grid->setColumnStretch(1, 1);
    right->addWidget(values);
    m_import = ui::button(this, QStringLiteral("Import"), QStringLiteral("Importuj databázi"));
    right->addWidget(m_import);

    auto *existing = new QGroupBox(QStringLiteral("Existující importované databáze:"), this);
    auto *existingLayout = new QVBoxLayout(existing);
    m_grid = ui::rowGrid(existing, QStringLiteral("DBGrid1"),
                         QStringLiteral("Existující importované databáze"));
    m_model = new QStandardItemModel(0, 2, m_grid);
    m_model->setHorizontalHeaderLabels(
        {QStringLiteral("Vlastník dat:"), QStringLiteral("Platnost k:")});
    m_grid->setModel(m_model);
    const QString hint =
        QStringLiteral("Dvojklik na existující externí databázi = její smazání z evidence "
                       "(natrvalo!)");
    m_grid->setToolTip(hint);
    m_grid->setAccessibleDescription(hint);
    existingLayout->addWidget(m_grid, 1);
    auto *hintLabel = new QLabel(hint, existing);
    hintLabel->setWordWrap(true);
    existingLayout->addWidget(hintLabel);
    right->addWidget(existing, 1);
    middle->addLayout(right, 1);
    layout->addLayout(middle, 1);

    m_close = ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("&Zavřít okno"));
    layout->addLayout(ui::row({}, {m_close}));

    connect(m_places, &PlaceBox::placeChosen, m_dirs, &DirectoryList::setPath);
    connect(m_places, &PlaceBox::placeMissing, this, &ImportManager::placeMissing);
    connect(m_dirs, &DirectoryList::pathChanged, this, &ImportManager::directoryChanged);
    connect(m_files, &QListWidget::itemSelectionChanged, this, &ImportManager::fileClicked);
    connect(m_import, &QPushButton::clicked, this, &ImportManager::importChosen);
    connect(m_grid, &QTableView::doubleClicked, this, &ImportManager::deleteCurrent);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    resize(900, 600);
}

void ImportManager::FormShow()
{
    QDir().mkpath(Paths::externiDir());
    exchange::discardStaleWork();
    try {
        if (!exchange::registerExists(m_catalogue)) {
            Table t;
            t.setPath(exchange::registerPath(m_catalogue));
            t.create(exchange::registerFields());
        }
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    showCount();
    m_import->setEnabled(false);
    m_gauge->setValue(0);
    clearValues();
    m_close->setFocus();
    m_places->refresh(Paths::dataDir(), Paths::dataDir());
    m_dirs->setPath(Paths::dataDir());
    directoryChanged(m_dirs->path());
    offerCleanup();
}

void ImportManager::FormClose()
{
    if (exchange::registerExists(m_catalogue) && exchange::readRegister(m_catalogue).isEmpty())
        QFile::remove(exchange::registerPath(m_catalogue));
}

void ImportManager::placeMissing(const QString &name)
{
    dialogs::information(QStringLiteral("Informace:"),
                         QStringLiteral("Místo \"%1\" už není k dispozici, médium bylo nejspíš "
                                        "odpojeno. Zůstává nastaveno: %2")
                             .arg(name, QDir::toNativeSeparators(m_dirs->path())));
}

void ImportManager::showCount()
{
    m_entries = exchange::readRegister(m_catalogue);
    m_count->setText(QString::number(m_entries.size()));
    m_model->setRowCount(0);
    for (const exchange::RegisterEntry &e : m_entries)
        m_model->appendRow({new QStandardItem(e.user), new QStandardItem(e.day)});
    ui::fitColumns(m_grid);
}

void ImportManager::clearValues()
{
    for (QLabel *l : {m_date, m_time, m_version, m_records, m_status, m_owner})
        l->setText(kNone);
}

void ImportManager::offerCleanup()
{
    const exchange::Leftovers left = exchange::findLeftovers(m_catalogue);
    if (left.empty())
        return;
    QString text = QStringLiteral("Seznam importovaných databází neodpovídá adresářům v EXTERNI.");
    if (!left.recordsWithoutDirectory.isEmpty())
        text += QStringLiteral("\r\n\r\nZáznamy bez adresáře s daty: ") +
                left.recordsWithoutDirectory.join(QStringLiteral(", "));
    if (!left.directoriesWithoutRecord.isEmpty())
        text += QStringLiteral("\r\n\r\nAdresáře bez záznamu v seznamu: ") +
                left.directoriesWithoutRecord.join(QStringLiteral(", "));
    text += QStringLiteral("\r\n\r\nChcete tyto zbytky odstranit? Ostatní databáze zůstanou beze "
                           "změny.");
    if (!dialogs::question(QStringLiteral("Rozhodnutí:"), text))
        return;
    QString problem;
    exchange::cleanLeftovers(m_catalogue, left, problem);
    if (!problem.isEmpty())
        dialogs::error(QStringLiteral("Chyba:"), problem);
    showCount();
}

void ImportManager::directoryChanged(const QString &path)
{
    m_path->setText(QDir::toNativeSeparators(path));
    m_places->follow(path);
    clearValues();
    m_import->setEnabled(false);
    m_exportDir.clear();
    const QSignalBlocker quiet(m_files);
    m_files->clear();
    // Whatever stands under the name is listed, to be refused with its
    // reason when chosen.
    if (filecopy::entryExists(QDir(path).filePath(exchange::kind(m_catalogue).listedFile)))
        m_files->addItem(exchange::kind(m_catalogue).listedFile);
    m_files->setCurrentRow(-1);
}

void ImportManager::fileClicked()
{
    if (m_files->selectedItems().isEmpty()) {
        m_import->setEnabled(false);
        return;
    }
    const QString dir = m_dirs->path();
    const exchange::Kind &k = exchange::kind(m_catalogue);
    if (!filecopy::entryExists(QDir(dir).filePath(k.infoFile))) {
        clearValues();
        m_import->setEnabled(false);
        return;
    }
    const exchange::Candidate c = exchange::inspect(m_catalogue, dir);
    if (!c.hasInfo) {
        clearValues();
        m_import->setEnabled(false);
        dialogs::warning(QStringLiteral("Informace:"), c.problem);
        return;
    }
    m_info = c.info;
    m_exportDir = dir;
    m_date->setText(c.info.date);
    m_time->setText(c.info.time);
    m_version->setText(c.info.version);
    m_owner->setText(c.info.owner);
    m_records->setText(c.records >= 0 ? QString::number(c.records) : kNone);
    m_status->setText(c.allowed ? QString::fromUtf8(m_design.allowed)
                                : QString::fromUtf8(m_design.refused));
    m_import->setEnabled(c.allowed);
    // A table of the accepted field count that still fails its checks, or
    // no table at all, is explained; other layouts speak through the status.
    if (!c.allowed && (c.fields == k.fieldCount || c.fields < 0))
        dialogs::warning(QStringLiteral("Informace:"), c.problem);
}

void ImportManager::importChosen()
{
    if (m_exportDir.isEmpty())
        return;
    m_import->setEnabled(false);
    m_gauge->setValue(0);
    bool declined = false;
    QString problem;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const exchange::ImportResult result = exchange::importCatalogue(
        m_catalogue, m_exportDir, m_info,
        [&] {
            QApplication::restoreOverrideCursor();
            const bool yes = dialogs::question(
                QStringLiteral("Rozhodnutí:"),
                QString::fromUtf8(m_design.exists) +
                    QStringLiteral("\r\n\r\nChcete existující data uživatele nahradit novými ?"));
            declined = !yes;
            QApplication::setOverrideCursor(Qt::WaitCursor);
            return yes;
        },
        [this](double files) {
            const int value = int(files * exchange::kGaugeSteps);
            if (value != m_gauge->value()) {
                m_gauge->setValue(value);
                QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
        },
        problem);
    QApplication::restoreOverrideCursor();
    switch (result) {
    case exchange::ImportResult::Imported:
        break;
    case exchange::ImportResult::Replaced:
        dialogs::information(QStringLiteral("Informace:"), QString::fromUtf8(m_design.replaced));
        m_gauge->setValue(0);
        break;
    case exchange::ImportResult::NotNewer:
        dialogs::information(QStringLiteral("Informace:"), QString::fromUtf8(m_design.notNewer));
        break;
    case exchange::ImportResult::Failed:
        m_gauge->setValue(0);
        if (declined) {
            clearValues();
        } else {
            dialogs::error(QStringLiteral("Chyba:"),
                           QStringLiteral("Import se nezdařil, dosavadní data zůstala beze "
                                          "změny.\r\n\r\n") +
                               problem);
        }
        break;
    }
    showCount();
    m_import->setEnabled(false);
}

void ImportManager::deleteCurrent()
{
    const int row = m_grid->currentIndex().row();
    if (row < 0 || row >= m_entries.size())
        return;
    const exchange::RegisterEntry entry = m_entries[row];
    if (!dialogs::question(QStringLiteral("Zrušení externí databáze:"),
                           QString::fromUtf8(m_design.deleteAsk) + entry.user +
                               QStringLiteral(" ?"))) {
        dialogs::information(QStringLiteral("Stornování:"), QString::fromUtf8(m_design.deleteKept));
        return;
    }
    QString problem;
    if (!exchange::removeCatalogue(m_catalogue, entry, problem))
        dialogs::error(QStringLiteral("Chyba:"), problem);
    showCount();
}

} // namespace velmora
