// The message seam outside tests' scripted answers: Qt's own Czech texts on
// the standard buttons.

#include "platform/Dialogs.h"

#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace velmora;

TEST(Dialogs, StandardButtonsReadInCzech)
{
    ASSERT_TRUE(dialogs::installCzechTranslation());
    EXPECT_TRUE(dialogs::installCzechTranslation()); // once is enough
    QMessageBox box(QMessageBox::Question, "Ukončení programu", "Opravdu?",
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Ano"));
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&'), QStringLiteral("Ne"));
}
