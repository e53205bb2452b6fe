#pragma once

// The track-style dialogs TZapis_Styl (new title) and TZapis_Styl2 (edited title).

#include <QDialog>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora {

// The track-style dialog: a tree of the user's styles under one root,
// "Nezvoleno ..." first.
class TZapis_Styl : public QDialog
{
    Q_OBJECT
public:
    explicit TZapis_Styl(QWidget *parent = nullptr);

    // The row's number, the styles in table order and the row's style.
    void prepare(int track, const QStringList &styles, const QString &current);
    QString style() const;

    QTreeWidget *tree() const { return m_tree; }
    QLabel *trackNumber() const { return m_number; }

private:
    void selectionChanged();

    QLabel *m_number = nullptr;
    QTreeWidget *m_tree = nullptr;
    QTreeWidgetItem *m_root = nullptr;
};

class TZapis_Styl2 : public TZapis_Styl
{
    Q_OBJECT
public:
    explicit TZapis_Styl2(QWidget *parent = nullptr) : TZapis_Styl(parent)
    {
        setObjectName(QStringLiteral("Zapis_Styl2"));
    }
};

} // namespace velmora
