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
    struct Texts
    {
        QString exists;       // first sentence of the "already exists" question
        QString replaced;     // after a replacement
        QString notNewer;     // the export is as old or older
        QString deleteAsk;    // followed by the owner and " ?"
        QString deleteKept;   // the deletion was declined
        QString countCaption; // "Videokazet     :"
        QString allowed;      // "Povolen import VK."
        QString refused;      // "Nepovolen import VK."
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
    ImportManager(exchange::Catalogue catalogue, Texts texts, QWidget *parent);
    void FormShow() override;
    void FormClose() override;

private:
    void placeMissing(const QString &name);
    void showCount();
    void clearValues();
    void offerCleanup();

    exchange::Catalogue m_catalogue;
    Texts m_texts;
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
