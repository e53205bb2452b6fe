#include "platform/Widgets.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>

namespace velmora::ui {
namespace {

class DigitKeys : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent *>(event)->text();
            if (!text.isEmpty()) {
                const char16_t code = text.at(0).unicode();
                if ((code >= 32 && code <= 47) || code > 57)
                    return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QLabel *caption(QWidget *parent, const QString &name, const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

QLabel *valueLabel(QWidget *parent, const QString &name, const QString &caption,
                   const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setAccessibleDescription(spoken(caption));
    return l;
}

QLabel *valueLabel(QWidget *parent, const QString &name, QLabel *caption, const QString &text)
{
    QLabel *l = valueLabel(parent, name, caption->text(), text);
    nameValue(caption, l);
    return l;
}

void nameValue(QLabel *caption, QLabel *value)
{
    caption->setBuddy(value);
    if (caption->parentWidget() == value->parentWidget())
        value->stackUnder(caption);
}

QString spoken(const QString &caption)
{
    QString s = caption;
    s.remove(QLatin1Char('&'));
    s = s.simplified();
    if (s.startsWith(QLatin1Char('(')))
        s.remove(0, 1);
    while (s.endsWith(QLatin1Char(':')) || s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s.trimmed();
}

namespace {

// Enter on a focused button presses that button, as everywhere else on the
// desktop. The buttons are not auto-default, so that Enter in a box goes to
// the window's default button; without this, Enter on "Zavřít okno" would
// go there too and start the backup or export the user was leaving.
class EnterPresses : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto *b = static_cast<QPushButton *>(watched);
        if (b->isEnabled())
            b->click();
        return true;
    }
};

} // namespace

QPushButton *button(QWidget *parent, const QString &name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->installEventFilter(new EnterPresses(b));
    return b;
}

QHBoxLayout *row(std::initializer_list<QWidget *> left, std::initializer_list<QWidget *> right)
{
    auto *r = new QHBoxLayout;
    for (QWidget *w : left)
        r->addWidget(w);
    r->addStretch(1);
    for (QWidget *w : right)
        r->addWidget(w);
    return r;
}

void setBold(QWidget *widget, bool bold)
{
    QFont f = widget->font();
    f.setBold(bold);
    widget->setFont(f);
}

void digitsOnly(QLineEdit *box)
{
    // One filter per box, owned by it.
    box->installEventFilter(new DigitKeys(box));
}

QLineEdit *readOnlyBox(QWidget *parent, const QString &name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    return box;
}

QTableView *rowGrid(QWidget *parent, const QString &name, const QString &accessibleName)
{
    auto *grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setAccessibleName(accessibleName);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

void fitColumns(QTableView *grid)
{
    grid->resizeColumnsToContents();
    const int last = grid->horizontalHeader()->count() - 1;
    if (last >= 0)
        grid->horizontalHeader()->setSectionResizeMode(last, QHeaderView::Stretch);
}

void placeAtTopRight(QWidget *window, int fromRight)
{
    QWidget *parent = window->parentWidget();
    QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The available area: a panel at the top of the screen would cover the
    // title bar otherwise.
    const QRect area = screen->availableGeometry();
    window->move(area.x() + area.width() - fromRight, area.y());
    keepOnScreen(window);
}

void keepOnScreen(QWidget *window)
{
    if (!window || !window->isWindow())
        return;
    QRect frame = window->frameGeometry();
    if (!window->isVisible()) {
        // Not framed yet: the size it will have, in a frame like that of the
        // window it opens over.
        if (!window->testAttribute(Qt::WA_Resized))
            frame.setSize(window->sizeHint());
        const QWidget *owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
        if (owner && owner->isVisible()) {
            const QRect outer = owner->frameGeometry();
            const QRect inner = owner->geometry();
            frame.adjust(0, 0, (outer.width() - inner.width()), (outer.height() - inner.height()));
        }
    }
    QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QPoint to = frame.topLeft();
    if (frame.right() > area.right())
        to.setX(area.right() - frame.width() + 1);
    if (frame.bottom() > area.bottom())
        to.setY(area.bottom() - frame.height() + 1);
    to.setX(qMax(to.x(), area.left()));
    to.setY(qMax(to.y(), area.top()));
    if (to != frame.topLeft())
        window->move(to);
}

} // namespace velmora::ui
