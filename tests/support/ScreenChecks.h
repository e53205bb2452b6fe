#pragma once

// What every screen owes its users: it fits an 800 x 600 screen, each
// button is named and says what it does, and each input is named and
// labelled for screen readers.

#include "printing/ReportPane.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableView>
#include <QTreeWidget>
#include <array>
#include <gtest/gtest.h>

namespace velmora::test {

// Each caption {objectName, text} names, as its buddy, the box {objectName}
// its value stands in, with that value (and read-only where asked).
inline void expectCaptionedBoxes(const QWidget &screen,
                                 const QList<std::array<const char *, 4>> &captions,
                                 bool readOnly = false)
{
    for (const auto &[caption, text, box, value] : captions) {
        auto *label = screen.findChild<QLabel *>(caption);
        ASSERT_NE(label, nullptr) << caption;
        EXPECT_EQ(label->text(), text);
        ASSERT_NE(label->buddy(), nullptr) << caption;
        EXPECT_EQ(label->buddy()->objectName(), box);
        auto *edit = qobject_cast<QLineEdit *>(label->buddy());
        ASSERT_NE(edit, nullptr) << box;
        EXPECT_EQ(edit->text(), value);
        if (readOnly) {
            EXPECT_TRUE(edit->isReadOnly()) << box;
        }
    }
}

inline void expectNamedLabelledAndSmall(QDialog &d)
{
    EXPECT_LE(d.width(), 800);
    EXPECT_LE(d.height(), 600);
    EXPECT_LE(d.minimumSizeHint().width(), 800);
    EXPECT_LE(d.minimumSizeHint().height(), 600);
    QList<const QWidget *> buddies;
    for (const QLabel *l : d.findChildren<QLabel *>())
        if (l->buddy())
            buddies << l->buddy();
    for (QWidget *w : d.findChildren<QWidget *>()) {
        const bool input = qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) ||
                           qobject_cast<QProgressBar *>(w) || qobject_cast<QTreeWidget *>(w) ||
                           qobject_cast<ReportPane *>(w);
        if (qobject_cast<QTableView *>(w->parentWidget()) && qobject_cast<QAbstractButton *>(w))
            continue; // a grid's own corner button, not a control of the screen
        if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            EXPECT_FALSE(b->objectName().isEmpty()) << b->text().toStdString();
            EXPECT_FALSE(b->text().isEmpty()) << b->objectName().toStdString();
        } else if (input) {
            EXPECT_FALSE(w->objectName().isEmpty()) << w->metaObject()->className();
            EXPECT_TRUE(!w->accessibleName().isEmpty() || buddies.contains(w))
                << w->objectName().toStdString();
        }
    }
}

} // namespace velmora::test
