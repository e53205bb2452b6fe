#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace velmora {

class Session;

// System printer screen: the current printer and the platform's printer
// setup, whose choice stays the printer of the run.
class TCentr : public QDialog
{
    Q_OBJECT
public:
    explicit TCentr(Session &session, QWidget *parent = nullptr);

    static QString noPrinterText() { return QStringLiteral("Nebyla nalezena žádná tiskárna ..."); }

public slots:
    void FormShow();
    void NastaveniClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_printer = nullptr;
    QPushButton *m_setup = nullptr;
};

} // namespace velmora
