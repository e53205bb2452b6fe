#pragma once

#include "platform/ScreenDialog.h"
#include "transfer/ExchangeFiles.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace velmora {

class DirectoryList;
class NewDirDialog;
class PlaceBox;

// Exports the own catalogue into a directory the user chooses, typically
// on a removable medium, for another user to import.
class ExportScreen : public ScreenDialog
{
    Q_OBJECT
public:
    DirectoryList *directories() const { return m_dirs; }
    PlaceBox *placesBox() const { return m_places; }
    QProgressBar *gauge() const { return m_gauge; }
    NewDirDialog *newDirDialog() const { return m_newDir; }

public slots:
    void newDirectory(); // "Vytvořit nový podadresář"
    void exportData();   // "&Exportuj data"

protected:
    ExportScreen(exchange::Catalogue catalogue, NewDirDialog *newDir, const QString &text,
                 QWidget *parent);
    void FormShow() override;

private:
    void showPath(const QString &path);

    exchange::Catalogue m_catalogue;
    NewDirDialog *m_newDir;
    PlaceBox *m_places = nullptr;
    DirectoryList *m_dirs = nullptr;
    QLabel *m_info = nullptr;
    QProgressBar *m_gauge = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace velmora
