#include "storage/NumberRepair.h"

#include "engine/Table.h"
#include "storage/Backup.h"
#include "storage/Paths.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace velmora::numbers {
namespace {

constexpr int kWidth = 5;

QString records(int n)
{
    if (n == 1)
        return QStringLiteral("1 záznam");
    if (n >= 2 && n <= 4)
        return QStringLiteral("%1 záznamy").arg(n);
    return QStringLiteral("%1 záznamů").arg(n);
}

QString counts(const QList<TableCount> &tables)
{
    QStringList lines;
    for (const TableCount &t : tables)
        lines << QStringLiteral("%1: %2").arg(t.table, records(t.records));
    return lines.join(QStringLiteral("\r\n"));
}

QString quoted(const QStringList &forms)
{
    QStringList out;
    for (const QString &f : forms)
        out << QStringLiteral("„%1“").arg(f);
    return out.join(QStringLiteral(", "));
}

QString collisionLines(const QList<Collision> &collisions)
{
    QStringList lines;
    for (const Collision &c : collisions)
        lines << QStringLiteral("%1: číslo %2 je zapsáno jako %3")
                     .arg(c.table, c.number, quoted(c.forms));
    return lines.join(QStringLiteral("\r\n"));
}

QString collisionText(const QList<Collision> &collisions)
{
    return QStringLiteral("Tato čísla nelze opravit, protože by z několika položek udělala "
                          "jednu; zůstanou, jak jsou, a je třeba je opravit ručně:\r\n") +
           collisionLines(collisions);
}

QString catalogueWords(backup::Set set)
{
    return set == backup::Set::Cassettes
               ? QStringLiteral("Čísla některých videokazet nejsou uložena v pětimístném tvaru "
                                "(například „1“ místo „00001“), nejspíše proto, že tabulky byly "
                                "upraveny v tabulkovém procesoru. Seznam kazet je proto řazen "
                                "chybně (1, 10, 100, ...).")
               : QStringLiteral("Čísla některých titulů hudebních CD nejsou uložena v pětimístném "
                                "tvaru (například „1“ místo „00001“), nejspíše proto, že tabulky "
                                "byly upraveny v tabulkovém procesoru. Seznam titulů je proto "
                                "řazen chybně a tituly nemusí ukazovat své skladby.");
}

// The stored form of a number of up to five digits, however it is written;
// empty for anything else.
QString numberOf(const QString &value)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    const QString trimmed = value.trimmed();
    if (!digits.match(trimmed).hasMatch())
        return QString();
    return trimmed.rightJustified(kWidth, QLatin1Char('0'));
}

// The numbers of the key column that are written in more than one way.
QSet<QString> collidingNumbers(const Finding &f)
{
    QSet<QString> out;
    for (const Collision &c : f.collisions)
        out.insert(c.number);
    return out;
}

struct Scan
{
    int count = 0;               // records to put right
    QList<Collision> collisions; // key columns only
};

// Reads one column; for a key column also which numbers several spellings
// share. Returns false when the table is to be passed over.
bool scan(const Column &c, const QSet<QString> &colliding, Scan &out)
{
    try {
        Table t;
        t.setPath(Paths::dataFile(c.table));
        if (!t.exists())
            return false;
        t.open(Table::Mode::ReadOnly);
        const int field = t.fieldIndex(c.field);
        if (field < 0 || t.fieldDefs().at(field).type != FieldType::String)
            return false;
        QHash<QString, QStringList> spellings; // stored form -> forms written
        QStringList order;
        QHash<QString, int> shortened; // stored form -> records to put right
        for (t.first(); !t.eof(); t.next()) {
            const QString value = t.asString(field);
            const QString number = numberOf(value);
            if (number.isEmpty())
                continue; // no number of ours: left to whoever wrote it
            if (c.key) {
                QStringList &forms = spellings[number];
                if (forms.isEmpty())
                    order << number;
                if (!forms.contains(value))
                    forms << value;
            }
            if (number != value)
                ++shortened[number];
        }
        t.close();
        QSet<QString> skip = colliding;
        for (const QString &number : order) {
            const QStringList &forms = spellings[number];
            if (forms.size() > 1) {
                out.collisions.append({c.table, number, forms});
                skip.insert(number);
            }
        }
        for (auto it = shortened.cbegin(); it != shortened.cend(); ++it)
            if (!skip.contains(it.key()))
                out.count += it.value();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace

QList<Column> columns(backup::Set set)
{
    if (set == backup::Set::Cassettes)
        return {{QStringLiteral("data.dbf"), QStringLiteral("cislo"), true},
                {QStringLiteral("archiv.dbf"), QStringLiteral("cislo"), false}};
    return {{QStringLiteral("cd01.dbf"), QStringLiteral("Cislocd"), true},
            {QStringLiteral("cd02.dbf"), QStringLiteral("Cislocd"), false},
            {QStringLiteral("archivcd.dbf"), QStringLiteral("cislocd"), false}};
}

QString storedForm(const QString &value)
{
    const QString stored = numberOf(value);
    return stored == value ? QString() : stored;
}

int Finding::records() const
{
    int n = 0;
    for (const TableCount &t : fixable)
        n += t.records;
    return n;
}

Finding find(backup::Set set)
{
    Finding f;
    f.set = set;
    // The items' own table decides which numbers collide; the tracks and
    // loans of such a number are left as they are too.
    for (const Column &c : columns(set)) {
        Scan s;
        if (!scan(c, collidingNumbers(f), s))
            continue;
        f.collisions += s.collisions;
        if (s.count > 0)
            f.fixable.append({c.table, s.count});
    }
    return f;
}

QString question(const Finding &f)
{
    QString text = catalogueWords(f.set) + QStringLiteral("\r\n\r\n") +
                   QStringLiteral("Čísla k opravě:\r\n") + counts(f.fixable);
    if (!f.collisions.isEmpty())
        text += QStringLiteral("\r\n\r\n") + collisionText(f.collisions);
    text +=
        QStringLiteral("\r\n\r\nChcete čísla opravit? Před opravou budou data uložena jako "
                       "záloha do adresáře %1, odkud je lze obnovit.")
            .arg(Paths::native(Paths::zalohaDir() + (f.set == backup::Set::Cassettes
                                                         ? QStringLiteral("Pred_opravou_VK_...")
                                                         : QStringLiteral("Pred_opravou_CD_..."))));
    return text;
}

QString collisionsOnly(const Finding &f)
{
    return catalogueWords(f.set) + QStringLiteral("\r\n\r\n") + collisionText(f.collisions);
}

QString safetyDir(backup::Set set, const QDateTime &moment)
{
    return Paths::zalohaDir() +
           (set == backup::Set::Cassettes ? QStringLiteral("Pred_opravou_VK_")
                                          : QStringLiteral("Pred_opravou_CD_")) +
           moment.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
}

QString Outcome::message() const
{
    if (problem.isEmpty())
        return QStringLiteral("Čísla byla opravena:\r\n%1\r\n\r\nZáloha dat před opravou je "
                              "v adresáři %2.")
            .arg(counts(fixed), Paths::native(safetyDir));
    if (safetyDir.isEmpty())
        return QStringLiteral("Zálohu dat před opravou čísel nelze vytvořit, čísla zůstala beze "
                              "změny:\r\n%1")
            .arg(problem);
    QString text = QStringLiteral("Oprava čísel se nezdařila: %1").arg(problem);
    if (!fixed.isEmpty())
        text += QStringLiteral("\r\n\r\nOpraveno bylo:\r\n") + counts(fixed);
    return text + QStringLiteral("\r\n\r\nZáloha dat před opravou je v adresáři %1.")
                      .arg(Paths::native(safetyDir));
}

Outcome repair(backup::Set set, const QDateTime &moment, const QString &version)
{
    Outcome out;
    const Finding f = find(set);
    if (f.fixable.isEmpty())
        return out;
    const QString dir = safetyDir(set, moment);
    if (!QDir().mkpath(dir)) {
        out.problem = QStringLiteral("Adresář \"%1\" nelze vytvořit.").arg(Paths::native(dir));
        return out;
    }
    out.problem = backup::makeBackup(set, dir, moment, version);
    if (!out.problem.isEmpty())
        return out;
    out.safetyDir = dir;

    const QSet<QString> colliding = collidingNumbers(f);
    for (const Column &c : columns(set)) {
        const auto counted = std::find_if(f.fixable.cbegin(), f.fixable.cend(),
                                          [&](const TableCount &t) { return t.table == c.table; });
        if (counted == f.fixable.cend())
            continue;
        TableCount done{c.table, 0};
        try {
            Table t;
            t.setPath(Paths::dataFile(c.table));
            t.open();
            const int field = t.requireField(c.field);
            for (t.first(); !t.eof(); t.next()) {
                const QString stored = storedForm(t.asString(field));
                if (stored.isEmpty() || colliding.contains(stored))
                    continue;
                t.edit();
                t.setString(field, stored);
                t.post();
                ++done.records;
            }
            t.close();
        } catch (const std::exception &e) {
            if (done.records > 0)
                out.fixed.append(done);
            out.problem = QString::fromUtf8(e.what());
            return out;
        }
        out.fixed.append(done);
    }
    return out;
}

} // namespace velmora::numbers
