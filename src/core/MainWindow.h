#pragma once

#include "core/Settings.h"
#include "core/TableHandles.h"

#include <QMainWindow>

class QLabel;

namespace velmora {

// The main window: the only window that lives for the whole run. It owns
// the table handles that every screen works through.
class TTitul : public QMainWindow
{
    Q_OBJECT
public:
    explicit TTitul(QWidget *parent = nullptr);
    ~TTitul() override;

    TableHandles &tables() { return m_tables; }
    bool oldFormat() const { return m_oldFormat; }
    void setOldFormat(bool on) { m_oldFormat = on; }
    SettingsRecord &settings() { return m_settings; }
    void setSystemText(const QString &text);

private:
    TableHandles m_tables;
    bool m_oldFormat = false;
    SettingsRecord m_settings;
    QLabel *m_system = nullptr;
};

} // namespace velmora
