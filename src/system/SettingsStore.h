#pragma once

#include <QSettings>
#include <QString>
#include <memory>

namespace velmora {

// One settings key, kept by QSettings in the platform's native place (the
// registry on Windows, an INI file on Linux). Booleans are stored as the
// integers 1 and 0. A read of a value stored with another type throws
// DbError naming the value and the settings file.
class SettingsStore
{
public:
    // The program's own key (organisation "Norvane", application "Velmora").
    static SettingsStore own();
    // The organisation's key shared with the maker's other programs.
    static SettingsStore parent();
    // The key of the maker's earlier cassette program, system-wide.
    static SettingsStore legacy();

    bool exists(const QString &name) const;
    bool readBool(const QString &name) const;
    int readInt(const QString &name) const;
    QString readString(const QString &name) const;
    void writeBool(const QString &name, bool value);
    void writeInt(const QString &name, int value);
    void writeString(const QString &name, const QString &value);
    void remove(const QString &name);
    // The unnamed default value of the key.
    QString defaultValue() const;
    void setDefaultValue(const QString &value);

    bool isWritable() const { return m_settings->isWritable(); }
    QString fileName() const { return m_settings->fileName(); }
    // After sync: whether the file could be written.
    QSettings::Status status() const { return m_settings->status(); }
    void sync();
    // Removes every value of the key and the key itself; a failure (no
    // rights) is ignored.
    void removeKey();

private:
    SettingsStore(QSettings::Scope scope, const QString &organisation, const QString &application);
    [[noreturn]] void wrongType(const QString &name, const char *type) const;
    void check(const QString &name) const;
    std::shared_ptr<QSettings> m_settings;
};

} // namespace velmora
