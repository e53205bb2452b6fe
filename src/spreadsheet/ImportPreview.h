#pragma once

// TNahledImportu: what an import from a spreadsheet's CSV would add, and
// every problem by line, before anything is written. "Importovat" writes
// all of it, and only when no problem is left; values the user lists lack
// can be added to them from here.

#include "platform/ScreenDialog.h"
#include "sheets/SheetImport.h"

class QLabel;
class QTableWidget;

namespace velmora {

class Session;

class TNahledImportu : public ScreenDialog
{
    Q_OBJECT
public:
    TNahledImportu(Session &session, sheets::Sheet sheet, const QString &file,
                   QWidget *parent = nullptr);

    const sheets::ImportPlan &plan() const { return m_plan; }
    QLabel *summary() const { return m_summary; }
    QTableWidget *problems() const { return m_problems; }
    QPushButton *importButton() const { return m_import; }
    QPushButton *addButton() const { return m_add; }

public slots:
    void importAll();  // "Importovat"
    void addToLists(); // "Přidat do seznamů"

protected:
    void FormShow() override;

private:
    void plan();
    void showPlan();

    Session &m_session;
    sheets::Sheet m_sheet;
    QString m_file;
    sheets::ImportPlan m_plan;
    QLabel *m_summary = nullptr;
    QLabel *m_details = nullptr;
    QTableWidget *m_problems = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_add = nullptr;
};

} // namespace velmora
