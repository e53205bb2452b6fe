#pragma once

#include "platform/ScreenDialog.h"
#include "storage/Schemas.h"

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace velmora {

class Session;
class Table;
class TableModel;

// Two user lists side by side, each with its count, an entry box, the
// grid of its rows and the buttons that add, remove and reset rows. Every
// change is posted at once.
class UserListsScreen : public ScreenDialog
{
    Q_OBJECT
public:
    // The texts and the table of one panel.
    struct PanelDesign
    {
        UserList list;
        Table *table;
        QString heading;
        QString countCaption;
        int width; // of the entry
        QString column;
        QString add;
        QString remove;
        QString reset;
    };

    struct Panel
    {
        PanelDesign design;
        QWidget *frame = nullptr;
        QLabel *count = nullptr;
        QLineEdit *entry = nullptr;
        QTableView *grid = nullptr;
        TableModel *model = nullptr;
        QPushButton *add = nullptr;
        QPushButton *remove = nullptr;
        QCheckBox *sorted = nullptr;
        QPushButton *reset = nullptr;
    };
    const Panel &panel(int side) const { return m_panels[side]; } // 0 left, 1 right

protected:
    UserListsScreen(Session &session, const PanelDesign &left, const PanelDesign &right,
                    QWidget *parent);
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPanel(int side, QWidget *frame);
    void refresh();
    void applySorting(Panel &p);
    void act(int side, const std::function<void(Panel &)> &change);

    Session &m_session;
    Panel m_panels[2];
};

} // namespace velmora
