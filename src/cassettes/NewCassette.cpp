#include "cassettes/NewCassette.h"

#include "cassettes/ConfirmWindow.h"
#include "cassettes/RecordingBlocks.h"
#include "catalogue/CassetteCatalogue.h"
#include "catalogue/CassetteRules.h"
#include "platform/DateBox.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

namespace velmora {

TNova_kazeta::TNova_kazeta(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Nova_kazeta"));
    setWindowTitle(QStringLiteral("Vložení nové videokazety"));

    m_blocks = new RecordingBlocks(RecordingBlocks::Screen::New, this);

    m_number = new QComboBox(this);
    m_number->setObjectName(QStringLiteral("Cislo_k"));
    m_number->setEditable(false);
    m_number->setAccessibleName(QStringLiteral("Číslo zaváděné kazety"));
    m_number->setMinimumContentsLength(6);
    auto *numberLabel = new QLabel(QStringLiteral("Číslo zaváděné kazety :"), this);
    numberLabel->setBuddy(m_number);

    m_save = ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("Uložit kazetu"));
    m_save->setDefault(true);
    m_cancel = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("Neuložit a zrušit"));

    auto *number = new QVBoxLayout;
    number->addWidget(numberLabel);
    number->addWidget(m_number);
    m_blocks->layOut(this, number, {m_save, m_cancel});

    m_confirm = new ConfirmWindow(this);

    connect(m_blocks, &RecordingBlocks::titleChanged, this, &TNova_kazeta::titleChanged);
    connect(m_blocks, &RecordingBlocks::speedChanged, this, [this] { recompute(); });
    connect(m_blocks, &RecordingBlocks::endCounterLeft, this, [this] { recompute(); });
    connect(m_blocks, &RecordingBlocks::typeChanged, this, [this] { recompute(true); });
    connect(m_blocks, &RecordingBlocks::overrunChanged, this,
            [this](bool on) { m_save->setEnabled(!on); });
    connect(m_save, &QPushButton::clicked, this, &TNova_kazeta::BitBtn1Click);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TNova_kazeta::~TNova_kazeta() = default;

void TNova_kazeta::FormShow()
{
    m_closed = false;
    if (!m_confirm)
        m_confirm = new ConfirmWindow(this);
    prepare();
}

void TNova_kazeta::prepare()
{
    try {
        m_blocks->fillLists(m_session.tables().Users_01, m_session.tables().Users_02);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    {
        RecordingBlocks::Quiet quiet(*m_blocks);
        m_blocks->leaveOverrun();
        m_blocks->setOpenQuietly(true);
        m_blocks->writeOpenNote(true);
        RecordingBlocks::selectText(m_blocks->typeList(), kDefaultTapeType);
        m_blocks->showCapacity();
    }
    m_number->clear();
    try {
        const FreeNumbers numbers = CassetteCatalogue(m_session.tables().Table1).offers();
        m_number->addItems(numbers.offers);
        m_number->setCurrentIndex(m_number->findText(numbers.preselected));
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    for (int n = 1; n <= kSlots; ++n)
        m_blocks->clearBlock(n);
    m_blocks->computeLengths(false);
    m_blocks->showRemainingValues(0);
    m_save->setEnabled(true);
    QLineEdit *first = m_blocks->block(1).title;
    first->setFocus();
    m_blocks->blockArea()->ensureWidgetVisible(first);
}

void TNova_kazeta::titleChanged(int n)
{
    const RecordingBlocks::Block &b = m_blocks->block(n);
    {
        RecordingBlocks::Quiet quiet(*m_blocks);
        if (!b.title->text().isEmpty()) {
            // A new recording starts where the one before it ended.
            if (n > 1) {
                b.start->setText(m_blocks->block(n - 1).end->text());
                b.end->setText(b.start->text());
            }
            RecordingBlocks::selectText(b.speed, QStringLiteral("SP"));
        } else {
            b.start->setText(QStringLiteral("0"));
            b.end->setText(QStringLiteral("0"));
            b.speed->setCurrentIndex(-1);
        }
    }
    recompute();
}

void TNova_kazeta::recompute(bool typeChanged)
{
    m_blocks->computeLengths(false);
    if (typeChanged)
        m_blocks->showCapacity();
    const int remaining = m_blocks->remaining();
    m_blocks->showRemaining(remaining);
    m_blocks->setOpenFromRule(IsOpenCassette(remaining, m_session.settings().minOpenTime));
    m_save->setEnabled(!m_blocks->overrun());
}

void TNova_kazeta::BitBtn1Click()
{
    // Enter in an end counter saves without leaving the box: the lengths
    // are brought up to date first, and an overfilled cassette stays unsaved.
    // The open-cassette box keeps what the user made of it.
    m_blocks->computeLengths(false);
    m_blocks->showRemaining(m_blocks->remaining());
    m_save->setEnabled(!m_blocks->overrun());
    if (m_blocks->overrun())
        return;

    CassetteRecord r;
    r.type = m_blocks->typeText();
    r.number = RecordingBlocks::listText(m_number);
    r.recordings = m_blocks->recordings(true);
    r.note = m_blocks->cassetteNote()->text();
    if (CassetteCatalogue(m_session.tables().Table1).add(r)) {
        if (m_confirm)
            m_confirm->popup();
    } else {
        dialogs::information(QStringLiteral("Informace ..."),
                             QStringLiteral("Nepodařilo se zaevidovat uvedenou kazetu, nastala "
                                            "chyba. Databáze \r\nzůstala neporušena !"));
    }
    prepare();
}

void TNova_kazeta::keyPressEvent(QKeyEvent *event)
{
    // Enter belongs to the save button, which is off while the cassette is
    // overfilled.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !m_save->isEnabled()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TNova_kazeta::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    m_blocks->stopAlternation();
    CassetteCatalogue(m_session.tables().Table1).close();
    delete m_confirm;
    m_confirm = nullptr;
}

} // namespace velmora
