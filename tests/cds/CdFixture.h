#pragma once

// A prepared program with CD titles and tracks written straight into
// cd01.dbf and cd02.dbf, and helpers to read them back through the engine
// and through dbfread.

#include "AppFixture.h"
#include "DiscImages.h"
#include "cds/TrackCountDialog.h"
#include "storage/CdRecords.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QRadioButton>

namespace velmora::test {

// What the user does in the track-count dialog: chooses the count by hand.
inline ScriptedAnswerer::ScreenAction byHand(int count)
{
    return [count](QDialog &d) {
        auto &k = static_cast<TKolik_CDs &>(d);
        k.handChoice()->click();
        k.countList()->setCurrentIndex(count - 1);
        k.confirmButton()->click();
    };
}

class CdFixture : public AppFixture
{
protected:
    void SetUp() override
    {
        start();
        user.shown.clear();
        user.events.clear();
    }

    void addTitle(const QString &number, const QString &title, const QString &artist = {},
                  const Loan &loan = {})
    {
        Table t;
        t.setPath(Paths::dataFile(QStringLiteral("cd01.dbf")));
        t.open();
        CdTitle r;
        r.size = QStringLiteral("700");
        r.number = number;
        r.title = title;
        r.artist = artist;
        r.acquired = QStringLiteral("01.02.2002");
        r.format = QStringLiteral("Originální CD");
        r.note = QStringLiteral("pozn ") + number;
        t.append();
        const CdTitleColumns c(t);
        c.writeNew(t, r);
        c.loan.write(t, loan);
        t.post();
    }

    // Tracks n = 1..count of a disc, "<number>/<label>/<n>", n * 10 seconds.
    void addDisc(const QString &number, const QString &label, int count)
    {
        Table t;
        t.setPath(Paths::dataFile(QStringLiteral("cd02.dbf")));
        t.open();
        const CdTrackColumns c(t);
        for (int n = 1; n <= count; ++n) {
            t.append();
            c.write(t, {number, label, n, number + '/' + label + '/' + QString::number(n), n * 10,
                        QStringLiteral("Pop"), QStringLiteral("Zpěvák")});
            t.post();
        }
    }

    // The tracks stored under a number, by the engine, as "label/n/title/seconds".
    QStringList storedTracks(const QString &number)
    {
        Table t;
        t.setPath(Paths::dataFile(QStringLiteral("cd02.dbf")));
        t.open(Table::Mode::ReadOnly);
        QStringList out;
        const CdTrackColumns c(t);
        for (t.first(); !t.eof(); t.next()) {
            const CdTrack r = c.read(t);
            if (r.number == number)
                out << QStringLiteral("%1/%2/%3/%4")
                           .arg(r.label)
                           .arg(r.track)
                           .arg(r.title)
                           .arg(r.seconds);
        }
        out.sort();
        return out;
    }

    // Every track of a number through dbfread, as the fields given
    // joined by "/", sorted.
    QStringList dbfreadTrackFields(const QString &number, const QStringList &fields)
    {
        QStringList picked;
        for (const QString &f : fields)
            picked << QStringLiteral("('' if r['%1'] is None else str(r['%1']))").arg(f);
        const QString script =
            QStringLiteral("import sys, json\nfrom dbfread import DBF\n"
                           "print(json.dumps(['/'.join([%1]) for r in DBF(sys.argv[1], "
                           "encoding='cp1250') if r['CISLOCD'] == sys.argv[2]], "
                           "ensure_ascii=False))")
                .arg(picked.join(QStringLiteral(", ")));
        int rc = -1;
        const QString out = runProgram(
            QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"), script, Paths::dataFile(QStringLiteral("cd02.dbf")), number},
            &rc);
        EXPECT_EQ(rc, 0) << out.toStdString();
        QStringList rows;
        for (const QJsonValue &v : QJsonDocument::fromJson(out.toUtf8()).array())
            rows << v.toString();
        rows.sort();
        return rows;
    }

    // The same through dbfread, deleted records left out as it does, as
    // "label/n/title/seconds".
    QStringList dbfreadTracks(const QString &number)
    {
        return dbfreadTrackFields(number, {"OZNACENI", "TRACKNUM", "TRACK", "LENGHT"});
    }

    // Every track of a number through dbfread as "label/n/artist/style".
    QStringList dbfreadArtistsAndStyles(const QString &number)
    {
        return dbfreadTrackFields(number, {"OZNACENI", "TRACKNUM", "ARTIST", "STYL"});
    }

    int titleCount()
    {
        Table t;
        t.setPath(Paths::dataFile(QStringLiteral("cd01.dbf")));
        t.open(Table::Mode::ReadOnly);
        return t.recordCount();
    }
};

} // namespace velmora::test
