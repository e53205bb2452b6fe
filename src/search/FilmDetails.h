#pragma once

#include "platform/ScreenDialog.h"
#include <QIcon>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora {

class ReportPane;
class THledej_film;

// The details window of the film search: the found cassettes in a tree,
// marked when they are away from home, and the films of the chosen one.
class TSeznam : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TSeznam(THledej_film &search, QWidget *parent = nullptr);

    // The image index of a node: 0 the root, 1 at home, 2 away.
    static constexpr int kImageRole = Qt::UserRole + 1;
    static QIcon image(int index);

    QTreeWidget *tree() const { return m_tree; }
    ReportPane *pane() const { return m_pane; }

public slots:
    // "&Vytiskni zobrazený seznam": prints the pane and closes the window.
    void printList();

protected:
    void FormShow() override;
    void done(int result) override;

private:
    void buildTree();
    void nodeChosen(QTreeWidgetItem *item);
    void showCassette(const QString &nodeText);

    THledej_film &m_search;
    bool m_ready = false; // selection events count only between build and close

    QLabel *m_count = nullptr;
    QLabel *m_cut = nullptr;
    QTreeWidget *m_tree = nullptr;
    QTreeWidgetItem *m_root = nullptr;
    ReportPane *m_pane = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_pdf = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace velmora
