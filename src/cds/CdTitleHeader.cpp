#include "cds/CdTitleHeader.h"

#include "catalogue/CdCatalogue.h"
#include "catalogue/CdTitleMoves.h"
#include "platform/Colours.h"
#include "platform/JumpList.h"
#include "platform/Widgets.h"
#include "session/StartItem.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace velmora {
CdTitleHeader::CdTitleHeader(QWidget *parent, const Design &design)
{
    m_jump = new JumpList(parent);
    m_jump->setObjectName(QStringLiteral("Jdi_hned"));
    auto *jumpLabel = ui::caption(parent, QStringLiteral("Label_Jdi_hned"),
                                  QStringLiteral("Jdi na CD :"), m_jump);
    auto *sizeCaption =
        ui::caption(parent, QStringLiteral("Label_Typ"), QStringLiteral("Typ (velikost) CD :"));
    m_size = ui::valueLabel(parent, QStringLiteral("T_cd"), sizeCaption);
    ui::setBold(m_size);
    if (design.loanName)
        m_loan = ui::valueLabel(parent, QString::fromUtf8(design.loanName),
                                QStringLiteral("Stav půjčení"));
    m_title = ui::readOnlyBox(parent, QStringLiteral("TitulCD"));
    m_artist = ui::readOnlyBox(parent, QStringLiteral("Artist"));
    m_note = ui::readOnlyBox(parent, QStringLiteral("PoznCD"));
    auto *titleLabel = ui::caption(parent, QString::fromUtf8(design.titleName),
                                   QString::fromUtf8(design.titleCaption), m_title);
    auto *artistLabel = ui::caption(parent, QStringLiteral("Label_Artist"),
                                    QString::fromUtf8(design.artistCaption), m_artist);
    auto *noteLabel = ui::caption(parent, QString::fromUtf8(design.noteName),
                                  QStringLiteral("Poznámka k hudebnímu CD:"), m_note);

    m_grid = new QGridLayout;
    m_grid->addWidget(jumpLabel, 0, 0);
    m_grid->addWidget(m_jump, 0, 1);
    m_grid->addWidget(sizeCaption, 0, 2);
    m_grid->addWidget(m_size, 0, 3);
    int row = 1;
    if (m_loan)
        m_grid->addWidget(m_loan, row++, 0, 1, 4);
    const int span = design.packedFirstRow ? 4 : 3;
    for (auto [label, box] : {std::pair<QLabel *, QLineEdit *>{titleLabel, m_title},
                              {artistLabel, m_artist},
                              {noteLabel, m_note}}) {
        m_grid->addWidget(label, row, 0);
        m_grid->addWidget(box, row++, 1, 1, span);
    }
    if (design.packedFirstRow) {
        m_grid->setColumnStretch(4, 1);
    } else {
        m_grid->setColumnStretch(1, 1);
        m_grid->setColumnStretch(3, 1);
    }
}

bool CdTitleHeader::fillFromLast(Table &titles)
{
    const QStringList numbers = titleNumbers(titles);
    {
        const QSignalBlocker quiet(m_jump);
        m_jump->clear();
        m_jump->addItems(numbers);
    }
    if (numbers.isEmpty())
        return false;
    m_jump->setCurrentIndex(m_jump->count() - 1);
    moveToLastTitle(titles);
    if (const QString number = startitem::take(); !number.isEmpty() && locateTitle(titles, number))
        m_jump->follow(number);
    return true;
}

bool CdTitleHeader::locate(Table &titles, const QString &number, const QString &shown)
{
    if (locateTitle(titles, number, true))
        return true;
    m_jump->follow(shown);
    return false;
}

void CdTitleHeader::show(const CdTitle &title, const QString &size, const QString &artist)
{
    m_size->setText(size);
    m_title->setText(title.title);
    m_artist->setText(artist);
    m_note->setText(title.note);
}

void CdTitleHeader::clear()
{
    m_jump->clear();
    m_size->clear();
    if (m_loan)
        m_loan->clear();
    m_title->clear();
    m_artist->clear();
    m_note->clear();
}

void CdTitleHeader::showLoan(QLabel *label, const Loan &loan)
{
    colours::setTextColour(label, loan.lent ? kLentColour : kNotLentColour);
    ui::setBold(label, loan.lent);
    label->setText(loan.lent ? QStringLiteral("Hudební CD je půjčeno! ... ( ") + loan.borrower +
                                   QStringLiteral("   od   ") + loan.since + QStringLiteral(" )")
                             : QStringLiteral("Hudební CD není půjčeno ..."));
}

} // namespace velmora
