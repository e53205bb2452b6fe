#include "system/SettingsStore.h"

#include "engine/DbError.h"

#include <QObject>

namespace velmora {
namespace {
// QSettings maps this key to the unnamed default value of a registry key.
const QString kDefault = QStringLiteral("Default");
} // namespace

SettingsStore::SettingsStore(QSettings::Scope scope, const QString &organisation,
                             const QString &application)
    : m_settings(
          std::make_shared<QSettings>(QSettings::NativeFormat, scope, organisation, application))
{
    // Each key stands alone: the organisation's values must not show
    // through the program's own key.
    m_settings->setFallbacksEnabled(false);
}

SettingsStore SettingsStore::own()
{
    return SettingsStore(QSettings::UserScope, QStringLiteral("Norvane"),
                         QStringLiteral("Velmora"));
}

SettingsStore SettingsStore::parent()
{
    return SettingsStore(QSettings::UserScope, QStringLiteral("Norvane"), QString());
}

SettingsStore SettingsStore::legacy()
{
    return SettingsStore(QSettings::SystemScope, QStringLiteral("Norvane"),
                         QStringLiteral("Orvella 2000"));
}

void SettingsStore::wrongType(const QString &name, const char *type) const
{
    throw DbError(QObject::tr("Hodnota \"%1\" v nastavení %2 nemá typ %3.")
                      .arg(name, fileName(), QString::fromLatin1(type)));
}

void SettingsStore::check(const QString &name) const
{
    if (m_settings->status() == QSettings::FormatError)
        throw DbError(
            QObject::tr("Soubor nastavení %1 je poškozen (hodnota \"%2\").").arg(fileName(), name));
}

bool SettingsStore::exists(const QString &name) const
{
    return m_settings->contains(name);
}

bool SettingsStore::readBool(const QString &name) const
{
    check(name);
    const QVariant v = m_settings->value(name);
    bool ok = false;
    const int i = v.toString().trimmed().toInt(&ok);
    if (v.typeId() == QMetaType::QStringList || !ok || (i != 0 && i != 1))
        wrongType(name, "boolean (1 / 0)");
    return i == 1;
}

int SettingsStore::readInt(const QString &name) const
{
    check(name);
    const QVariant v = m_settings->value(name);
    bool ok = false;
    const int i = v.toString().trimmed().toInt(&ok);
    if (v.typeId() == QMetaType::QStringList || !ok)
        wrongType(name, "integer");
    return i;
}

QString SettingsStore::readString(const QString &name) const
{
    check(name);
    const QVariant v = m_settings->value(name);
    // An INI value with commas reads back as a list; a string was written
    // quoted, so a list means somebody else wrote it.
    if (v.typeId() == QMetaType::QStringList)
        wrongType(name, "string");
    return v.toString();
}

void SettingsStore::writeBool(const QString &name, bool value)
{
    m_settings->setValue(name, value ? 1 : 0);
}

void SettingsStore::writeInt(const QString &name, int value)
{
    m_settings->setValue(name, value);
}

void SettingsStore::writeString(const QString &name, const QString &value)
{
    m_settings->setValue(name, value);
}

void SettingsStore::remove(const QString &name)
{
    m_settings->remove(name);
}

QString SettingsStore::defaultValue() const
{
    return m_settings->value(kDefault).toString();
}

void SettingsStore::setDefaultValue(const QString &value)
{
    m_settings->setValue(kDefault, value);
}

void SettingsStore::sync()
{
    m_settings->sync();
}

void SettingsStore::removeKey()
{
    if (!m_settings->isWritable())
        return;
    m_settings->clear();
    m_settings->sync();
}

} // namespace velmora
