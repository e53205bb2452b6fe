#pragma once

#include "platform/ScreenDialog.h"
#include "transfer/ExchangeFiles.h"
#include "transfer/ExportInfo.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace velmora {

class DirectoryList;
class PlaceBox;

// Imports the catalogues other users exported, replaces one by a newer
// export of its owner, and deletes imported ones.
class ImportManager : public ScreenDialog
{
    Q_OBJECT
public:
    // What tells the managers of the two catalogues apart: the catalogue,
    // the screen's name and title and the sentences that name the catalogue
    // (the table in ImportManagers.cpp).
    struct Design
    {
        exchange::Catalogue catalogue;
        const char *name;
        const char *caption;
        const char *exists;       // first sentence of the "already exists" question
        const char *replaced;     // after a replacement
        const char *notNewer;     // the export is as old or older
        const char *deleteAsk;    // followed by the owner and " ?"
        const char *deleteKept;   // the deletion was declined
        const char *countCaption; // "Videokazet     :"
        const char *allowed;      // "Povolen import VK."
        const char *refused;      // "Nepovolen import VK."
    };

    DirectoryList *directories() const { return m_dirs; }
    QListWidget *files() const { return m_files; }
    QTableView *grid() const { return m_grid; }
    QPushButton *importButton() const { return m_import; }
    QProgressBar *gauge() const { return m_gauge; }

public slots:
    void fileClicked();   // a click in "Databáze pro Import:"
    void importChosen();  // "Importuj databázi"
    void deleteCurrent(); // double click on the grid
    void directoryChanged(const QString &path);

protected:
    ImportManager(const Design &design, QWidget *parent);
    void FormShow() override;
    void FormClose() override;

private:
    void placeMissing(const QString &name);
    void showCount();
    void clearValues();
    void offerCleanup();

    const Design &m_design;
    exchange::Catalogue m_catalogue;
    exchange::ExportInfo m_info;
    QString m_exportDir;
    QLabel *m_count = nullptr;
    PlaceBox *m_places = nullptr;
    DirectoryList *m_dirs = nullptr;
    QLabel *m_path = nullptr;
    QListWidget *m_files = nullptr;
    QProgressBar *m_gauge = nullptr;
    QLabel *m_date = nullptr;
    QLabel *m_time = nullptr;
    QLabel *m_version = nullptr;
    QLabel *m_records = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_owner = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_close = nullptr;
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_model = nullptr;
    QList<exchange::RegisterEntry> m_entries;
};

} // namespace velmora
