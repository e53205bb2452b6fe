#pragma once

// The language screen TSet_Lang.

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora {

// The language screen: lists the language files in LANG with their header
// information and whether they fit this program version. Changing the
// current language from here is switched off in this release.
class TSet_Lang : public QDialog
{
    Q_OBJECT
public:
    explicit TSet_Lang(QWidget *parent = nullptr);

    static constexpr int kMaxFiles = 100;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void TreeView1Change(QTreeWidgetItem *node);
    void TreeView1SelectionChange();
    void EmailDblClick();
    void selectCurrentFile();
    void showFileInfo(const QString &fileName);
    void clearFileInfo();
    void fitToTexts();

    QTreeWidget *m_tree = nullptr;
    QLabel *m_author = nullptr;
    QLabel *m_date = nullptr;
    QLabel *m_email = nullptr;
    QLabel *m_fileVersion = nullptr;
    QLabel *m_programVersion = nullptr;
    QLabel *m_state = nullptr;
    QPushButton *m_exit = nullptr; // Exit without saving
    QPushButton *m_save = nullptr; // Save changes

    QTreeWidgetItem *m_root = nullptr;
    QTreeWidgetItem *m_currentNode = nullptr; // node of the current language file
    QTreeWidgetItem *m_placeholder = nullptr; // "No Language files!"
};

} // namespace velmora
