// Two households: one exports its catalogue onto a medium, the other imports
// it into its own data directory and prints it there.

#include "ExchangeFixture.h"
#include "ReportCheck.h"
#include "exchange/ExternalCassetteReportScreen.h"
#include "exchange/ExternalSearchScreen.h"
#include "printing/ReportPane.h"

#include <QTemporaryDir>
#include <QTest>

namespace velmora::test {
namespace {

using exchange::Catalogue;

class RoundTrip : public ExchangeFixture
{
protected:
    // The program started anew over a second data directory.
    void moveToSecondHousehold()
    {
        window.reset();
        ASSERT_TRUE(second.isValid());
        Paths::setDataDir(second.path() + QLatin1Char('/'));
        start();
        user.shown.clear();
    }

    QTemporaryDir second;
};

TEST_F(RoundTrip, ExportedHereImportedAndPrintedInAnotherDataDirectory)
{
    CassetteRecord c;
    c.number = "00007";
    c.recordings[0] = slot("Pelíšky", "SP", 115, "Komedie");
    c.recordings[2] = slot("Kolja", "LP", 105, "Drama");
    appendCassette(c);
    const QString medium = made("medium");
    exportTo(Catalogue::Cassettes, medium, "Petr");

    moveToSecondHousehold();
    EXPECT_FALSE(exchange::registerExists(Catalogue::Cassettes));
    inManager(Catalogue::Cassettes, [&](ImportManager &m) {
        choose(m, medium);
        m.importButton()->click();
    });
    EXPECT_TRUE(QFileInfo::exists(second.path() + "/EXTERNI/VK-Petr/data.dbf"));
    EXPECT_FALSE(QFileInfo::exists(env.dataDir() + "/EXTERNI/VK-Petr"));

    bool shown = false;
    user.onScreen["TExterni_Tisky"] = [&](QDialog &d) {
        shown = true;
        auto &s = static_cast<TExterni_Tisky &>(d);
        const QStringList lines = trimmedRight(s.pane()->lines());
        EXPECT_TRUE(lines.join(QLatin1Char(10)).contains("Uživatel externích dat: Petr"))
            << lines.join('\n').toStdString();
        EXPECT_TRUE(lines.join('\n').contains("Pelíšky"));
        EXPECT_TRUE(lines.join('\n').contains("Kolja"));
    };
    window->runEntry(*window->entryFor("external.cassetteReports", TTitul::Cassettes));
    EXPECT_TRUE(shown);

    // And the film is found there, at its owner.
    shown = false;
    user.onScreen["THledej_Ext_Data"] = [&](QDialog &d) {
        shown = true;
        auto &s = static_cast<exchange::ExternalSearchScreen &>(d);
        child<QLineEdit>(d, "Edit1")->setText("kolja");
        QTest::mouseClick(child<QPushButton>(d, "BitBtn2"), Qt::LeftButton);
        EXPECT_EQ(child<QLabel>(d, "Filmu_je")->text(), "1");
        EXPECT_TRUE(s.pane()->lines().join('\n').contains("Vlastník: Petr"))
            << s.pane()->lines().join('\n').toStdString();
    };
    window->runEntry(*window->entryFor("external.cassetteSearch", TTitul::Cassettes));
    EXPECT_TRUE(shown);
}

} // namespace
} // namespace velmora::test
