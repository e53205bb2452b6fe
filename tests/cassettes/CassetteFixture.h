#pragma once

// A prepared program with cassettes written straight into data.dbf, and the
// browse and delete commands run as the main window runs them.

#include "AppFixture.h"
#include "cassettes/CassetteDisplay.h"
#include "platform/JumpList.h"
#include "platform/RecordNavigator.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWheelEvent>
#include <array>

namespace velmora::test {

struct Block
{
    QString film;
    QString speed;
    int start = 0;
    int end = 0;
    int length = 0; // the stored cas<n>
    QString genre;
    QString source;
    QDate date;
    QString note;
};

inline Block block(const QString &film, const QString &speed, int start, int end, int length,
                   const QString &genre = QString(), const QString &source = QString(),
                   const QDate &date = QDate(), const QString &note = QString())
{
    return {film, speed, start, end, length, genre, source, date, note};
}

struct Cassette
{
    QString number;
    QString type = QStringLiteral("E 240");
    std::array<Block, 5> blocks{};
    QString note;
    bool lent = false;
    QString borrower;
    QString from;
};

class CassetteFixture : public AppFixture
{
protected:
    // A main window after one earlier start, as a user meets it.
    TTitul &ready()
    {
        startOnceBefore();
        start();
        user.shown.clear();
        user.events.clear();
        user.screens.clear();
        return *window;
    }

    void add(const Cassette &c)
    {
        CassetteRecord r;
        r.type = c.type;
        r.number = c.number;
        for (int n = 0; n < 5; ++n) {
            const Block &b = c.blocks[size_t(n)];
            r.recordings[size_t(n)] = {b.film,   b.genre, b.speed, b.length, b.source,
                                       b.date,   b.start, b.end,   b.note};
        }
        r.loan = {c.lent, c.borrower, c.from, c.lent ? 7 : 0};
        r.note = c.note;
        appendCassette(r);
    }

    void addNumbers(const QStringList &numbers)
    {
        for (const QString &n : numbers) {
            Cassette c;
            c.number = n;
            add(c);
        }
    }

    // The cassette numbers in data.dbf through the engine, in ascending order.
    QStringList storedNumbers()
    {
        Table t;
        t.setPath(Paths::dataFile(QStringLiteral("data.dbf")));
        t.open(Table::Mode::ReadOnly);
        t.setIndex("cislo");
        QStringList out;
        for (t.first(); !t.eof(); t.next())
            out << t.asString("cislo");
        return out;
    }

    template <class T> static T *child(QWidget &w, const char *name)
    {
        T *c = w.findChild<T *>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static QString box(QWidget &w, const QString &name)
    {
        const QByteArray n = name.toLatin1();
        if (auto *e = w.findChild<QLineEdit *>(name))
            return e->text();
        if (auto *p = w.findChild<QPlainTextEdit *>(name))
            return p->toPlainText();
        if (auto *l = w.findChild<QLabel *>(name))
            return l->text();
        ADD_FAILURE() << "no value " << n.constData();
        return QString();
    }
    static JumpList &jump(QWidget &w) { return *child<JumpList>(w, "Jdi_hned"); }
    static QToolButton &navButton(QWidget &w, const char *name)
    {
        return *child<RecordNavigator>(w, "DBNavigator1")->findChild<QToolButton *>(name);
    }
    static void wheel(QWidget *over, int dy)
    {
        QWheelEvent e(QPointF(4, 4), over->mapToGlobal(QPointF(4, 4)), QPoint(), QPoint(0, dy),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &e);
    }

    // Every caption and button at 800 x 600 shows its whole text, and the
    // screen needs no more than that.
    static void expectFitsSmallScreen(QWidget &screen)
    {
        const QSize min = screen.minimumSizeHint();
        EXPECT_LE(min.width(), 800);
        EXPECT_LE(min.height(), 570); // below a title bar
        screen.resize(800, 570);
        QApplication::processEvents();
        for (QLabel *l : screen.findChildren<QLabel *>()) {
            if (!l->isVisible() || l->text().isEmpty() || l->wordWrap())
                continue;
            EXPECT_GE(l->width(), l->minimumSizeHint().width()) << l->objectName().toStdString();
        }
        for (QPushButton *b : screen.findChildren<QPushButton *>())
            EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString();
    }
};

} // namespace velmora::test
