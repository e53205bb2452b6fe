#include "core/Settings.h"

#include "core/Version.h"
#include "platform/Codepage.h"
#include "platform/DbError.h"
#include "platform/DesktopEntry.h"
#include "platform/SettingsStore.h"

#include <functional>

namespace velmora::settings {
namespace {

// The values the earlier cassette program kept.
const QStringList kLegacyValues = {kAskPass,  kAutoCloseSplash2, kDatVerze, kKontrola, kMinTimeVk,
                                   kPassword, kSetupOs,          kStartDlg, kVersion};

void guarded(QStringList &errors, const std::function<void()> &step)
{
    try {
        step();
    } catch (const DbError &e) {
        errors << e.message();
    }
}

} // namespace

QString encodePassword(const QString &clear)
{
    return QString::fromLatin1(Codepage::cp1250().encode(clear).toBase64());
}

QString decodePassword(const QString &stored)
{
    const QByteArray bytes = QByteArray::fromBase64(stored.toLatin1());
    return Codepage::cp1250().decode(bytes.constData(), int(bytes.size()));
}

void load(SettingsRecord &r, const SystemCode &detected, QStringList &errors)
{
    r.detectedSystemCode = detected.code;

    SettingsStore legacy = SettingsStore::legacy();
    if (legacy.isWritable()) {
        for (const QString &name : kLegacyValues)
            legacy.remove(name);
        legacy.removeKey();
    }

    SettingsStore parent = SettingsStore::parent();
    if (parent.defaultValue().isEmpty())
        parent.setDefaultValue(QStringLiteral("Programs from Norvane"));
    parent.sync();

    SettingsStore s = SettingsStore::own();
    if (s.defaultValue().isEmpty())
        s.setDefaultValue(QStringLiteral("Registered Software"));

    auto boolValue = [&](const QString &name, bool def, bool &out) {
        if (!s.exists(name))
            s.writeBool(name, def);
        out = def;
        guarded(errors, [&] { out = s.readBool(name); });
    };
    auto intValue = [&](const QString &name, int def, int &out) {
        if (!s.exists(name))
            s.writeInt(name, def);
        out = def;
        guarded(errors, [&] { out = s.readInt(name); });
    };
    auto stringValue = [&](const QString &name, const QString &def, QString &out) {
        if (!s.exists(name))
            s.writeString(name, def);
        out = def;
        guarded(errors, [&] { out = s.readString(name); });
    };

    boolValue(kStartDlg, true, r.showSplash);
    boolValue(kAutoCloseSplash2, false, r.autoCloseCheck);
    boolValue(kAskPass, false, r.passwordRequired);
    r.passwordPending = r.passwordRequired;
    QString stored;
    stringValue(kPassword, QString(), stored);
    r.password = decodePassword(stored);
    boolValue(kKontrola, false, r.checkCassettes);
    intValue(kMinTimeVk, 10, r.minOpenTime);
    if (!s.exists(kVersion)) {
        s.writeString(kVersion, version::kText);
        s.writeString(kDatVerze, version::kDate);
        r.firstRun = true;
    }
    stringValue(kVersion, version::kText, r.storedVersion);
    intValue(kLastExit, 1, r.lastExit);
    boolValue(kKontrolaCd, false, r.checkCds);
    stringValue(kLanguage, QStringLiteral("Czech.set"), r.language);
    if (!s.exists(kSetupOs)) {
        s.writeString(kSetupOs, detected.code);
        r.systemCodeNew = true;
    }
    QString os = detected.code;
    stringValue(kSetupOs, detected.code, os);
    r.storedSystemCode = os.left(1);

    s.writeString(kDatVerze, version::kDate);
    s.sync();
    r.autoCheckEntry = desktop::autoCheckExists();
}

void writeLastExit(int section)
{
    SettingsStore s = SettingsStore::own();
    s.writeInt(kLastExit, section);
    s.sync();
}

} // namespace velmora::settings
