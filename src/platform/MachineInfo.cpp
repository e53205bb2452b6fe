#include "platform/MachineInfo.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QPrinterInfo>
#include <QScreen>
#include <QThread>

namespace velmora::machine {

MemoryStatus parseMeminfo(const QString &text)
{
    // Lines read "Name:   12345 kB"; the values are kibibytes.
    QHash<QString, uint64_t> kb;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            continue;
        const QString name = line.left(colon).trimmed();
        const QString rest = line.mid(colon + 1).trimmed();
        bool ok = false;
        const uint64_t value = rest.section(QLatin1Char(' '), 0, 0).toULongLong(&ok);
        if (ok)
            kb.insert(name, value);
    }
    MemoryStatus s;
    s.totalPhysical = kb.value(QStringLiteral("MemTotal")) * 1024;
    // Kernels before 3.14 have no MemAvailable; free memory plus the page
    // cache is what they would have reported.
    if (kb.contains(QStringLiteral("MemAvailable")))
        s.availablePhysical = kb.value(QStringLiteral("MemAvailable")) * 1024;
    else
        s.availablePhysical =
            (kb.value(QStringLiteral("MemFree")) + kb.value(QStringLiteral("Buffers")) +
             kb.value(QStringLiteral("Cached"))) *
            1024;
    s.totalPageFile = kb.value(QStringLiteral("SwapTotal")) * 1024;
    s.availablePageFile = kb.value(QStringLiteral("SwapFree")) * 1024;
    return s;
}

MemoryStatus memoryStatus()
{
    QFile f(QStringLiteral("/proc/meminfo"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return parseMeminfo(QString::fromLatin1(f.readAll()));
}

int processorCount()
{
    static const int count = QThread::idealThreadCount();
    return count;
}

VersionRecord versionRecord()
{
    VersionRecord r;
    r.fileVersion = QStringLiteral(VELMORA_VERSION_STRING);
    r.comment = QStringLiteral("Katalog domácí sbírky videokazet a hudebních CD");
    r.fileDescription = QStringLiteral("Velmora 2002");
    r.countryCode = QStringLiteral("Čeština (1250)");
    r.executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return r;
}

ScreenSize screenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QSize size = screen->size();
    return {size.width(), size.height()};
}

QString currentPrinterName()
{
    const QString name = QPrinterInfo::defaultPrinter().printerName();
    if (!name.isEmpty())
        return name;
    // Without a default, the first printer is the one a print job gets.
    return QPrinterInfo::availablePrinterNames().value(0);
}

} // namespace velmora::machine
