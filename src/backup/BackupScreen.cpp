#include "backup/BackupScreen.h"

#include "platform/Dialogs.h"
#include "platform/DirectoryChooser.h"
#include "platform/Widgets.h"
#include "session/Session.h"
#include "storage/Backup.h"
#include "storage/Paths.h"
#include "storage/Restore.h"
#include "system/Version.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {
namespace {

// Gauge steps per file, so that a large table moves it too.
constexpr int kSteps = 100;

const QString kRestoreText = QStringLiteral("&Obnov data");
const QString kImportText = QStringLiteral("&Importování");

} // namespace

BackupScreen::BackupScreen(Session &session, backup::Set set, Mode mode, QWidget *parent)
    : ScreenDialog(parent), m_session(session), m_set(set), m_mode(mode)
{
    auto *layout = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    layout->addLayout(left, 1);

    m_places = new PlaceBox(this, QStringLiteral("DriveComboBox1"));
    left->addWidget(ui::caption(this, QStringLiteral("Label1"),
                                mode == Mode::Backup ? QStringLiteral("Kam mám zálohovat data:")
                                                     : QStringLiteral("Odkud mám obnovit data?"),
                                m_places));
    left->addWidget(m_places);
    m_dirs = new DirectoryList(this, QStringLiteral("DirectoryListBox1"));
    left->addWidget(m_dirs, 1);
    auto *setTo = ui::caption(this, QStringLiteral("Label2"), QStringLiteral("Nastaveno na:"));
    m_info = ui::valueLabel(this, QStringLiteral("info"), setTo);
    m_info->setWordWrap(true);
    auto *setRow = new QHBoxLayout;
    setRow->addWidget(setTo);
    setRow->addWidget(m_info, 1);
    left->addLayout(setRow);

    auto *right = m_right = new QVBoxLayout;
    layout->addLayout(right, 1);
    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("FileListBox1"));
    m_files->setAccessibleName(QStringLiteral("Soubory zálohy v adresáři"));
    right->addWidget(m_files, 1);

    auto *state = new QGroupBox(QStringLiteral("Stav zálohy v tomto adresáři:"), this);
    state->setObjectName(QStringLiteral("GroupBox1"));
    auto *grid = new QGridLayout(state);
    const auto row = [&](int r, const QString &name, const QString &text, QLabel *&caption) {
        caption = ui::caption(state, name + QStringLiteral("_popis"), text);
        QLabel *value = ui::valueLabel(state, name, caption);
        grid->addWidget(caption, r, 0);
        grid->addWidget(value, r, 1);
        return value;
    };
    m_date = row(0, QStringLiteral("Datum"), QStringLiteral("Datum      :"), m_dateCaption);
    m_time = row(1, QStringLiteral("Cas"), QStringLiteral("Čas          :"), m_timeCaption);
    m_version = row(2, QStringLiteral("Verze"), QStringLiteral("Verze dat : "), m_versionCaption);
    grid->setColumnStretch(1, 1);
    right->addWidget(state);

    m_run = ui::button(this, QStringLiteral("BitBtn1"),
                       mode == Mode::Backup ? QStringLiteral("&Zálohuj data")
                                            : QStringLiteral("&Obnov data !"));
    if (mode == Mode::Backup)
        m_run->setDefault(true);
    m_close = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("&Zavřít okno"));
    right->addLayout(ui::row({m_run}, {m_close}));

    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("Gauge1"));
    m_gauge->setOrientation(Qt::Vertical);
    m_gauge->setTextVisible(false);
    m_gauge->setAccessibleName(mode == Mode::Backup ? QStringLiteral("Průběh zálohy")
                                                    : QStringLiteral("Průběh obnovy"));
    m_gauge->setMaximum(int(backup::members(set).size()) * kSteps);
    layout->addWidget(m_gauge);

    connect(m_places, &PlaceBox::placeChosen, this, &BackupScreen::placeChosen);
    connect(m_places, &PlaceBox::placeMissing, this, [this] {
        m_gauge->setValue(0);
        showPath(m_dirs->path());
    });
    if (mode == Mode::Restore)
        m_places->setExtraPlaces([set] {
            // The copies of the live files each restore keeps, newest first.
            QList<Place> out;
            for (const QString &dir : backup::safetyCopies(set)) {
                const QString name = QFileInfo(dir).fileName();
                const QDateTime moment = QDateTime::fromString(
                    name.section(QLatin1Char('_'), 3, 4), QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
                out.append({QStringLiteral("Data před obnovou ") +
                                QLocale(QLocale::Czech)
                                    .toString(moment, QStringLiteral("d.M.yyyy H:mm:ss")),
                            dir});
            }
            return out;
        });
    connect(m_dirs, &DirectoryList::pathChanged, this, &BackupScreen::showPath);
    connect(m_run, &QPushButton::clicked, this, &BackupScreen::run);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 460);
}

void BackupScreen::addImportBox()
{
    m_import = new QCheckBox(QStringLiteral("Importování databází VK"), this);
    m_import->setObjectName(QStringLiteral("CheckBox1"));
    m_right->insertWidget(m_right->count() - 1, m_import); // above the buttons
    connect(m_import, &QCheckBox::toggled, this, &BackupScreen::applyButtonRule);
}

void BackupScreen::FormShow()
{
    const QString zaloha = QDir(Paths::zalohaDir()).absolutePath();
    QDir().mkpath(zaloha);
    m_places->refresh(Paths::dataDir(), zaloha);
    if (m_import)
        m_import->setChecked(false);
    if (!m_dirs->setPath(zaloha))
        m_dirs->setPath(Paths::dataDir());
    showPath(m_dirs->path());
    m_gauge->setValue(0);
}

void BackupScreen::placeChosen(const QString &path)
{
    if (m_dirs->setPath(path))
        return;
    // No medium there any more: back to the program's own place.
    m_places->refresh(Paths::dataDir(), m_dirs->path());
    m_gauge->setValue(0);
    showPath(m_dirs->path());
}

void BackupScreen::showPath(const QString &path)
{
    m_info->setText(QDir::toNativeSeparators(path));
    m_places->follow(path);
    m_files->clear();
    m_files->addItems(QDir(path).entryList({QStringLiteral("*.zal"), QStringLiteral("*.zat")},
                                           QDir::Files, QDir::Name | QDir::IgnoreCase));
    showStatus();
}

void BackupScreen::showStatus()
{
    // A backup stopped while it swapped the sets is finished or undone
    // first, so the directory shows the set it holds.
    backup::recoverBackup(m_set, m_dirs->path());
    m_status = backup::readStatus(m_dirs->path(), m_set);
    if (!m_status.problem.isEmpty() && m_status.problem != m_toldProblem)
        dialogs::warning(QStringLiteral("Varování:"), m_status.problem);
    m_toldProblem = m_status.problem;
    for (QLabel *caption : {m_dateCaption, m_timeCaption, m_versionCaption})
        caption->setVisible(m_status.exists);
    if (m_status.exists) {
        m_date->setText(m_status.date);
        m_time->setText(m_status.time);
        m_version->setText(m_mode == Mode::Restore && m_status.version.isEmpty()
                               ? QStringLiteral("Nesouhlasná")
                               : m_status.version);
    } else {
        m_date->clear();
        m_time->clear();
        m_version->setText(QStringLiteral("Neexistuje !"));
    }
    applyButtonRule();
}

void BackupScreen::applyButtonRule()
{
    if (m_mode != Mode::Restore)
        return;
    const bool sameVersion = m_status.exists && m_version->text() == version::kText;
    if (!m_import) {
        m_run->setEnabled(sameVersion);
    } else if (m_import->isChecked()) {
        m_run->setText(kImportText);
        m_run->setEnabled(true);
    } else {
        m_run->setText(kRestoreText);
        m_run->setEnabled(sameVersion);
    }
}

void BackupScreen::run()
{
    if (m_mode == Mode::Backup)
        backUp();
    else
        restore();
}

void BackupScreen::setBusy(bool busy)
{
    m_run->setEnabled(!busy);
    m_close->setEnabled(!busy);
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_gauge->setValue(0);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void BackupScreen::showProgress(double files)
{
    const int value = int(files * kSteps);
    if (value != m_gauge->value()) {
        m_gauge->setValue(value);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void BackupScreen::backUp()
{
    setBusy(true);
    const QString problem =
        backup::makeBackup(m_set, m_dirs->path(), QDateTime::currentDateTime(), version::kText,
                           [this](double files) { showProgress(files); });
    setBusy(false);
    if (!problem.isEmpty()) {
        m_gauge->setValue(0);
        showPath(m_dirs->path()); // the earlier set, where there was one, is still there
        dialogs::error(QStringLiteral("Chyba"),
                       QStringLiteral("Záloha se nezdařila.\r\n\r\n") + problem);
        return;
    }
    dialogs::information(QStringLiteral("Výsledek zálohy:"),
                         m_set == backup::Set::Cassettes
                             ? QStringLiteral(" Data byly v pořádku odzálohovány ... ")
                             : QStringLiteral(" CD - Data byly v pořádku odzálohovány ... "));
    accept();
}

void BackupScreen::restore()
{
    const bool importing = m_import && m_import->isChecked();
    m_session.tables().closeAll(); // no handle may keep a replaced file
    setBusy(true);
    const backup::RestoreResult r =
        backup::restoreSet(m_set, m_dirs->path(), QDateTime::currentDateTime(),
                           [this](double files) { showProgress(files); });
    setBusy(false);
    applyButtonRule();
    if (!r.problem.isEmpty()) {
        m_gauge->setValue(0);
        QString text = QStringLiteral("Obnova dat se nezdařila.\r\n\r\n") + r.problem;
        if (r.putBack)
            text += QStringLiteral("\r\n\r\nData programu zůstala beze změny.");
        else
            text += QStringLiteral("\r\n\r\nPůvodní data se nepodařilo vrátit na místo. Jejich "
                                   "kopie je uložena v adresáři:\r\n") +
                    QDir::toNativeSeparators(r.safetyDir);
        dialogs::error(QStringLiteral("Chyba"), text);
        return;
    }
    dialogs::information(QStringLiteral("Výsledek obnovy:"),
                         (m_set == backup::Set::Cassettes
                              ? QStringLiteral(" Obnova dat provedena v pořádku ... ")
                              : QStringLiteral(" Obnova CD dat provedena v pořádku ... ")) +
                             QStringLiteral("\r\n\r\nData, která program měl před obnovou, jsou "
                                            "uložena v adresáři:\r\n") +
                             QDir::toNativeSeparators(r.safetyDir));
    if (!r.removedSafetyDirs.isEmpty()) {
        QStringList names;
        for (const QString &d : r.removedSafetyDirs)
            names << QDir::toNativeSeparators(d);
        dialogs::information(
            QStringLiteral("Informace"),
            QStringLiteral("Program uchovává %1 nejnovějších kopií dat z doby před obnovou. "
                           "Starší kopie byly odstraněny:\r\n")
                    .arg(backup::kSafetyCopiesKept) +
                names.join(QStringLiteral("\r\n")));
    }
    accept();
    if (importing)
        dialogs::information(
            QStringLiteral("Doporučení:"),
            QStringLiteral("Zkontrolujte si databáze VK. Pokud bude vše v pořádku, odinstalujte "
                           "Váš bývalý program pro Orvella a ručně smažte adresář, kde se "
                           "nacházel. Pro další práci s evidencí používejte pak tento program."));
    if (r.oldFormat) {
        // Narrower genres came back: nothing may write the cassettes until
        // the format upgrade has widened them.
        m_session.settings().cassettesReadOnly = true;
        m_session.runCommand(QStringLiteral("core.formatUpgrade"));
    }
}

} // namespace velmora
