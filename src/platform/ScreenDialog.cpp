#include "platform/ScreenDialog.h"

#include "platform/Dialogs.h"
#include "platform/TabOrder.h"
#include "platform/Widgets.h"

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
    // After the preparation, which may show or hide controls and set the
    // focus where the screen wants it.
    ui::orderTabChain(this);
    ui::keepOnScreen(this);
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
