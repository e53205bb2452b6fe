#include "platform/TabOrder.h"

#include "platform/ScreenDialog.h"
#include "platform/Widgets.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QHash>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSet>
#include <QTabBar>
#include <QTextEdit>
#include <algorithm>
#include <vector>

namespace velmora::ui {
namespace {

// One place in the chain: a widget that takes the focus, or a group of
// such places that stays together. The rectangle is in window coordinates.
struct Place
{
    QWidget *widget = nullptr; // a leaf; null for a group
    std::vector<Place> members;
    QRect rect;
};

// Widgets whose children are their own parts (a combo's line edit, a
// grid's viewport): the widget is one place, its parts are not looked at.
bool isWhole(const QWidget *w)
{
    if (qobject_cast<const QScrollArea *>(w))
        return false;
    return qobject_cast<const QAbstractScrollArea *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QLineEdit *>(w) ||
           qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QAbstractSlider *>(w) ||
           qobject_cast<const QTabBar *>(w);
}

bool takesTab(const QWidget *w)
{
    return (w->focusPolicy() & Qt::TabFocus) != 0;
}

class Builder
{
public:
    explicit Builder(QWidget *window) : m_window(window) {}

    Place group(std::vector<Place> members) const
    {
        Place g;
        for (const Place &m : members)
            g.rect = g.rect.united(m.rect);
        g.members = std::move(members);
        return g;
    }

    // The places inside a widget: those its layout holds, in groups as the
    // layout nests them, then children placed by hand.
    std::vector<Place> inside(QWidget *w) const
    {
        std::vector<Place> out;
        QSet<QWidget *> laidOut;
        if (QLayout *layout = w->layout())
            add(out, fromLayout(layout, laidOut));
        for (QObject *o : w->children()) {
            auto *child = qobject_cast<QWidget *>(o);
            if (child && !laidOut.contains(child))
                add(out, of(child));
        }
        return out;
    }

    Place fromLayout(QLayout *layout, QSet<QWidget *> &laidOut) const
    {
        std::vector<Place> members;
        for (int i = 0; i < layout->count(); ++i) {
            QLayoutItem *item = layout->itemAt(i);
            if (QWidget *w = item->widget()) {
                laidOut.insert(w);
                add(members, of(w));
            } else if (QLayout *sub = item->layout()) {
                add(members, fromLayout(sub, laidOut));
            }
        }
        return group(std::move(members));
    }

    // A widget as one place: itself when it takes the focus as a whole,
    // else the group of what is inside it (itself first when it takes the
    // focus too, as a checkable group box does).
    Place of(QWidget *w) const
    {
        if (w->isWindow() || !w->isVisibleTo(m_window))
            return {};
        if (isWhole(w) || w->children().isEmpty()) {
            if (!takesTab(w))
                return {};
            return leaf(w);
        }
        std::vector<Place> members;
        if (takesTab(w) && !w->focusProxy())
            members.push_back(leaf(w));
        for (Place &p : inside(w))
            members.push_back(std::move(p));
        return group(std::move(members));
    }

private:
    Place leaf(QWidget *w) const
    {
        Place p;
        p.widget = w;
        p.rect = QRect(w->mapTo(m_window, QPoint(0, 0)), w->size());
        return p;
    }

    static void add(std::vector<Place> &to, Place p)
    {
        if (p.widget || !p.members.empty())
            to.push_back(std::move(p));
    }

    QWidget *m_window;
};

// Reading order: rows from the top, each row from the left. A place joins
// the row while it starts above the bottom of the row's lowest-reaching
// member, so a label's box a few pixels lower and a tall list beside a
// column of buttons still read as one row.
void sortByReading(std::vector<Place> &places)
{
    std::stable_sort(places.begin(), places.end(),
                     [](const Place &a, const Place &b) { return a.rect.top() < b.rect.top(); });
    std::vector<Place> sorted;
    sorted.reserve(places.size());
    size_t i = 0;
    while (i < places.size()) {
        size_t end = i + 1;
        int rowBottom = places[i].rect.bottom();
        while (end < places.size() && places[end].rect.top() < rowBottom) {
            rowBottom = std::min(rowBottom, places[end].rect.bottom());
            ++end;
        }
        std::stable_sort(
            places.begin() + i, places.begin() + end,
            [](const Place &a, const Place &b) { return a.rect.left() < b.rect.left(); });
        for (size_t k = i; k < end; ++k)
            sorted.push_back(std::move(places[k]));
        i = end;
    }
    places = std::move(sorted);
}

void flatten(std::vector<Place> &places, QList<QWidget *> &out)
{
    sortByReading(places);
    for (Place &p : places) {
        if (p.widget)
            out << p.widget;
        else
            flatten(p.members, out);
    }
}

// Links the chain as given. Qt moves a widget together with its focusable
// children (an editable combo's line edit), which cuts the chain when such
// a child sits elsewhere in it; while linking, the parts of each widget in
// the chain take no focus, so every widget moves alone. A part's focus
// policy, set, passes on to its focus proxy: the widgets without a proxy
// get theirs back last.
void linkInOrder(QWidget *window, const QList<QWidget *> &chain)
{
    QHash<QWidget *, Qt::FocusPolicy> saved;
    for (QWidget *w : window->findChildren<QWidget *>())
        saved.insert(w, w->focusPolicy());
    for (QWidget *w : chain)
        for (QWidget *part : w->findChildren<QWidget *>())
            if (part->focusPolicy() != Qt::NoFocus && !part->isWindow())
                part->setFocusPolicy(Qt::NoFocus);
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    for (auto it = saved.cbegin(); it != saved.cend(); ++it)
        if (it.key()->focusProxy() && it.key()->focusPolicy() != it.value())
            it.key()->setFocusPolicy(it.value());
    for (auto it = saved.cbegin(); it != saved.cend(); ++it)
        if (!it.key()->focusProxy() && it.key()->focusPolicy() != it.value())
            it.key()->setFocusPolicy(it.value());
}

class ShownWindows : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Sent when the window is shown by the program (not when restored
        // from a minimise), after its own preparation has run.
        if (event->type() == QEvent::ShowToParent && watched->isWidgetType()) {
            auto *w = static_cast<QWidget *>(watched);
            if (w->isWindow() && (qobject_cast<QDialog *>(w) || qobject_cast<QMainWindow *>(w)) &&
                !qobject_cast<ScreenDialog *>(w)) {
                orderTabChain(w);
                keepOnScreen(w);
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void orderTabChain(QWidget *window)
{
    if (!window)
        return;
    // Shown or hidden controls since the last layout pass: positions first.
    if (QLayout *layout = window->layout())
        layout->activate();
    Builder builder(window);
    std::vector<Place> places = builder.inside(window);
    QList<QWidget *> chain;
    flatten(places, chain);
    linkInOrder(window, chain);
}

void arrangeShownWindows()
{
    static QObject *filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new ShownWindows(qApp);
    qApp->installEventFilter(filter);
}

} // namespace velmora::ui
