#pragma once

#include "platform/ScreenDialog.h"
#include "search/SearchResults.h"

#include <QColor>
#include <QIcon>
#include <vector>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora {

class ReportPane;
class Session;

// What the details windows of the searches share: the found items of the
// last search in a fully expanded tree, red where the item is away from
// home, and beside it a pane with the chosen item's rows, to print or save.
class FoundDetails : public ScreenDialog
{
    Q_OBJECT
public:
    struct Texts
    {
        QString objectName;
        QString caption;    // the window title
        QString countLabel; // the header's caption before the count
        QString legend;     // the red words of the legend; none when empty
        QString root;       // the tree's root
        QString nodePrefix; // before each number: "VK: ", "Titul: "
        int keyLength = 5;  // of the item's key after the prefix; -1 the rest
        QColor nodeColour;  // of the item nodes; the tree's own when invalid
        bool boldNodes = false;
        QString treeName; // accessible names
        QString paneName;
        QString cutNote; // after the count when the list was cut; %1 the limit
        // Whether the nodes' dots tell a loan; imported catalogues tell none.
        bool loanStates = true;
    };

    FoundDetails(Session &session, const Texts &texts, QWidget *parent);

    // The image index of a node: 0 the root, 1 at home, 2 away.
    static constexpr int kImageRole = Qt::UserRole + 1;
    static QIcon image(int index);
    // What a screen reader says of a node's dot: the words for its image.
    static QString stateText(int index, bool loanStates = true);

    QTreeWidget *tree() const { return m_tree; }
    ReportPane *pane() const { return m_pane; }
    QPushButton *printButton() const { return m_print; }
    Session &session() const { return m_session; }

public slots:
    // "&Vytiskni zobrazený seznam": prints the pane and closes the window.
    void printList();

protected:
    void FormShow() override;
    void done(int result) override;

    // What the window shows of the search that opened it.
    virtual QString countText() const = 0;
    virtual const FoundList &found() const = 0;
    virtual std::vector<bool> lentStates() const = 0;
    // The pane while the root is chosen, and for the item of a node.
    virtual void showRoot() = 0;
    virtual void showItem(const QString &number, const QString &nodeText) = 0;
    // The pane's note while the root is chosen.
    void showNote(const std::function<void(ReportWriter &)> &note);

private:
    void buildTree();
    void nodeChosen(QTreeWidgetItem *item);

    Session &m_session;
    Texts m_texts;
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
