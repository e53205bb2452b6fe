#include "cds/TrackCountDialog.h"

#include "catalogue/CdRules.h"
#include "cds/CdAudio.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "system/CdDrive.h"
#include "system/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace velmora {
namespace {

// In [General] of the program's settings.
const QString kLookUpKey = QStringLiteral("MusicBrainzLookup");

bool lookUpRemembered()
{
    try {
        const SettingsStore store = SettingsStore::own();
        return store.exists(kLookUpKey) && store.readBool(kLookUpKey);
    } catch (const std::exception &) {
        return false; // a damaged value sends nothing out
    }
}

void rememberLookUp(bool on)
{
    try {
        SettingsStore store = SettingsStore::own();
        store.writeBool(kLookUpKey, on);
        store.sync();
    } catch (const std::exception &) {
        // Not kept: the box starts unticked next time.
    }
}

} // namespace

void fillDriveList(QComboBox &list)
{
    QStringList entries = ListCdDrives();
    const QString preferred = cd::preferredDevice();
    if (!preferred.isEmpty() && !entries.contains(driveEntry(preferred)))
        entries.prepend(driveEntry(preferred));
    entries << kImageEntry;
    list.addItems(entries);
    list.setCurrentIndex(preferred.isEmpty() ? 0
                                             : std::max(0, list.findText(driveEntry(preferred))));
}

bool chooseImage(QComboBox &list)
{
    if (list.currentText() != kImageEntry)
        return true;
    // Rips of a CD are read like the disc: the image joins the list.
    const QString file = dialogs::openFileName(
        QStringLiteral("Obraz hudebního disku"), QString(),
        QStringLiteral("Obrazy disků (*.cue *.toc *.nrg);;Všechny soubory (*)"));
    if (file.isEmpty())
        return false;
    const QString entry = driveEntry(file);
    int at = list.findText(entry);
    if (at < 0) {
        at = list.count() - 1;
        list.insertItem(at, entry);
        // A long path is cut in the list; the whole one tells two images apart.
        list.setItemData(at, QDir::toNativeSeparators(file), Qt::ToolTipRole);
    }
    list.setCurrentIndex(at);
    return true;
}

TKolik_CDs::TKolik_CDs(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Kolik_CDs"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    auto *choices = new QGroupBox(QStringLiteral("Vaše možnosti vložení stop:"), this);
    choices->setObjectName(QStringLiteral("RadioGroup1"));
    m_read = new QRadioButton(
        QStringLiteral("Detekce z disku CD a automatické nastavení stop a délek"), choices);
    m_read->setObjectName(QStringLiteral("Detekce"));
    m_hand = new QRadioButton(
        QStringLiteral("Ruční nastavení počtu hudebních stop a délek skladeb"), choices);
    m_hand->setObjectName(QStringLiteral("Rucne"));
    auto *choiceLayout = new QVBoxLayout(choices);
    choiceLayout->addWidget(m_read);
    choiceLayout->addWidget(m_hand);

    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("CD_Rom"));
    m_drives->setToolTip(QStringLiteral("Detekované systémové CD-Rom mechaniky"));
    fillDriveList(*m_drives);
    auto *drivesLabel =
        ui::caption(this, QStringLiteral("Label1"), QStringLiteral("Vaše CD Rom :"), m_drives);

    m_count = new QComboBox(this);
    m_count->setObjectName(QStringLiteral("Pocet_skladeb"));
    for (int n = 1; n <= kMaxTrackChoice; ++n)
        m_count->addItem(QString::number(n));
    auto *countLabel =
        ui::caption(this, QStringLiteral("Label2"), QStringLiteral("Počet skladeb :"), m_count);

    m_confirm = ui::button(this, QStringLiteral("Zapsat"), QStringLiteral("Zapsat informaci"));
    m_confirm->setDefault(true);
    m_close = ui::button(this, QStringLiteral("Zavrit"), QStringLiteral("&Zavřít"));

    auto *grid = new QGridLayout;
    grid->addWidget(drivesLabel, 0, 0);
    grid->addWidget(m_drives, 0, 1);
    grid->addWidget(countLabel, 1, 0);
    grid->addWidget(m_count, 1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(choices);
    layout->addLayout(grid);
    layout->addLayout(ui::row({}, {m_confirm, m_close}));

    // Made last, so the controls before it keep their order; shown under
    // the choice it belongs to.
    m_lookUp =
        new QCheckBox(QStringLiteral("Dohledat názvy v databázi MusicBrainz (internet)"), choices);
    m_lookUp->setObjectName(QStringLiteral("MusicBrainz"));
    m_lookUp->setChecked(lookUpRemembered());
    auto *lookUpRow = new QHBoxLayout;
    lookUpRow->addSpacing(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                          style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing));
    lookUpRow->addWidget(m_lookUp);
    choiceLayout->insertLayout(1, lookUpRow);
    // The keyboard reaches it right after the choices, as it is seen.
    setTabOrder(m_hand, m_lookUp);
    connect(m_lookUp, &QCheckBox::clicked, this, [](bool on) { rememberLookUp(on); });

    connect(m_read, &QRadioButton::toggled, this, &TKolik_CDs::choiceChanged);
    connect(m_hand, &QRadioButton::toggled, this, &TKolik_CDs::choiceChanged);
    connect(m_confirm, &QPushButton::clicked, this, &TKolik_CDs::ZapsatClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TKolik_CDs::prepare(const QString &tabCaption, int tracks)
{
    setWindowTitle(QStringLiteral("Nastavení počtu stop na: ") + tabCaption);
    m_count->setCurrentIndex(std::clamp(tracks, 1, kMaxTrackChoice) - 1);
    (tracks < 2 ? m_read : m_hand)->setChecked(true);
    // As remembered now: the other screen's dialog may have changed it.
    m_lookUp->setChecked(lookUpRemembered());
    choiceChanged();
}

void TKolik_CDs::choiceChanged()
{
    const bool read = m_read->isChecked();
    m_drives->setEnabled(read);
    m_count->setEnabled(!read);
    m_lookUp->setEnabled(read);
    m_confirm->setText(read ? QStringLiteral("Načíst z CD-Rom")
                            : QStringLiteral("Vytvořit počet stop"));
}

bool TKolik_CDs::readFromCd() const
{
    return m_read->isChecked();
}

QString TKolik_CDs::drive() const
{
    return driveOf(m_drives->currentText());
}

bool TKolik_CDs::lookUp() const
{
    return m_read->isChecked() && m_lookUp->isChecked();
}

int TKolik_CDs::count() const
{
    return m_count->currentText().toInt();
}

void TKolik_CDs::ZapsatClick()
{
    if (readFromCd() && !chooseImage(*m_drives))
        return;
    accept();
}

} // namespace velmora
