#include "terminal/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace velmora::terminal {
namespace {

// The options of Qt's window system: given to the program, they are Qt's.
const QStringList &windowSystemValueOptions()
{
    static const QStringList names{"platform",
                                   "platformpluginpath",
                                   "platformtheme",
                                   "plugin",
                                   "qmljsdebugger",
                                   "qwindowgeometry",
                                   "qwindowicon",
                                   "qwindowtitle",
                                   "session",
                                   "style",
                                   "stylesheet",
                                   "display",
                                   "geometry",
                                   "name",
                                   "visual",
                                   "ncols",
                                   "fn",
                                   "font",
                                   "bg",
                                   "background",
                                   "fg",
                                   "foreground",
                                   "btn",
                                   "button",
                                   "im",
                                   "inputstyle",
                                   "title"};
    return names;
}

const QStringList &windowSystemFlags()
{
    static const QStringList names{"reverse", "widgetcount", "nograb", "dograb", "sync", "cmap"};
    return names;
}

const QStringList kExportWhat{"kazety", "cd", "vypujcky", "vse"};
const QStringList kImportWhat{"kazety", "cd"};

} // namespace

QString usageText()
{
    return QString::fromUtf8(
        "Použití: velmora [--data-dir ADRESÁŘ] [--cd-device CESTA]\n"
        "        velmora [--data-dir ADRESÁŘ] --export kazety|cd|vypujcky SOUBOR.csv|SOUBOR.xlsx\n"
        "        velmora [--data-dir ADRESÁŘ] --export vse SOUBOR.xlsx\n"
        "        velmora [--data-dir ADRESÁŘ] --import kazety|cd SOUBOR.csv\n"
        "\n"
        "Katalog videokazet a hudebních CD.\n"
        "\n"
        "Volby:\n"
        "  --data-dir ADRESÁŘ   adresář s daty katalogu (jinak VELMORA_DATA_DIR nebo\n"
        "                       adresář dat uživatele)\n"
        "  --cd-device CESTA    mechanika nebo obraz disku, který program nabídne\n"
        "                       při čtení hudebního CD\n"
        "  --export CO SOUBOR   zapíše kazety, CD, výpůjčky nebo vše (jen XLSX) do\n"
        "                       tabulky; formát podle přípony .csv nebo .xlsx; okno\n"
        "                       se neotevře\n"
        "  --import CO SOUBOR   přidá kazety nebo CD z tabulky CSV; nejprve zkontroluje\n"
        "                       každý řádek a při jakémkoli problému nezapíše nic\n"
        "  -h, --help           vypíše tuto nápovědu\n"
        "\n"
        "Návratový kód: 0 úspěch, 1 chyba, 2 chybné volby nebo problémy v souboru.\n");
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine out;
    QCommandLineParser parser;
    // "-platform offscreen" as Qt spells its options, beside "--data-dir".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QString(), QStringLiteral("dir"));
    const QCommandLineOption cdDevice(QStringLiteral("cd-device"), QString(),
                                      QStringLiteral("path"));
    const QCommandLineOption exportWhat(QStringLiteral("export"), QString(),
                                        QStringLiteral("what"));
    const QCommandLineOption importWhat(QStringLiteral("import"), QString(),
                                        QStringLiteral("what"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({dataDir, cdDevice, exportWhat, importWhat, help});
    for (const QString &name : windowSystemValueOptions())
        parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
    for (const QString &name : windowSystemFlags())
        parser.addOption(QCommandLineOption(name));

    const auto fail = [&out](const QString &why) {
        out.mode = CommandLine::Mode::Error;
        out.error = why;
        return out;
    };
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            // Told as the user wrote it, dashes and all.
            QString given = QStringLiteral("--") + unknown.first();
            for (const QString &a : arguments.mid(1))
                if (a.startsWith(QLatin1Char('-')) &&
                    a.section(QLatin1Char('='), 0, 0).endsWith(unknown.first()))
                    given = a.section(QLatin1Char('='), 0, 0);
            return fail(QString::fromUtf8("Neznámá volba: %1").arg(given));
        }
        // Otherwise an option that wants a value stands last without one.
        const QString last = arguments.size() > 1 ? arguments.last() : QString();
        if (last.startsWith(QLatin1Char('-')))
            return fail(QString::fromUtf8("Chybné volby: u volby %1 chybí hodnota.").arg(last));
        return fail(QString::fromUtf8("Chybné volby: %1").arg(parser.errorText()));
    }
    out.dataDir = parser.value(dataDir);
    out.cdDevice = parser.value(cdDevice);
    out.positional = parser.positionalArguments();
    if (parser.isSet(help)) {
        out.mode = CommandLine::Mode::Help;
        return out;
    }
    const bool exporting = parser.isSet(exportWhat);
    const bool importing = parser.isSet(importWhat);
    if (exporting && importing)
        return fail(QString::fromUtf8("Volby --export a --import nelze použít spolu."));
    if (!exporting && !importing)
        return out;
    out.mode = exporting ? CommandLine::Mode::Export : CommandLine::Mode::Import;
    out.what = parser.value(exporting ? exportWhat : importWhat).toLower();
    const QStringList &allowed = exporting ? kExportWhat : kImportWhat;
    if (!allowed.contains(out.what))
        return fail(QString::fromUtf8("Volba --%1 zná jen %2, ne „%3“.")
                        .arg(exporting ? QStringLiteral("export") : QStringLiteral("import"),
                             allowed.join(QLatin1Char('|')), out.what));
    if (out.positional.size() != 1)
        return fail(QString::fromUtf8("Volba --%1 potřebuje právě jeden soubor.")
                        .arg(exporting ? QStringLiteral("export") : QStringLiteral("import")));
    out.file = out.positional.takeFirst();
    return out;
}

} // namespace velmora::terminal
