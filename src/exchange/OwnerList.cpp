#include "exchange/OwnerList.h"

#include "platform/Dialogs.h"
#include "printing/PaneWriter.h"
#include "transfer/ExternalReports.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
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

bool openChosenOwner(OwnerTables &tables, const QComboBox &users, ReportPane &pane,
                     QPushButton &print, bool printerAvailable)
{
    closeOwner(tables);
    if (users.currentIndex() < 0) {
        report::write(pane, report::Mode::None, {});
        return false;
    }
    try {
        tables.open(users.currentText());
    } catch (const std::exception &e) {
        report::write(pane, report::Mode::None, {});
        print.setEnabled(false);
        dialogs::showError(e);
        return false;
    }
    print.setEnabled(printerAvailable);
    return true;
}

void closeOwner(OwnerTables &tables)
{
    try {
        tables.close();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

} // namespace velmora::exchange
