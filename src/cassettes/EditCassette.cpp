#include "cassettes/EditCassette.h"

#include "cassettes/RecordingBlocks.h"
#include "catalogue/CassetteCatalogue.h"
#include "catalogue/CassetteRules.h"
#include "platform/DateBox.h"
#include "platform/Dialogs.h"
#include "platform/JumpList.h"
#include "platform/RecordNavigator.h"
#include "platform/Widgets.h"
#include "session/Session.h"
#include "session/StartItem.h"
#include "storage/FieldValues.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kNumberField = QStringLiteral("cislo");

} // namespace

TUprav_kazetu::TUprav_kazetu(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Uprav_kazetu"));
    setWindowTitle(QStringLiteral("Upravení (editace existující videokazety) ...."));

    m_blocks = new RecordingBlocks(RecordingBlocks::Screen::Edit, this);

    m_jump = new JumpList(this);
    m_jump->setObjectName(QStringLiteral("Jdi_hned"));
    m_jump->setAccessibleName(QStringLiteral("Jdi na kazetu"));
    auto *jumpLabel = new QLabel(QStringLiteral("Jdi na kazetu :"), this);
    jumpLabel->setBuddy(m_jump);

    m_navigator = new RecordNavigator(this);
    m_navigator->setHints({QStringLiteral("První kazeta"), QStringLiteral("Předchozí kazeta"),
                           QStringLiteral("Další kazeta"), QStringLiteral("Poslední kazeta")});
    m_navigator->setTable(&m_session.tables().Table1);
    m_navigator->installWheelOn(this);

    m_close = ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("&Uzavřít okno"));
    m_save = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("&Uložit změny"));
    m_save->setDefault(true);
    m_cancel = ui::button(this, QStringLiteral("BitBtn3"), QStringLiteral("&Zrušit změny"));

    auto *jump = new QGridLayout;
    jump->addWidget(jumpLabel, 0, 0, 1, 2);
    jump->addWidget(m_jump, 1, 0);
    jump->addWidget(m_navigator, 1, 1);
    m_blocks->layOut(this, jump, {m_save, m_cancel, m_close});

    connect(m_blocks, &RecordingBlocks::typeChanged, this, [this] { m_blocks->showCapacity(); });
    connect(m_blocks, &RecordingBlocks::edited, this, [this] {
        setPending(true);
        recompute();
    });
    connect(m_blocks, &RecordingBlocks::endCounterLeft, this, [this] { recompute(); });
    connect(m_blocks, &RecordingBlocks::overrunChanged, this, [this] { updateButtons(); });
    connect(m_jump, &JumpList::chosen, this, &TUprav_kazetu::Jdi_hnedChange);
    connect(m_navigator, &RecordNavigator::moved, this, &TUprav_kazetu::navigated);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_save, &QPushButton::clicked, this, &TUprav_kazetu::BitBtn2Click);
    connect(m_cancel, &QPushButton::clicked, this, &TUprav_kazetu::BitBtn3Click);
    // Pending changes are saved or cancelled first; Esc cancels them.
    setEscapeButton(m_cancel);
    setHeldOpen([this] { return m_pending; });
    updateButtons();
}

TUprav_kazetu::~TUprav_kazetu() = default;

void TUprav_kazetu::FormShow()
{
    m_closed = false;
    int recording = 0;
    try {
        m_blocks->fillLists(m_session.tables().Users_01, m_session.tables().Users_02);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    try {
        // The cassette with the highest number comes first.
        CassetteCatalogue(m_session.tables().Table1).showAllFromLast();
        m_jump->fill(visibleValues(m_session.tables().Table1, kNumberField),
                     currentValue(m_session.tables().Table1, kNumberField));
        m_jump->setCurrentIndex(m_jump->count() - 1);
        CassetteCatalogue cassettes(m_session.tables().Table1);
        if (const startitem::Item start = startitem::takeItem();
            !start.number.isEmpty() && cassettes.moveToListed(start.number)) {
            m_jump->follow(cassettes.current().number);
            recording = start.recording;
        }
        m_navigator->refresh();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    m_blocks->stopAlternation();
    load();
    // Opened at a recording of the overview: its title is what the user
    // came to correct.
    if (recording >= 1 && recording <= kSlots) {
        QLineEdit *title = m_blocks->block(recording).title;
        m_blocks->blockArea()->ensureWidgetVisible(title);
        title->setFocus();
    }
}

void TUprav_kazetu::load()
{
    try {
        const CassetteRecord r = CassetteCatalogue(m_session.tables().Table1).current();
        RecordingBlocks::Quiet quiet(*m_blocks);
        RecordingBlocks::selectText(m_blocks->typeList(), r.type);
        m_blocks->showRecordings(r.recordings);
        m_blocks->cassetteNote()->setText(r.note);
        // Any note keeps the box on; the loaded note itself stays as it is.
        m_blocks->setOpenQuietly(!r.note.isEmpty());
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    recompute();
    m_blocks->showCapacity();
    setPending(false);
}

void TUprav_kazetu::recompute()
{
    m_blocks->computeLengths(true);
    m_blocks->showRemaining(m_blocks->remaining());
    updateButtons();
}

void TUprav_kazetu::setPending(bool on)
{
    m_pending = on;
    updateButtons();
}

void TUprav_kazetu::updateButtons()
{
    m_save->setEnabled(m_pending && !m_blocks->overrun());
    m_cancel->setEnabled(m_pending);
    m_close->setEnabled(!m_pending);
    m_jump->setEnabled(!m_pending);
    m_navigator->setEnabled(!m_pending);
}

void TUprav_kazetu::Jdi_hnedChange(const QString &number)
{
    if (m_pending)
        return;
    CassetteCatalogue cassettes(m_session.tables().Table1);
    try {
        if (!cassettes.moveTo(number))
            m_jump->follow(cassettes.currentNumber());
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    load();
    m_jump->setFocus();
}

void TUprav_kazetu::navigated()
{
    if (m_pending)
        return;
    m_jump->follow(CassetteCatalogue(m_session.tables().Table1).currentNumber());
    load();
}

void TUprav_kazetu::BitBtn2Click()
{
    if (!m_pending || m_blocks->overrun())
        return;
    CassetteRecord r;
    r.type = m_blocks->typeText();
    r.recordings = m_blocks->recordings(false);
    r.note = m_blocks->cassetteNote()->text();
    if (CassetteCatalogue(m_session.tables().Table1).saveCurrent(r))
        dialogs::information(QStringLiteral("Informace:"),
                             QStringLiteral("Vaše změny byly zapsány v pořádku do databáze ..."));
    else
        dialogs::error(QStringLiteral("Chyba:"),
                       QStringLiteral("Nepodařilo se upravit nastavenou kazetu, nastala chyba. "
                                      "Databáze \r\nzůstala neporušena !"));
    setPending(false);
}

void TUprav_kazetu::BitBtn3Click()
{
    load();
}

void TUprav_kazetu::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    m_blocks->stopAlternation();
    try {
        CassetteCatalogue(m_session.tables().Table1).showAll();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

} // namespace velmora
