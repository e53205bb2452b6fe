#pragma once

#include "system/SystemInfo.h"

#include <QString>
#include <QStringList>

namespace velmora {

// The settings of the run, read once at start; afterwards this record is
// the truth and writers update the store and the record together.
struct SettingsRecord
{
    int minOpenTime = 10;
    bool checkCassettes = false;
    bool checkCds = false;
    bool showSplash = false;
    bool autoCloseCheck = false;
    bool passwordRequired = false;
    bool passwordPending = false;
    QString password; // clear text
    QString storedVersion;
    bool firstRun = false;
    int lastExit = 0;
    QString language;
    QString storedSystemCode;
    QString detectedSystemCode;
    bool systemCodeNew = false;
    bool autoCheckEntry = false;
    bool printerAvailable = true;
    // data.dbf has the format of the previous release (genres of 12
    // characters): for the whole run no screen or command may write it.
    bool cassettesReadOnly = false;
    // The run was started by the log-on entry with "/AutoRun": the lists
    // of lent items open showing only the overdue ones.
    bool autoRunStart = false;
};

namespace settings {

inline const QString kStartDlg = QStringLiteral("Start_DLG");
inline const QString kAutoCloseSplash2 = QStringLiteral("AutoCloseSplash2");
inline const QString kAskPass = QStringLiteral("AskPass");
inline const QString kPassword = QStringLiteral("Password");
inline const QString kKontrola = QStringLiteral("Kontrola");
inline const QString kKontrolaCd = QStringLiteral("Kontrola CD");
inline const QString kMinTimeVk = QStringLiteral("Min_Time_VK");
inline const QString kVersion = QStringLiteral("Version");
inline const QString kDatVerze = QStringLiteral("Dat_verze");
inline const QString kLastExit = QStringLiteral("Last exit");
inline const QString kLanguage = QStringLiteral("Language");
inline const QString kSetupOs = QStringLiteral("Setup_OS");

// The password as stored: Base64 of its cp1250 bytes.
QString encodePassword(const QString &clear);
QString decodePassword(const QString &stored);

// Reads the settings into the record, writing the default of every missing
// value first. A value of the wrong type keeps its built-in default and its
// message is added to errors.
void load(SettingsRecord &record, const SystemCode &detected, QStringList &errors);

void writeLastExit(int section);

} // namespace settings
} // namespace velmora
