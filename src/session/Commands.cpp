#include "session/Commands.h"

#include "session/Language.h"

#include <QSet>

namespace velmora {
namespace {

const QString VK = QStringLiteral("Menu_VK");
const QString CD = QStringLiteral("Menu_CD");

MenuEntry command(const QString &section, const QString &key, const QString &caption,
                  const QString &action, const QString &lookupDefault = QString())
{
    MenuEntry e;
    e.section = section;
    e.key = key;
    e.builtIn = caption;
    e.lookupDefault = lookupDefault.isNull() ? caption : lookupDefault;
    e.action = action;
    return e;
}

MenuEntry records(MenuEntry e, const QString &table, const QString &index = QString(),
                  bool unfilter = false)
{
    e.guard = Guard::Records;
    e.table = table;
    e.index = index;
    e.unfilter = unfilter;
    return e;
}

MenuEntry lent(MenuEntry e, const QString &table, const QString &index)
{
    e.guard = Guard::LentRecords;
    e.table = table;
    e.index = index;
    return e;
}

MenuEntry needsFile(MenuEntry e, const QString &file)
{
    e.guard = Guard::File;
    e.file = file;
    return e;
}

// A top-level menu: its built-in caption carries its trailing blanks; the
// looked-up caption gets one blank.
MenuEntry menu(const QString &section, const QString &key, const QString &caption,
               std::vector<MenuEntry> children, const QString &lookupDefault = QString())
{
    MenuEntry e;
    e.section = section;
    e.key = key;
    e.builtIn = caption;
    e.lookupDefault = lookupDefault.isNull() ? caption.trimmed() : lookupDefault;
    e.suffix = QStringLiteral(" ");
    e.children = std::move(children);
    return e;
}

MenuEntry submenu(const QString &section, const QString &key, const QString &caption,
                  std::vector<MenuEntry> children, const QString &lookupDefault)
{
    MenuEntry e = menu(section, key, caption, std::move(children), lookupDefault);
    e.suffix.clear();
    return e;
}

MenuEntry exitEntry()
{
    MenuEntry e = command(VK, QStringLiteral("700"), QStringLiteral("Konec (ESC) "),
                          QStringLiteral("core.close"), QStringLiteral("Konec"));
    e.suffix = QStringLiteral(" (ESC) ");
    return e;
}

MenuEntry helpEntry()
{
    MenuEntry e =
        command(VK, QStringLiteral("800"), QStringLiteral("Help"), QStringLiteral("core.help"));
    e.suffix = QStringLiteral(" ");
    return e;
}

MenuEntry languages()
{
    return command(QString(), QString(), QStringLiteral("Setup program Languages"),
                   QStringLiteral("core.languages"));
}

// The overview of the whole catalogue, added after the menu's own
// commands: it has no language key, so the numbered keys stay.
MenuEntry overview(const QString &action)
{
    return command(QString(), QString(), QStringLiteral("Přehled celého katalogu ..."), action);
}

// The spreadsheet exchange, added at the end of the menu "Systém" as the
// overview is: no language keys of their own.
MenuEntry sheetExport(const char *action)
{
    return command(QString(), QString(), QStringLiteral("Export do tabulky (CSV, XLSX) ..."),
                   QLatin1String(action));
}

MenuEntry sheetImport(const char *action)
{
    return command(QString(), QString(), QStringLiteral("Import z tabulky (CSV) ..."),
                   QLatin1String(action));
}

void name(std::vector<MenuEntry> &entries, const QString &prefix)
{
    for (MenuEntry &e : entries) {
        e.objectName =
            prefix +
            (e.key.isEmpty()
                 ? e.action.section(QLatin1Char('.'), -1)
                 : (e.section == VK ? QStringLiteral("VK") : QStringLiteral("CD")) + e.key);
        name(e.children, prefix);
    }
}

std::vector<MenuEntry> buildCassetteMenu()
{
    const QString T1 = QStringLiteral("Table1");
    const QString T2 = QStringLiteral("Table2");
    const QString cislo = QStringLiteral("cislo");
    std::vector<MenuEntry> m{
        menu(VK, "100", "Videokazety ",
             {records(command(VK, "101", "Zobrazení videokazet", "cassettes.browse"), T1, cislo),
              command(VK, "102", "Vložení nové videokazety", "cassettes.new"),
              records(command(VK, "103", "Oprava existujících videokazet", "cassettes.edit"), T1,
                      cislo),
              records(command(VK, "104", "Zrušení existující videokazety", "cassettes.delete"), T1),
              records(command(VK, "105", "Vyhledání filmů podle kategorií", "search.films"), T1,
                      cislo),
              command(VK, "106", "Vyhledání volné pozice pro nahrávku", "search.freePosition"),
              command(VK, "107", "Vlastní poznámkový blok k sekci VK", "notes.cassettes"),
              overview("overview.cassettes")}),
        menu(VK, "200", "Půjčování ",
             {records(command(VK, "201", "Zapůjčení videokazety", "lending.lendCassette"), T1,
                      cislo),
              records(command(VK, "202", "Vrácení videokazety", "lending.returnCassette"), T1,
                      cislo),
              lent(command(VK, "203", "Zobrazit kazety mimo domov", "lending.cassettesAway"), T1,
                   cislo),
              records(command(VK, "204", "Archiv půjčených a vrácených kazet",
                              "lending.cassetteArchive"),
                      T2),
              records(command(VK, "205", "Prohlídka archivu podle čísel videokazet",
                              "lending.cassetteHistoryByNumber"),
                      T2),
              records(command(VK, "206", "Prohlídka archivu podle jmen odběratelů VK",
                              "lending.cassetteHistoryByPerson"),
                      T2),
              submenu(VK, "207", "Zpracování půjčovaných VK do grafů",
                      {records(command(VK, "208", "Zobrazení grafu podle čísel videokazet",
                                       "lending.cassetteChartByNumber"),
                               T2),
                       records(command(VK, "209", "Zobrazení grafu podle jmen odběratelů",
                                       "lending.cassetteChartByPerson"),
                               T2)},
                      "Zpracování půjčených VK do grafů")}),
        menu(VK, "300", "Systém ",
             {command(VK, "301", "Zálohování databází VK", "backup.cassettes"),
              command(VK, "302", "Obnovení databází VK", "restore.cassettes"),
              command(VK, "303", "Centrální nastavení programu", "core.centralSettings"),
              command(VK, "304", "Uživatelské nastavení VK", "core.userListsCassettes"),
              command(VK, "305", "Aktuální statistika videokazet", "search.cassetteStatistics",
                      "Aktuální statistika VK"),
              command(VK, "306", "Informace o databázích VK", "search.cassetteDatabaseInfo"),
              command(VK, "307", "Spustit www stránky Norvane", "core.webPage"),
              command(VK, "308", "Co je nového v této verzi", "core.newsFile"),
              command(VK, "309", "Informace o programu", "core.about"), languages(),
              sheetExport("sheets.exportCassettes"), sheetImport("sheets.importCassettes")}),
        menu(VK, "400", "Tisky ",
             {command(VK, "401", "Centrální systémová tiskárna", "printing.printer"),
              records(command(VK, "402", "Tisk celého seznamu videokazet", "printing.cassetteList"),
                      T1, cislo),
              records(command(VK, "403", "Tisk celého seznamu VK + jiné info",
                              "printing.cassetteListInfo"),
                      T1, cislo),
              records(command(VK, "404", "Tisk tříděného seznamu VK (abeceda / žánr)",
                              "printing.cassetteSorted"),
                      T1, cislo),
              records(command(VK, "405", "Tisk od určité videokazety", "printing.cassetteFrom"), T1,
                      cislo),
              records(command(VK, "406", "Tisk více videoetiket najednou", "printing.labels",
                              "Tisk Více videoetiket najednou"),
                      T1, cislo)}),
        menu(
            VK, "500", "Externí VK  ",
            {command(VK, "501", "Správce externích seznamů videokazet", "external.cassetteManager"),
             command(VK, "502", "Exportovat vlastní evidenci VK jinému uživateli",
                     "external.cassetteExport"),
             needsFile(command(VK, "503", "Tiskové sestavy externích uživatelů VK",
                               "external.cassetteReports"),
                       "Source.dbf"),
             needsFile(command(VK, "504", "Vyhledávání filmů v externích datech",
                               "external.cassetteSearch"),
                       "Source.dbf")},
            "Externí VK"),
        exitEntry(),
        helpEntry()};
    name(m, QStringLiteral("Menu1_"));
    return m;
}

std::vector<MenuEntry> buildCdMenu()
{
    const QString C1 = QStringLiteral("CD_Table1");
    const QString C2 = QStringLiteral("CD_Table2");
    const QString CA = QStringLiteral("CD_Archiv");
    const QString cislocd = QStringLiteral("cislocd");
    std::vector<MenuEntry> m{
        menu(
            CD, "100", "Hudební CD ",
            {records(command(CD, "101", "Zobrazení hudebních CD titulů", "cds.show"), C1, {}, true),
             command(CD, "102", "Vložení nového hudebního CD disku", "cds.new"),
             records(command(CD, "103", "Oprava existujících CD titulů", "cds.edit"), C1, {}, true),
             records(command(CD, "104", "Zrušení existujícího CD titulu", "cds.delete"), C1, {},
                     true),
             records(command(CD, "105", "Vyhledání skladeb podle kategorií", "search.songs"), C1,
                     {}, true),
             command(CD, "106", "Vlastní poznámkový blok k sekci CD", "notes.cds"),
             overview("overview.cds")}),
        menu(CD, "200", "Půjčování ",
             {records(command(CD, "201", "Zapůjčení hudebních CD titulů", "lending.lendCd"), C1,
                      cislocd),
              records(command(CD, "202", "Vrácení hudebních CD titulů", "lending.returnCd"), C1,
                      cislocd),
              lent(command(CD, "203", "Zobrazit hudební CD mimo domov", "lending.cdsAway"), C1,
                   cislocd),
              records(command(CD, "204", "Archiv půjčených a vrácených hudebních CD",
                              "lending.cdArchive"),
                      CA),
              records(command(CD, "205", "Prohlídka archivu podle čísel hudebních CD",
                              "lending.cdHistoryByNumber"),
                      CA),
              records(command(CD, "206", "Prohlídka archivu podle jmen odběratelů CD",
                              "lending.cdHistoryByPerson"),
                      CA),
              submenu(CD, "207", "Zpracování půjčovaných CD do grafů",
                      {records(command(CD, "208", "Zobrazení grafu podle čísel hudebních CD",
                                       "lending.cdChartByNumber"),
                               CA),
                       records(command(CD, "209", "Zobrazení grafu podle jmen půjčujících",
                                       "lending.cdChartByPerson"),
                               CA)},
                      "Zpracování půjčovaných CD do grafů")},
             "Půjčování CD"),
        menu(VK, "300", "Systém ",
             {command(CD, "300", "Zálohování databází CD", "backup.cds"),
              command(CD, "301", "Obnovení databází CD", "restore.cds"),
              command(VK, "303", "Centrální nastavení programu", "core.centralSettings"),
              command(CD, "302", "Uživatelské nastavení CD", "core.userListsCds"),
              command(CD, "303", "Aktuální statistika hudebních CD", "search.cdStatistics"),
              command(CD, "304", "Informace o databázích CD", "search.cdDatabaseInfo"),
              command(VK, "307", "Spustit www stránky Norvane", "core.webPage"),
              command(VK, "308", "Co je nového v této verzi", "core.newsFile"),
              command(VK, "309", "Informace o programu", "core.about"), languages(),
              sheetExport("sheets.exportCds"), sheetImport("sheets.importCds")}),
        menu(VK, "400", "Tisky ",
             {command(VK, "401", "Centrální systémová tiskárna", "printing.printer"),
              records(command(CD, "400", "Tisk celého seznamu hudebních CD", "printing.cdList"), C1,
                      cislocd, true),
              records(command(CD, "401", "Tisk celého seznamu od určitého hudebního CD",
                              "printing.cdFrom"),
                      C1, cislocd, true),
              records(command(CD, "402", "Tisk tříděného seznamu CD skladeb (abc / styl / Artist)",
                              "printing.cdTracksSorted"),
                      C2, cislocd, true)}),
        menu(CD, "500", "Externí CD ",
             {command(CD, "501", "Správce externích seznamů hudebních CD disků",
                      "external.cdManager"),
              command(CD, "502", "Exportovat vlastní evidenci CD jinému uživateli",
                      "external.cdExport"),
              needsFile(command(CD, "503", "Tiskové sestavy externích uživatelů CD",
                                "external.cdReports"),
                        "SourceCD.dbf"),
              needsFile(
                  command(CD, "504", "Vyhledávání skladby v externích datech", "external.cdSearch"),
                  "SourceCD.dbf")}),
        exitEntry(),
        helpEntry()};
    name(m, QStringLiteral("Menu2_"));
    return m;
}

void collect(const std::vector<MenuEntry> &entries, std::vector<const MenuEntry *> &out)
{
    for (const MenuEntry &e : entries) {
        if (e.isMenu())
            collect(e.children, out);
        else
            out.push_back(&e);
    }
}

} // namespace

const std::vector<MenuEntry> &cassetteMenu()
{
    static const std::vector<MenuEntry> m = buildCassetteMenu();
    return m;
}

const std::vector<MenuEntry> &cdMenu()
{
    static const std::vector<MenuEntry> m = buildCdMenu();
    return m;
}

QString menuCaption(const MenuEntry &entry)
{
    if (entry.key.isEmpty() || !lang::present())
        return entry.builtIn;
    return lang::text(entry.section, entry.key, entry.lookupDefault) + entry.suffix;
}

namespace {

// The letter after a single '&' ("&&" is an ampersand shown); null if none.
QChar ownMnemonic(const QString &title)
{
    for (qsizetype i = 0; i + 1 < title.size(); ++i) {
        if (title[i] != QLatin1Char('&'))
            continue;
        if (title[i + 1] != QLatin1Char('&'))
            return title[i + 1].toLower();
        ++i;
    }
    return QChar();
}

} // namespace

QStringList withMnemonics(const QStringList &titles)
{
    QSet<QChar> used;
    for (const QString &t : titles)
        if (const QChar own = ownMnemonic(t); !own.isNull())
            used.insert(own);
    QStringList out;
    for (const QString &t : titles) {
        QString marked = t;
        if (ownMnemonic(t).isNull()) {
            for (qsizetype i = 0; i < t.size(); ++i) {
                if (t[i] == QLatin1Char('&')) {
                    ++i; // the second of "&&"
                    continue;
                }
                const QChar letter = t[i].toLower();
                if (t[i].isLetter() && !used.contains(letter)) {
                    used.insert(letter);
                    marked.insert(i, QLatin1Char('&'));
                    break;
                }
            }
        }
        out << marked;
    }
    return out;
}

std::vector<const MenuEntry *> commandsOf(const std::vector<MenuEntry> &menu)
{
    std::vector<const MenuEntry *> out;
    collect(menu, out);
    return out;
}

} // namespace velmora
