#pragma once

// The password dialog TPasswordDlg.

#include <QDialog>

class QLabel;
class QLineEdit;

namespace velmora {

class PasswordPanel;

// Asks for the program's password once per start. It closes (accepted)
// only with the right password; Escape rejects it, and the caller ends
// the program.
class TPasswordDlg : public QDialog
{
    Q_OBJECT
public:
    TPasswordDlg(const QString &password, QWidget *parent = nullptr);

    QLineEdit *entry() const { return m_entry; }

public slots:
    void enter(); // a click on the panel

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setPanelActive(bool active);

    QString m_password;
    QString m_wrong;
    QString m_active;
    QString m_waiting;
    QLabel *m_prompt;
    QLabel *m_hint;
    QLineEdit *m_entry;
    QLabel *m_panel;
    bool m_closing = false;
};

} // namespace velmora
