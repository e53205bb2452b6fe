// A child that posts to a cassette table until it is killed (or has made
// the number of posts given): new cassettes with memo notes, and edits of
// existing ones (text fields and notes, some notes longer than before).
// Before each post it writes "W <record> <digest>" ("W new <digest>" for a
// new one) and after the post has returned "C <record> <digest>", the
// digest being that of the whole record as it must read from then on.
//
//     velmora_crash_child <table.dbf> <seed> [posts [record]]
//
// Given a record, every post rewrites all fields of that record.

#include "KillRun.h"
#include "engine/Table.h"

#include <QCoreApplication>
#include <QDate>
#include <QRandomGenerator>
#include <cstdio>
#include <map>
#include <vector>

using namespace velmora;

namespace {

// Past this many records the child only edits: the checks read every record
// after every kill.
constexpr int kMaxRecords = 250;

const QStringList kWords{
    QStringLiteral("Pelíšky"), QStringLiteral("Kolja"),    QStringLiteral("Šakalí"),
    QStringLiteral("léta"),    QStringLiteral("Ostře"),    QStringLiteral("sledované"),
    QStringLiteral("vlaky"),   QStringLiteral("Obecná"),   QStringLiteral("škola"),
    QStringLiteral("Žižkov"),  QStringLiteral("Ďáblova"),  QStringLiteral("past"),
    QStringLiteral("Řeka"),    QStringLiteral("čaroděje"), QStringLiteral("úterý"),
    QStringLiteral("ůdolí"),   QStringLiteral("Ťapka"),    QStringLiteral("Ňadro"),
    QStringLiteral("film"),    QStringLiteral("dokument"), QStringLiteral("ČT1")};

class Writer
{
public:
    Writer(Table &table, quint64 seed, int only)
        : m_table(table), m_rng(seed), m_defs(table.fieldDefs()), m_only(only)
    {
        // What the table holds now, as the parent has just checked it.
        std::vector<int> physical;
        const QStringList rows = test::crash::engineRows(table.path(), &physical);
        for (int i = 0; i < int(rows.size()); ++i) {
            m_rows[physical[size_t(i)]] = rows[i].split(QLatin1Char('|'));
            m_numbers.push_back(physical[size_t(i)]);
        }
    }

    void postOne()
    {
        const int count = int(m_rows.size());
        const bool append =
            m_only < 0 && (count < 30 || (count < kMaxRecords && m_rng.bounded(3) == 0));
        const int rec = append        ? -1
                        : m_only >= 0 ? m_only
                                      : m_numbers[size_t(m_rng.bounded(count))];
        QStringList values = append ? QStringList() : m_rows[rec];
        std::vector<int> changed;
        if (append || m_only >= 0) {
            values = QStringList();
            for (int i = 0; i < int(m_defs.size()); ++i) {
                values << fresh(i, QString());
                changed.push_back(i);
            }
        } else {
            const int n = 1 + int(m_rng.bounded(8));
            for (int k = 0; k < n; ++k) {
                const int i = int(m_rng.bounded(int(m_defs.size())));
                values[i] = fresh(i, values[i]);
                changed.push_back(i);
            }
        }
        const QString line = values.join(QLatin1Char('|'));
        const quint64 d = test::crash::digest(line);
        std::printf("W %s %llu\n", append ? "new" : qPrintable(QString::number(rec)),
                    static_cast<unsigned long long>(d));
        std::fflush(stdout);
        if (append) {
            m_table.append();
        } else {
            m_table.moveToRecord(rec);
            m_table.edit();
        }
        for (int i : changed)
            set(i, values[i]);
        m_table.post();
        const int posted = m_table.recordNumber();
        if (append)
            m_numbers.push_back(posted);
        m_rows[posted] = values;
        std::printf("C %d %llu\n", posted, static_cast<unsigned long long>(d));
        std::fflush(stdout);
    }

private:
    QString words(int maxChars)
    {
        QString s;
        while (s.size() < maxChars) {
            if (!s.isEmpty())
                s += QLatin1Char(' ');
            s += kWords[int(m_rng.bounded(int(kWords.size())))];
            if (m_rng.bounded(4) == 0)
                break;
        }
        return s.left(maxChars).trimmed();
    }

    QString memo(const QString &before)
    {
        const int kind = int(m_rng.bounded(10));
        if (kind < 2)
            return QString();
        QString s;
        // Half the changed notes grow: their text no longer fits the blocks
        // it had.
        if (kind < 6 && !before.isEmpty())
            s = before + QStringLiteral("\r\n");
        const int length = kind < 8 ? 10 + int(m_rng.bounded(200)) : 200 + int(m_rng.bounded(2800));
        while (s.size() < length) {
            s += words(60);
            s += m_rng.bounded(5) == 0 ? QStringLiteral("\r\n") : QStringLiteral(". ");
        }
        return s.trimmed();
    }

    QString fresh(int i, const QString &before)
    {
        const FieldDef &f = m_defs[i];
        switch (f.type) {
        case FieldType::Integer:
            return QString::number(int(m_rng.bounded(200000)) - 100);
        case FieldType::Date:
            return QDate(1990, 1, 1).addDays(m_rng.bounded(4700)).toString(Qt::ISODate);
        case FieldType::Boolean:
            return m_rng.bounded(2) ? QStringLiteral("T") : QStringLiteral("F");
        case FieldType::Memo:
            return memo(before);
        default:
            return m_rng.bounded(10) == 0 ? QString() : words(f.width);
        }
    }

    void set(int i, const QString &v)
    {
        switch (m_defs[i].type) {
        case FieldType::Integer:
            m_table.setInteger(i, v.toInt());
            break;
        case FieldType::Date:
            m_table.setDate(i, QDate::fromString(v, Qt::ISODate));
            break;
        case FieldType::Boolean:
            m_table.setBoolean(i, v == QLatin1String("T"));
            break;
        default:
            m_table.setString(i, v);
        }
    }

    Table &m_table;
    QRandomGenerator64 m_rng;
    QList<FieldDef> m_defs;
    std::map<int, QStringList> m_rows; // by record number
    std::vector<int> m_numbers;
    int m_only;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: velmora_crash_child <table.dbf> <seed> [posts [record]]\n");
        return 2;
    }
    const long long posts = argc >= 4 ? QByteArray(argv[3]).toLongLong() : -1;
    const int only = argc == 5 ? QByteArray(argv[4]).toInt() : -1;
    try {
        Table table;
        table.setPath(QString::fromLocal8Bit(argv[1]));
        table.open();
        Writer writer(table, QByteArray(argv[2]).toULongLong(), only);
        std::printf("ready\n");
        std::fflush(stdout);
        for (long long n = 0; n != posts; ++n)
            writer.postOne();
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
