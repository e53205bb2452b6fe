#include "platform/ScreenDialog.h"

#include "platform/Dialogs.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>

namespace velmora {

void ScreenDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    try {
        FormShow();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void ScreenDialog::keyPressEvent(QKeyEvent *event)
{
    if (m_escape && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_escape->isEnabled())
            m_escape->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ScreenDialog::closeEvent(QCloseEvent *event)
{
    if (heldOpen()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ScreenDialog::done(int result)
{
    if (heldOpen())
        return;
    try {
        FormClose();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    QDialog::done(result);
}

} // namespace velmora
