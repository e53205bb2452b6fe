#include "core/PasswordDlg.h"

#include "platform/Dialogs.h"
#include "session/Language.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace velmora {

TPasswordDlg::TPasswordDlg(const QString &password, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_password(password)
{
    setObjectName(QStringLiteral("PasswordDlg"));
    setWindowTitle(QStringLiteral(" Zabezpečení aplikace ..."));
    setStyleSheet(QStringLiteral("TPasswordDlg { background: white; }"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black); // on its fixed white, whatever the desktop
    setPalette(p);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(20, 16, 20, 16);
    m_prompt = new QLabel(QStringLiteral("Zadejte heslo:"), this);
    m_prompt->setObjectName(QStringLiteral("Label1"));
    // Its words, and those of the two labels below, may come from a language file.
    m_prompt->setTextFormat(Qt::PlainText);
    m_entry = new QLineEdit(this);
    m_entry->setObjectName(QStringLiteral("Password"));
    m_entry->setEchoMode(QLineEdit::Password);
    m_entry->setMaxLength(15);
    m_entry->setAccessibleName(QStringLiteral("Heslo"));
    m_prompt->setBuddy(m_entry);
    m_hint = new QLabel(QStringLiteral("ESC ... Konec."), this);
    m_hint->setObjectName(QStringLiteral("Label2"));
    m_hint->setTextFormat(Qt::PlainText);
    m_panel = new QLabel(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setTextFormat(Qt::PlainText);
    m_panel->setAlignment(Qt::AlignCenter);
    m_panel->setMinimumSize(90, 28);
    m_panel->setAutoFillBackground(true);
    m_panel->setAccessibleName(QStringLiteral("Vstoupit"));
    m_panel->installEventFilter(this);
    installEventFilter(this);
    grid->addWidget(m_prompt, 0, 0);
    grid->addWidget(m_entry, 0, 1);
    grid->addWidget(m_hint, 1, 0);
    grid->addWidget(m_panel, 1, 1, Qt::AlignRight);
    setMinimumWidth(340);
}

void TPasswordDlg::showEvent(QShowEvent *event)
{
    const QString sec = QStringLiteral("PassDlg");
    if (lang::present()) {
        setWindowTitle(
            lang::text(sec, QStringLiteral("000"), QStringLiteral("Zabezpečení aplikace")));
        m_prompt->setText(lang::text(sec, QStringLiteral("001"), QStringLiteral("Zadejte heslo")) +
                          QStringLiteral(":"));
        m_hint->setText(QStringLiteral("ESC ... ") + lang::text(QStringLiteral("Menu_VK"),
                                                                QStringLiteral("700"),
                                                                QStringLiteral("Konec")));
    }
    m_wrong = lang::text(sec, QStringLiteral("002"),
                         QStringLiteral("Zadané heslo není správné, zkuste znovu"));
    m_active = lang::text(sec, QStringLiteral("003"), QStringLiteral("Vstoupit"));
    m_waiting = lang::text(sec, QStringLiteral("004"), QStringLiteral("Čekám"));
    setPanelActive(false);
    QDialog::showEvent(event);
    m_entry->setFocus();
}

void TPasswordDlg::setPanelActive(bool active)
{
    m_panel->setText(active ? m_active : m_waiting);
    m_panel->setFrameShape(QFrame::Panel);
    m_panel->setFrameShadow(active ? QFrame::Raised : QFrame::Sunken);
    QPalette p = m_panel->palette();
    p.setColor(QPalette::Window, active ? QColor(Qt::yellow) : QColor(0xC0, 0xC0, 0xC0));
    m_panel->setPalette(p);
}

void TPasswordDlg::enter()
{
    // Compared exactly, letter case included.
    if (m_entry->text() == m_password) {
        m_closing = true;
        accept();
        return;
    }
    dialogs::error(
        lang::text(QStringLiteral("Others"), QStringLiteral("006"), QStringLiteral("Chyba")),
        m_wrong);
    m_entry->clear();
    // The message box took the activation; the entry gets it back for the next try.
    activateWindow();
    raise();
    m_entry->setFocus();
}

void TPasswordDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        m_closing = true;
        reject();
        return;
    }
    // Enter in the entry comes here too, since the entry passes it on.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        enter();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TPasswordDlg::closeEvent(QCloseEvent *event)
{
    // The window's own close keys do not get past the dialog.
    if (m_closing)
        event->accept();
    else
        event->ignore();
}

bool TPasswordDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        if (watched == m_panel)
            setPanelActive(true);
        else if (watched == this)
            setPanelActive(false);
    } else if (watched == m_panel && event->type() == QEvent::MouseButtonRelease) {
        enter();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace velmora
