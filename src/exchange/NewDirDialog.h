#pragma once

// The new-directory dialogs of the exports: TNew_Dir_Name (cassettes) and
// TNew_Dir_Name2 (CDs), over one base.

#include "platform/ScreenDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

// Asks for the name of a new subdirectory: letters A to Z, a to z and
// digits only, so the name is valid on every medium and every system.
class NewDirDialog : public ScreenDialog
{
    Q_OBJECT
public:
    explicit NewDirDialog(QWidget *parent = nullptr);

    // Shows the path the new directory goes into and empties the name.
    void prepare(const QString &path);
    QString name() const { return m_name; }
    QLineEdit *edit() const { return m_edit; }

public slots:
    void create(); // "&Vytvořit podadresář a nastavit se do něj"

private:
    QString m_name;
    QLabel *m_path = nullptr;
    QLineEdit *m_edit = nullptr;
    QPushButton *m_create = nullptr;
};

// The cassette export's dialog.
class TNew_Dir_Name : public NewDirDialog
{
    Q_OBJECT
public:
    explicit TNew_Dir_Name(QWidget *parent = nullptr);
};

// The CD export's dialog.
class TNew_Dir_Name2 : public NewDirDialog
{
    Q_OBJECT
public:
    explicit TNew_Dir_Name2(QWidget *parent = nullptr);
};

} // namespace velmora
