#include "storage/Schemas.h"

#include "engine/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace velmora::schema {

TableSchema cassettes()
{
    QList<FieldDef> f{FieldDef::string(QStringLiteral("t_kazety"), 5),
                      FieldDef::string(QStringLiteral("cislo"), 5)};
    for (int n = 1; n <= 5; ++n) {
        const QString s = QString::number(n);
        f << FieldDef::string(QStringLiteral("film") + s, 30)
          << FieldDef::string(QStringLiteral("zanr") + s, 15)
          << FieldDef::string(QStringLiteral("ry") + s, 2)
          << FieldDef::integer(QStringLiteral("cas") + s)
          << FieldDef::string(QStringLiteral("zdroj") + s, 20)
          << FieldDef::date(QStringLiteral("datum") + s)
          << FieldDef::integer(QStringLiteral("S_Time") + s)
          << FieldDef::integer(QStringLiteral("E_Time") + s)
          << FieldDef::memo(QStringLiteral("P_film") + s);
    }
    f << FieldDef::boolean(QStringLiteral("pujceno"))
      << FieldDef::string(QStringLiteral("komu"), 15)
      << FieldDef::string(QStringLiteral("od_kdy"), 10)
      << FieldDef::integer(QStringLiteral("delka_pujc"))
      << FieldDef::string(QStringLiteral("pozn"), 50);
    return {QStringLiteral("data.dbf"), f, {QStringLiteral("cislo"), QStringLiteral("komu")}};
}

TableSchema cassetteArchive()
{
    return {QStringLiteral("archiv.dbf"),
            {FieldDef::string(QStringLiteral("t_kazety"), 5),
             FieldDef::string(QStringLiteral("cislo"), 5),
             FieldDef::string(QStringLiteral("komu"), 15),
             FieldDef::string(QStringLiteral("od_kdy"), 10),
             FieldDef::string(QStringLiteral("pozn"), 50)},
            {}};
}

TableSchema cdTitles()
{
    return {QStringLiteral("cd01.dbf"),
            {FieldDef::string(QStringLiteral("T_cd"), 3),
             FieldDef::string(QStringLiteral("Cislocd"), 5),
             FieldDef::string(QStringLiteral("TitulCD"), 50),
             FieldDef::string(QStringLiteral("Artist"), 30),
             FieldDef::string(QStringLiteral("Porizeno"), 10),
             FieldDef::string(QStringLiteral("Format"), 20),
             FieldDef::boolean(QStringLiteral("Pujceno")),
             FieldDef::string(QStringLiteral("Komu"), 15),
             FieldDef::string(QStringLiteral("Od_kdy"), 10),
             FieldDef::integer(QStringLiteral("Delka_pujc")),
             FieldDef::string(QStringLiteral("PoznCD"), 50)},
            {QStringLiteral("cislocd"), QStringLiteral("titulcd"), QStringLiteral("artist"),
             QStringLiteral("komu")}};
}

TableSchema cdTracks()
{
    return {QStringLiteral("cd02.dbf"),
            {FieldDef::string(QStringLiteral("Cislocd"), 5),
             FieldDef::string(QStringLiteral("Oznaceni"), 4),
             FieldDef::integer(QStringLiteral("TrackNum")),
             FieldDef::string(QStringLiteral("Track"), 50),
             FieldDef::integer(QStringLiteral("Lenght")),
             FieldDef::string(QStringLiteral("Styl"), 15),
             FieldDef::string(QStringLiteral("Artist"), 30)},
            {QStringLiteral("cislocd"), QStringLiteral("oznaceni"), QStringLiteral("trackNum"),
             QStringLiteral("track"), QStringLiteral("artist"), QStringLiteral("styl")}};
}

TableSchema cdArchive()
{
    return {QStringLiteral("archivcd.dbf"),
            {FieldDef::string(QStringLiteral("t_cd"), 3),
             FieldDef::string(QStringLiteral("cislocd"), 5),
             FieldDef::string(QStringLiteral("TitulCD"), 50),
             FieldDef::string(QStringLiteral("komu"), 15),
             FieldDef::string(QStringLiteral("od_kdy"), 10),
             FieldDef::string(QStringLiteral("pozn"), 50)},
            {}};
}

TableSchema userList(UserList list)
{
    switch (list) {
    case UserList::Genres:
        return {QStringLiteral("Users_za.nrv"),
                {FieldDef::string(QStringLiteral("Zanr"), 15)},
                {QStringLiteral("zanr")}};
    case UserList::Sources:
        return {QStringLiteral("Users_zd.nrv"),
                {FieldDef::string(QStringLiteral("Zdroj"), 20)},
                {QStringLiteral("zdroj")}};
    case UserList::CdFormats:
        return {QStringLiteral("Users_c1.nrv"),
                {FieldDef::string(QStringLiteral("Zdroj"), 20)},
                {QStringLiteral("zdroj")}};
    case UserList::CdStyles:
    default:
        return {QStringLiteral("Users_c2.nrv"),
                {FieldDef::string(QStringLiteral("Zanr"), 20)},
                {QStringLiteral("zanr")}};
    }
}

QStringList defaultRows(UserList list)
{
    switch (list) {
    case UserList::Genres:
        return {QStringLiteral("Akční"),      QStringLiteral("Animovaný"),
                QStringLiteral("Dětský"),     QStringLiteral("Dobrodružný"),
                QStringLiteral("Dokument"),   QStringLiteral("Drama"),
                QStringLiteral("Historický"), QStringLiteral("Erotický"),
                QStringLiteral("Horor"),      QStringLiteral("Hudební"),
                QStringLiteral("Karate"),     QStringLiteral("Katastrof."),
                QStringLiteral("Komedie"),    QStringLiteral("Krimi"),
                QStringLiteral("Lékařský"),   QStringLiteral("Milostný"),
                QStringLiteral("Náročný"),    QStringLiteral("Naučný"),
                QStringLiteral("Pohádka"),    QStringLiteral("Porno"),
                QStringLiteral("Příběh"),     QStringLiteral("Psychologický"),
                QStringLiteral("Romantika"),  QStringLiteral("Sci-fi"),
                QStringLiteral("Seriál"),     QStringLiteral("Soukromý"),
                QStringLiteral("Sport"),      QStringLiteral("Thriler"),
                QStringLiteral("Válečný"),    QStringLiteral("Western")};
    case UserList::Sources:
        return {QStringLiteral("Videorekordér"),   QStringLiteral("Televize N@va"),
                QStringLiteral("Televize ČT1"),    QStringLiteral("Televize ČT2"),
                QStringLiteral("Televize PRIMA"),  QStringLiteral("Televize TV3"),
                QStringLiteral("Televize HBO"),    QStringLiteral("Halmark TV"),
                QStringLiteral("Satelitní zdroj"), QStringLiteral("Domácí kamera"),
                QStringLiteral("Originální VK")};
    case UserList::CdFormats:
        return {QStringLiteral("Originální CD"), QStringLiteral("Kopírované CD"),
                QStringLiteral("Vlastní MIX CD")};
    case UserList::CdStyles:
    default:
        return {QStringLiteral("Folk"),         QStringLiteral("Country"),
                QStringLiteral("Disko"),        QStringLiteral("Pop"),
                QStringLiteral("Techno"),       QStringLiteral("Klasika"),
                QStringLiteral("Vážná hudba"),  QStringLiteral("Muzikál"),
                QStringLiteral("Hudba z filmu")};
    }
}

const TableSchema *byFileName(const QString &fileName)
{
    static const QList<TableSchema> all{cassettes(),
                                        cassetteArchive(),
                                        cdTitles(),
                                        cdTracks(),
                                        cdArchive(),
                                        userList(UserList::Genres),
                                        userList(UserList::Sources),
                                        userList(UserList::CdFormats),
                                        userList(UserList::CdStyles)};
    for (const TableSchema &s : all)
        if (s.fileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

QString memoProblem(const QString &path)
{
    try {
        Table t;
        t.setPath(path);
        t.open(Table::Mode::ReadOnly);
        const QString problem = t.memoProblem();
        t.close();
        return problem;
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
}

QString layoutProblem(const QString &path, const TableSchema &ours, int *records)
{
    QList<FieldDef> fields;
    int count = 0;
    try {
        Table t;
        t.setPath(path);
        t.open(Table::Mode::ReadOnly);
        fields = t.fieldDefs();
        count = t.recordCount();
        t.close();
    } catch (const std::exception &e) {
        return QStringLiteral("Tabulku \"%1\" nelze přečíst: %2")
            .arg(QDir::toNativeSeparators(path), QString::fromUtf8(e.what()));
    }
    if (fields.size() != ours.fields.size())
        return QStringLiteral("Tabulka \"%1\" má %2 polí místo %3.")
            .arg(QDir::toNativeSeparators(path))
            .arg(fields.size())
            .arg(ours.fields.size());
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(ours.fields[i].name, Qt::CaseInsensitive) != 0 ||
            fields[i].type != ours.fields[i].type)
            return QStringLiteral("Tabulka \"%1\" nemá očekávané pole \"%2\" (pole %3 je \"%4\").")
                .arg(QDir::toNativeSeparators(path), ours.fields[i].name)
                .arg(i + 1)
                .arg(fields[i].name);
    // The engine reads the records the file holds; the header's own count
    // must not claim more.
    QFile f;
    char head[8];
    if (!regular::open(f, path, false, regular::Links::Refuse).ok() || f.read(head, 8) != 8)
        return QStringLiteral("Tabulku \"%1\" nelze přečíst.").arg(QDir::toNativeSeparators(path));
    const quint32 claimed = qFromLittleEndian<quint32>(head + 4);
    if (claimed != quint32(count))
        return QStringLiteral("Tabulka \"%1\" je neúplná: hlavička uvádí %2 záznamů, soubor jich "
                              "obsahuje %3.")
            .arg(QDir::toNativeSeparators(path))
            .arg(claimed)
            .arg(count);
    if (records)
        *records = count;
    return QString();
}

QString upgradeKeptName(const QString &fileName)
{
    const int dot = int(fileName.lastIndexOf(QLatin1Char('.')));
    const QString tag = QStringLiteral(".zanr12");
    if (dot < 0)
        return fileName + tag;
    return fileName.left(dot) + tag + fileName.mid(dot);
}

} // namespace velmora::schema
