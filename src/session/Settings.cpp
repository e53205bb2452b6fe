#include "session/Settings.h"

#include "engine/Codepage.h"
#include "engine/DbError.h"
#include "system/DesktopEntry.h"
#include "system/SettingsStore.h"
#include "system/Version.h"

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
    // Every character outside the 64 of the alphabet is skipped, padding
    // included wherever it stands; a last group of two or three characters
    // gives one or two bytes.
    QByteArray bytes;
    quint32 bits = 0;
    int count = 0;
    for (const QChar ch : stored) {
        const char16_t c = ch.unicode();
        int v;
        if (c >= u'A' && c <= u'Z')
            v = c - u'A';
        else if (c >= u'a' && c <= u'z')
            v = c - u'a' + 26;
        else if (c >= u'0' && c <= u'9')
            v = c - u'0' + 52;
        else if (c == u'+')
            v = 62;
        else if (c == u'/')
            v = 63;
        else
            continue;
        bits = (bits << 6) | quint32(v);
        if (++count == 4) {
            bytes.append(char(bits >> 16)).append(char(bits >> 8)).append(char(bits));
            bits = 0;
            count = 0;
        }
    }
    if (count == 2)
        bytes.append(char(bits >> 4));
    else if (count == 3)
        bytes.append(char(bits >> 10)).append(char(bits >> 2));
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
