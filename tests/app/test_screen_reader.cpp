// What a screen reader meets: every screen of both menus opened over a
// small catalogue, each control that Tab can reach read back through the
// accessibility interface (what AT-SPI hands on) for a name.

#include "EveryScreen.h"

#include <QAccessible>
#include <QApplication>
#include <QWidget>
#include <map>

using namespace velmora;

namespace {

// Stands in for the user as the scripted one does, and before every screen
// it is handed looks at what focus can land on there.
class NameChecker : public test::ScriptedAnswerer
{
public:
    int screen(QDialog &d) override
    {
        const QString name = test::shownScreen(d);
        ++checked[name];
        for (QWidget *w : d.findChildren<QWidget *>()) {
            if (!w->isVisibleTo(&d) || !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
                continue;
            QAccessibleInterface *ai = QAccessible::queryAccessibleInterface(w);
            const QString spoken = ai ? ai->text(QAccessible::Name).trimmed() : QString();
            if (spoken.isEmpty())
                unnamed << name + QLatin1Char('/') +
                               QString::fromLatin1(w->metaObject()->className()) +
                               QLatin1Char('/') + w->objectName();
        }
        return ScriptedAnswerer::screen(d);
    }

    std::map<QString, int> checked;
    QStringList unnamed;
};

using ScreenReaderTest = test::EveryScreenFixture;

TEST_F(ScreenReaderTest, FocusLandsOnlyOnNamedControlsInEveryScreenOfBothMenus)
{
    NameChecker checker; // replaces the fixture's scripted user while it lives
    start();
    catalogue();
    openEveryScreen();
    // A screen that did not open would be a screen not looked at.
    for (const char *screen : {"TNova_kazeta",
                               "TUprav_kazetu",
                               "TProhlizej_kazetu",
                               "TZrusit_vk",
                               "TZobrazit_CD_Data",
                               "TNovy_CD_disk",
                               "TOpravit_CD_disk",
                               "TZrusit_CD",
                               "TZapsat_pujceni",
                               "TVraceni_kazety",
                               "TZobrazeni_zapujcek",
                               "TArchiv",
                               "TZobraz_archiv_vk_dografu",
                               "THledej_film",
                               "TVyhledej_Pozici",
                               "THledej_Skladbu",
                               "TStatistika",
                               "TTisk",
                               "TVice_Etiket",
                               "TJina_zaloha",
                               "TSetup",
                               "TUserSetup",
                               "THledej_Ext_Data",
                               "TExterni_VK"})
        EXPECT_GT(checker.checked[QString::fromLatin1(screen)], 0) << screen;
    EXPECT_GE(checker.checked.size(), 45u);
    EXPECT_TRUE(checker.unnamed.isEmpty()) << checker.unnamed.join(QLatin1Char('\n')).toStdString();
}

} // namespace
