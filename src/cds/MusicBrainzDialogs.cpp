#include "cds/MusicBrainzDialogs.h"

#include "cds/CdAudio.h"
#include "cds/TrackCountDialog.h"
#include "musicbrainz/DiscId.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kWarning = QStringLiteral("Upozornění:");
const QString kInformation = QStringLiteral("Informace:");

} // namespace

TCekani_MusicBrainz::TCekani_MusicBrainz(MusicBrainzClient &client, QWidget *parent)
    : ScreenDialog(parent), m_client(client)
{
    setObjectName(QStringLiteral("Cekani_MusicBrainz"));
    setWindowTitle(QStringLiteral("MusicBrainz"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_text = ui::caption(this, QStringLiteral("Text"),
                         QStringLiteral("Hledám disk v databázi MusicBrainz ..."));
    m_cancel = ui::button(this, QStringLiteral("Zrusit"), QStringLiteral("Zrušit"));
    m_cancel->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(ui::row({}, {m_cancel}));
    setEscapeButton(m_cancel);

    connect(&m_client, &MusicBrainzClient::finished, this, &TCekani_MusicBrainz::arrived);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TCekani_MusicBrainz::arrived(const LookupOutcome &outcome)
{
    if (outcome.status == LookupOutcome::Status::Cancelled)
        return;
    m_outcome = outcome;
    if (isVisible())
        accept();
}

void TCekani_MusicBrainz::FormClose()
{
    // Closed before the answer (the cancel, Esc, the window's frame): the
    // request ends with it and its answer, if any, is not used.
    if (!m_outcome && m_client.running())
        m_client.cancel();
}

TVyber_vydani::TVyber_vydani(const std::vector<musicbrainz::Release> &releases, QWidget *parent)
    : ScreenDialog(parent)
{
    setObjectName(QStringLiteral("Vyber_vydani"));
    setWindowTitle(QStringLiteral("Výběr vydání z databáze MusicBrainz"));
    m_grid = new QTableWidget(int(releases.size()), 6, this);
    m_grid->setObjectName(QStringLiteral("Vydani"));
    m_grid->setAccessibleName(QStringLiteral("Vydání disku"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Název"), QStringLiteral("Interpret"),
                                       QStringLiteral("Rok"), QStringLiteral("Země"),
                                       QStringLiteral("Formát"), QStringLiteral("Počet nosičů")});
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < int(releases.size()); ++r) {
        const musicbrainz::Release &rel = releases[size_t(r)];
        const QStringList cells{rel.title,   rel.artist,    rel.year(),
                                rel.country, rel.formats(), QString::number(rel.media.size())};
        for (int c = 0; c < cells.size(); ++c)
            m_grid->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    m_grid->resizeColumnsToContents();
    auto *caption =
        ui::caption(this, QStringLiteral("Label1"),
                    QStringLiteral("Disk patří k více vydáním, vyberte to své:"), m_grid);
    m_use = ui::button(this, QStringLiteral("Pouzit"), QStringLiteral("Použít"));
    m_use->setDefault(true);
    m_cancel = ui::button(this, QStringLiteral("Zrusit"), QStringLiteral("Zrušit"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_grid, 1);
    layout->addLayout(ui::row({}, {m_use, m_cancel}));
    resize(720, 300);
    if (!releases.empty())
        m_grid->setCurrentCell(0, 0);
    m_grid->setFocus();

    connect(m_use, &QPushButton::clicked, this, [this] {
        if (chosen() >= 0)
            accept();
    });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int TVyber_vydani::chosen() const
{
    const QList<QTableWidgetItem *> picked = m_grid->selectedItems();
    return picked.isEmpty() ? -1 : picked.first()->row();
}

TMechanika_MusicBrainz::TMechanika_MusicBrainz(QWidget *parent) : ScreenDialog(parent)
{
    setObjectName(QStringLiteral("Mechanika_MusicBrainz"));
    setWindowTitle(QStringLiteral("Dohledat v MusicBrainz"));
    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("CD_Rom"));
    m_drives->setToolTip(QStringLiteral("Detekované systémové CD-Rom mechaniky"));
    fillDriveList(*m_drives);
    auto *caption =
        ui::caption(this, QStringLiteral("Label1"), QStringLiteral("Vaše CD Rom :"), m_drives);
    auto *note = ui::caption(this, QStringLiteral("Label2"),
                             QStringLiteral("Vložte disk titulu, jeho obsah se vyhledá v databázi "
                                            "MusicBrainz (internet)."));
    note->setWordWrap(true);
    m_confirm = ui::button(this, QStringLiteral("Dohledat"), QStringLiteral("Dohledat"));
    m_confirm->setDefault(true);
    m_cancel = ui::button(this, QStringLiteral("Zrusit"), QStringLiteral("Zrušit"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(ui::row({caption, m_drives}));
    layout->addLayout(ui::row({}, {m_confirm, m_cancel}));
    m_drives->setFocus();
    // Wide enough for its title in the window's frame and for a drive's name.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) * 2 + 120);

    connect(m_confirm, &QPushButton::clicked, this, &TMechanika_MusicBrainz::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TMechanika_MusicBrainz::drive() const
{
    return driveOf(m_drives->currentText());
}

void TMechanika_MusicBrainz::confirm()
{
    if (chooseImage(*m_drives))
        accept();
}

std::optional<musicbrainz::Release> lookUpRelease(const cd::DiscInfo &disc, QString *discId,
                                                  QWidget *parent)
{
    const std::optional<musicbrainz::DiscToc> toc = musicbrainz::tocOf(disc);
    const QString id = toc ? musicbrainz::discIdOf(*toc) : QString();
    if (discId)
        *discId = id;
    if (id.isEmpty()) {
        dialogs::warning(kWarning, QStringLiteral("Z obsahu disku nelze určit jeho identifikátor "
                                                  "pro MusicBrainz, názvy nebyly dohledány."));
        return std::nullopt;
    }

    // A setting that names no server: nothing to wait for.
    if (const QString problem = MusicBrainzClient::settingProblem(); !problem.isEmpty()) {
        dialogs::warning(kWarning, problem);
        return std::nullopt;
    }
    MusicBrainzClient client;
    TCekani_MusicBrainz waiting(client, parent);
    client.lookup(id);
    // The answer may have come already (a cached one, while the window
    // was made); otherwise the window waits for it, responsive.
    if (!waiting.outcome())
        dialogs::exec(waiting);
    if (client.running())
        client.cancel();
    if (!waiting.outcome())
        return std::nullopt; // the user cancelled: the disc stays as read

    const LookupOutcome &outcome = *waiting.outcome();
    switch (outcome.status) {
    case LookupOutcome::Status::Found:
        // An earlier answer stands in for the server: the user is told why.
        if (!outcome.message.isEmpty())
            dialogs::information(kInformation, outcome.message);
        break;
    case LookupOutcome::Status::NotFound: {
        QString text = outcome.message;
        // Not an invitation to add the disc under an ID it may not have.
        if (disc.musicEndUnknown)
            text = QStringLiteral(
                       "Databáze MusicBrainz disk s disc ID %1 nezná. Tento obraz disku končí "
                       "datovou stopou a jeho formát neříká, kde končí hudební část, takže disc "
                       "ID nemusí být stejné jako u disku samotného. Podle tohoto obrazu proto "
                       "disk do MusicBrainz nepřidávejte; načtěte ho raději z mechaniky.")
                       .arg(id);
        else if (!text.contains(id))
            text += QStringLiteral("\r\nIdentifikátor disku: ") + id;
        dialogs::information(kInformation, text);
        return std::nullopt;
    }
    case LookupOutcome::Status::Cancelled:
        return std::nullopt;
    default:
        dialogs::warning(kWarning, outcome.message.isEmpty()
                                       ? QStringLiteral("Disk se v databázi MusicBrainz nepodařilo "
                                                        "vyhledat.")
                                       : outcome.message);
        return std::nullopt;
    }
    // A release is offered only with a medium that is this disc: another
    // medium of as many tracks would be another disc's names.
    std::vector<musicbrainz::Release> releases;
    for (const musicbrainz::Release &r : outcome.releases)
        if (r.mediumOf(id))
            releases.push_back(r);
    if (releases.empty()) {
        dialogs::information(
            kInformation,
            QStringLiteral("Odpověď databáze MusicBrainz neuvádí tento disk na žádném nosiči "
                           "vydání (disc ID %1); názvy nebyly doplněny.")
                .arg(id));
        return std::nullopt;
    }
    if (releases.size() == 1)
        return releases.front();
    TVyber_vydani chooser(releases, parent);
    if (dialogs::exec(chooser) != QDialog::Accepted || chooser.chosen() < 0)
        return std::nullopt;
    return releases[size_t(chooser.chosen())];
}

} // namespace velmora
