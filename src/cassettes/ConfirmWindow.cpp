#include "cassettes/ConfirmWindow.h"

#include "session/Language.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora {

ConfirmWindow::ConfirmWindow(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("Potvrzeni"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);

    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    m_text = new QLabel(frame);
    m_text->setObjectName(QStringLiteral("Text"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAlignment(Qt::AlignCenter);
    QFont f = m_text->font();
    f.setBold(true);
    m_text->setFont(f);
    auto *inner = new QVBoxLayout(frame);
    inner->setContentsMargins(24, 16, 24, 16);
    inner->addWidget(m_text);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(kLifeMs);
    connect(m_timer, &QTimer::timeout, this, &ConfirmWindow::tick);
}

QString ConfirmWindow::text() const
{
    return m_text->text();
}

void ConfirmWindow::popup()
{
    m_text->setText(lang::text(QStringLiteral("Central"), QStringLiteral("120"),
                               QStringLiteral("Uložení Vašich nových dat proběhlo v pořádku")) +
                    QStringLiteral(" ..."));
    adjustSize();
    if (QWidget *owner = parentWidget()) {
        const QPoint centre = owner->mapToGlobal(owner->rect().center());
        move(centre - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    m_timer->start();
}

void ConfirmWindow::tick()
{
    m_timer->stop();
    hide();
}

} // namespace velmora
