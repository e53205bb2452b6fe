#include "platform/ScreenDialog.h"

#include "platform/Dialogs.h"

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

} // namespace velmora
