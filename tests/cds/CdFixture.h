#pragma once

// A prepared program for the CD screens; the titles and tracks are written
// and read back by the helpers of CdTables.h.

#include "AppFixture.h"
#include "CdTables.h"
#include "DiscImages.h"
#include "cds/TrackCountDialog.h"

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
};

} // namespace velmora::test
