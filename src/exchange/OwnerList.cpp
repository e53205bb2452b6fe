#include "exchange/OwnerList.h"

#include "platform/Dialogs.h"
#include "transfer/ExternalReports.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

namespace velmora::exchange {

void fillOwnerList(QComboBox &users, QLabel &count, Catalogue catalogue, const QString &pattern)
{
    QStringList list;
    try {
        list = owners(catalogue);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    const QSignalBlocker quiet(&users);
    users.clear();
    users.addItems(list);
    count.setText(pattern.arg(list.size()));
    users.setCurrentIndex(list.isEmpty() ? -1 : 0);
}

} // namespace velmora::exchange
