// The message seam outside tests' scripted answers: Qt's own Czech texts on
// the standard buttons, and texts shown as they are.

#include "platform/Dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
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

namespace {

struct SeenBox
{
    bool found = false;
    Qt::TextFormat format = Qt::AutoText;
    Qt::TextFormat labelFormat = Qt::AutoText;
    QString text;
    QString labelText;
    QString caption;
};

// Shows what the seam shows, with no answerer: a real message box, looked
// at and answered as soon as it is up, by pressing the button given.
SeenBox whenShown(QMessageBox::StandardButton press, const std::function<void()> &show)
{
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.found = true;
        seen.format = box->textFormat();
        seen.text = box->text();
        seen.caption = box->windowTitle();
        if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
            seen.labelFormat = label->textFormat();
            seen.labelText = label->text();
        }
        box->button(press)->click();
    });
    show();
    return seen;
}

} // namespace

TEST(Dialogs, MessageBoxesShowTheirTextAsPlainText)
{
    // An owner's name from someone's catalogue, with markup in it.
    const QString text =
        QStringLiteral("Opravdu smazat data uživatele <h1>Petr</h1> & <b>spol.</b>?");
    const QString caption = QStringLiteral("Varování:");

    bool answer = true;
    SeenBox seen = whenShown(QMessageBox::No, [&] { answer = dialogs::question(caption, text); });
    ASSERT_TRUE(seen.found);
    EXPECT_FALSE(answer);
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.labelFormat, Qt::PlainText);
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.labelText, text);
    EXPECT_EQ(seen.caption, caption);

    seen = whenShown(QMessageBox::Yes, [&] { answer = dialogs::question(caption, text); });
    EXPECT_TRUE(answer);

    // Every kind of box.
    const std::function<void(const QString &, const QString &)> kinds[] = {
        dialogs::information, dialogs::warning, dialogs::error};
    for (const auto &kind : kinds) {
        seen = whenShown(QMessageBox::Ok, [&] { kind(caption, text); });
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.labelFormat, Qt::PlainText);
        EXPECT_EQ(seen.labelText, text);
    }
}
