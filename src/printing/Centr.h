#pragma once

// The system printer screen TCentr.

#include "platform/ScreenDialog.h"

class QLabel;
class QPushButton;

namespace velmora {

class Session;

// System printer screen: the current printer and the platform's printer
// setup, whose choice stays the printer of the run.
class TCentr : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TCentr(Session &session, QWidget *parent = nullptr);

    static QString noPrinterText() { return QStringLiteral("Nebyla nalezena žádná tiskárna ..."); }

public slots:
    void FormShow() override;
    void NastaveniClick();

protected:
private:
    QLabel *m_printer = nullptr;
    QPushButton *m_setup = nullptr;
};

} // namespace velmora
