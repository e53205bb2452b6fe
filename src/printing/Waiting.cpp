#include "printing/Waiting.h"

#include "session/Language.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QShowEvent>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kBuiltInText = QStringLiteral("Strpení, data se zpracovávají");

} // namespace

TWaiting_Form::TWaiting_Form(QWidget *owner)
    : ScreenDialog(owner, Qt::Tool | Qt::FramelessWindowHint), m_owner(owner)
{
    setObjectName(QStringLiteral("Waiting_Form"));
    setModal(false);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(2);
    auto *layout = new QVBoxLayout(panel);
    m_text = new QLabel(kBuiltInText, panel);
    m_text->setObjectName(QStringLiteral("Label1"));
    m_text->setTextFormat(Qt::PlainText); // the text may come from a language file
    m_text->setAlignment(Qt::AlignCenter);
    QFont bold = m_text->font();
    bold.setBold(true);
    m_text->setFont(bold);
    m_gauge = new QProgressBar(panel);
    m_gauge->setObjectName(QStringLiteral("Ukazatel"));
    m_gauge->setAccessibleName(kBuiltInText);
    m_gauge->setMinimumWidth(300);
    layout->addWidget(m_text);
    layout->addWidget(m_gauge);
    outer->addWidget(panel);
}

void TWaiting_Form::FormShow()
{
    if (lang::present())
        m_text->setText(lang::text(QStringLiteral("Central"), QStringLiteral("121"), kBuiltInText) +
                        QStringLiteral(" ..."));
    m_gauge->setMaximum(qMax(0, m_count));
    m_position = 0;
    m_gauge->setValue(0);
}

void TWaiting_Form::start(int count)
{
    setRecordCount(count);
    adjustSize();
    if (m_owner) {
        const QPoint centre = m_owner->mapToGlobal(m_owner->rect().center());
        move(centre - rect().center());
    }
    show();
    catchUp();
}

void TWaiting_Form::advance()
{
    if (m_position < m_gauge->maximum())
        ++m_position;
    // Setting the bar, painting and handling events after each of half a
    // million records would take longer than the report (the bar measures
    // its text on every new value); a few dozen times a second is as smooth
    // to the eye.
    if (m_sinceRepaint.isValid() && m_sinceRepaint.elapsed() < kRepaintMs)
        return;
    catchUp();
}

void TWaiting_Form::catchUp()
{
    m_gauge->setValue(m_position);
    repaint();
    QApplication::processEvents();
    m_sinceRepaint.start();
}

void TWaiting_Form::finish()
{
    m_gauge->setValue(m_position);
    hide();
}

QString TWaiting_Form::text() const
{
    return m_text->text();
}

int TWaiting_Form::position() const
{
    return m_position;
}

int TWaiting_Form::maximum() const
{
    return m_gauge->maximum();
}

} // namespace velmora
