// A report saved as PDF from its screen: the name proposed from the report
// and the date, the folder of the last save, what the user is told.

#include "AppFixture.h"
#include "printing/ReportPrint.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

using namespace velmora;

TEST(PdfName, ReportCaptionAndDateWithoutWhatAFileNameCannotHold)
{
    const QDate day(2026, 12, 10);
    EXPECT_EQ(report::proposedPdfName("Seznam videokazet", day),
              "Seznam videokazet 2026-12-10.pdf");
    EXPECT_EQ(report::proposedPdfName("Tiskové sestavy z evidovaných dat ...", day),
              "Tiskové sestavy z evidovaných dat 2026-12-10.pdf");
    EXPECT_EQ(report::proposedPdfName("Seznam filmů v systému SP/LP: \"vše\"?", day),
              "Seznam filmů v systému SP LP vše 2026-12-10.pdf");
    EXPECT_EQ(report::proposedPdfName("a\\b|c<d>e*\tf", day), "a b c d e f 2026-12-10.pdf");
    // Nothing left of the caption: the program's name.
    EXPECT_EQ(report::proposedPdfName(" ::/ ", day), "Velmora 2026-12-10.pdf");
    EXPECT_EQ(report::proposedPdfName(QString(), QDate(2027, 1, 2)), "Velmora 2027-01-02.pdf");
}

namespace {

class PdfSave : public test::AppFixture
{
protected:
    PdfSave()
    {
        start();
        addCassette("00001");
    }

    // Opens the cassette list and presses its PDF button.
    void saveFromTheList()
    {
        user.onScreen["TTisk"] = [](QDialog &d) {
            QTest::mouseClick(d.findChild<QPushButton *>("Ulozit_PDF"), Qt::LeftButton);
        };
        window->runEntry(*window->entryFor("printing.cassetteList"));
    }
};

} // namespace

TEST_F(PdfSave, ProposesTheReportTitleAndDateThenTheFolderOfTheLastSave)
{
    const QString name =
        "Seznam evidovaných videokazet " + QDate::currentDate().toString("yyyy-MM-dd") + ".pdf";
    const QString folder = env.file("sestavy");
    ASSERT_TRUE(QDir().mkpath(folder));
    user.saveFiles << folder + "/prvni"; // the suffix is added
    saveFromTheList();
    ASSERT_EQ(user.saveProposals.size(), 1);
    EXPECT_EQ(QFileInfo(user.saveProposals[0]).fileName(), name);
    const QString written = folder + "/prvni.pdf";
    ASSERT_TRUE(QFileInfo(written).isFile());
    EXPECT_GT(QFileInfo(written).size(), 0);
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Information);
    EXPECT_EQ(user.shown[0].caption, "Informace");
    EXPECT_EQ(user.shown[0].text,
              "Sestava byla uložena do souboru:\r\n" + QDir::toNativeSeparators(written));
    EXPECT_EQ(SettingsStore::own().readString(report::kPdfFolderSetting), folder);

    // The next save, even in a later run, starts in that folder.
    user.shown.clear();
    start();
    user.saveFiles << QString(); // cancelled: nothing written, nothing said
    saveFromTheList();
    ASSERT_EQ(user.saveProposals.size(), 2);
    EXPECT_EQ(user.saveProposals[1], folder + "/" + name);
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(PdfSave, AFolderThatCannotBeWrittenIsToldAndNothingClaimsSuccess)
{
    user.saveFiles << env.file("chybi/adresar/sestava.pdf");
    saveFromTheList();
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(user.shown[0].text.contains("sestava.pdf")) << user.shown[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(env.file("chybi/adresar/sestava.pdf")));

    // A remembered folder that is gone no longer steers the proposal.
    SettingsStore::own().writeString(report::kPdfFolderSetting, env.file("zmizela"));
    user.shown.clear();
    user.saveFiles << QString();
    saveFromTheList();
    ASSERT_EQ(user.saveProposals.size(), 2);
    EXPECT_FALSE(user.saveProposals[1].startsWith(env.file("zmizela")));
}
