#include "core/MainWindow.h"

#include "core/InfoWindows.h"
#include "engine/DbError.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/TabOrder.h"
#include "platform/Widgets.h"
#include "session/Language.h"
#include "storage/Paths.h"
#include "system/Version.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora {

TTitul::TTitul(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Titul"));
    setWindowTitle(version::kApplicationTitle + QStringLiteral(" (Build: ") +
                   version::buildNumber() + QStringLiteral(")"));

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("TitlePage"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(18, 12, 18, 8);

    m_title = ui::caption(central, QStringLiteral("jmeno_prg"), QStringLiteral("Velmora  2002"));
    QFont big = m_title->font();
    big.setPointSize(26);
    big.setBold(true);
    big.setItalic(true);
    m_title->setFont(big);
    m_title->setStyleSheet(colours::colourRule(m_title, QColor(0x00, 0x00, 0x80)));
    layout->addWidget(m_title);

    m_subtitle = ui::caption(central, QStringLiteral("Sel"), QStringLiteral("Multi - program"));
    m_bits = ui::caption(central, QStringLiteral("RxLabel2"), QStringLiteral("32 - bitová verze"));
    QFont sub = m_subtitle->font();
    sub.setPointSize(sub.pointSize() + 3);
    sub.setBold(true);
    m_subtitle->setFont(sub);
    m_bits->setFont(sub);
    layout->addWidget(m_subtitle);
    layout->addWidget(m_bits);

    auto *versionRow = new QHBoxLayout;
    auto *panel = new QFrame(central);
    panel->setObjectName(QStringLiteral("VersionPanel"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    auto *panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(8, 2, 8, 2);
    m_version = ui::caption(panel, QStringLiteral("verze"), version::kText);
    QFont bold = m_version->font();
    bold.setBold(true);
    m_version->setFont(bold);
    panelLayout->addWidget(m_version);
    versionRow->addWidget(panel);
    m_versionDate =
        ui::caption(central, QStringLiteral("Info_o_verzi"), QStringLiteral("Datum verze:"));
    versionRow->addWidget(m_versionDate);
    versionRow->addStretch();
    layout->addLayout(versionRow);
    layout->addSpacing(10);

    auto *middle = new QHBoxLayout;
    m_tree = new QTreeWidget(central);
    m_tree->setObjectName(QStringLiteral("TreeNT1"));
    m_tree->setAccessibleName(QStringLiteral("Vnitřní moduly programu"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setItemsExpandable(false);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setMinimumWidth(260);
    m_tree->setMaximumHeight(90);
    m_root = new QTreeWidgetItem(m_tree, {QStringLiteral("Vnitřní moduly programu:")});
    m_cassetteNode = new QTreeWidgetItem(m_root, {QStringLiteral("Orvella")});
    m_cdNode = new QTreeWidgetItem(m_root, {QStringLiteral("Evidence hudebních CD")});
    m_tree->expandAll();
    m_tree->installEventFilter(this);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { sectionChanged(); });
    connect(m_tree, &QTreeWidget::itemCollapsed, m_tree,
            [this](QTreeWidgetItem *item) { m_tree->expandItem(item); });
    middle->addWidget(m_tree);

    auto *info = new QVBoxLayout;
    m_system = ui::caption(central, QStringLiteral("VerSys"), QString());
    m_system->setToolTip(QStringLiteral("Detekce OS programem"));
    m_system->setWordWrap(true);
    m_upgrade = ui::caption(central, QStringLiteral("UpgradeInfo"), QString());
    m_upgrade->setToolTip(
        QStringLiteral("Windows: 95, 95 osr2, 98, 98SE, Me, 2K, XP - all CZ version"));
    m_upgrade->setStyleSheet(colours::colourRule(m_upgrade, Qt::red));
    info->addStretch();
    info->addWidget(m_system);
    info->addWidget(m_upgrade);
    middle->addLayout(info, 1);
    layout->addLayout(middle);
    layout->addStretch();

    auto *maker = ui::caption(central, QStringLiteral("Maker"), version::kMakerName);
    maker->setAlignment(Qt::AlignRight);
    maker->setFont(bold);
    layout->addWidget(maker);
    setCentralWidget(central);

    // Both menu bars live in one holder; the selected section shows its own.
    auto *holder = new QWidget(this);
    auto *holderLayout = new QVBoxLayout(holder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    holderLayout->setSpacing(0);
    m_cassetteMenu = buildMenuBar(cassetteMenu(), QStringLiteral("RxMainMenu1"));
    m_cdMenu = buildMenuBar(cdMenu(), QStringLiteral("RxMainMenu2"));
    holderLayout->addWidget(m_cassetteMenu);
    holderLayout->addWidget(m_cdMenu);
    m_cdMenu->hide();
    setMenuWidget(holder);

    setHelpAvailable(false);
    m_session.setCommandRunner([this](const QString &action) { runAction(action); });
    registerCoreCommands();
    setFixedSize(688, 500);
    // Every window of the run, this one included, reads in Tab order as it
    // reads on the screen and opens inside it.
    ui::arrangeShownWindows();
}

TTitul::~TTitul()
{
    m_tables.closeAll();
}

QMenuBar *TTitul::buildMenuBar(const std::vector<MenuEntry> &entries, const QString &name)
{
    auto *bar = new QMenuBar;
    bar->setObjectName(name);
    bar->setNativeMenuBar(false);
    std::function<void(QMenu *, const std::vector<MenuEntry> &)> fill =
        [&](QMenu *menu, const std::vector<MenuEntry> &items) {
            for (const MenuEntry &e : items) {
                if (e.isMenu()) {
                    QMenu *sub = menu->addMenu(e.builtIn);
                    sub->setObjectName(e.objectName);
                    fill(sub, e.children);
                    continue;
                }
                QAction *a = menu->addAction(e.builtIn);
                a->setObjectName(e.objectName);
                connect(a, &QAction::triggered, this, [this, &e] { runEntry(e); });
            }
        };
    for (const MenuEntry &e : entries) {
        if (e.isMenu()) {
            QMenu *menu = bar->addMenu(e.builtIn);
            menu->setObjectName(e.objectName);
            fill(menu, e.children);
        } else {
            // Exit and help are commands on the bar itself.
            QAction *a = bar->addAction(e.builtIn);
            a->setObjectName(e.objectName);
            connect(a, &QAction::triggered, this, [this, &e] { runEntry(e); });
        }
    }
    markMnemonics(bar);
    return bar;
}

void TTitul::markMnemonics(QMenuBar *bar)
{
    // The bar's own items are its menus' titles and its commands (exit, help).
    const QList<QAction *> items = bar->actions();
    QStringList titles;
    for (const QAction *a : items)
        titles << a->text();
    const QStringList marked = withMnemonics(titles);
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i]->text() != marked[i])
            items[i]->setText(marked[i]);
}

void TTitul::setSystemText(const QString &text)
{
    m_system->setText(text);
}

void TTitul::setUpgradeText(const QString &text)
{
    m_upgrade->setText(text);
}

QString TTitul::others(const QString &key)
{
    static const QHash<QString, QString> defaults{
        {QStringLiteral("000"), QStringLiteral("Ukončení programu")},
        {QStringLiteral("001"), QStringLiteral("Opravdu chceš ukončit tento program ?")},
        {QStringLiteral("002"), QStringLiteral("Informace")},
        {QStringLiteral("003"),
         QStringLiteral("Rozlišení monitoru je menší než 800x600! Některé údaje nemusí být "
                        "proto korektně zobrazeny. Chcete pokračovat ?")},
        {QStringLiteral("004"), QStringLiteral("V databázi nejsou žádná data, nelze pokračovat!")},
        {QStringLiteral("005"),
         QStringLiteral("Nebyl nalezen soubor \"Version.txt\" v adresáři programu.")},
        {QStringLiteral("006"), QStringLiteral("Chyba")},
        {QStringLiteral("007"),
         QStringLiteral("Ve Vaši databázi jsou některé videokazety vedeny jako zapůjčené. "
                        "Jejich termín vrácení byl však překročen! Chcete zobrazit seznam "
                        "dlužníků ?")},
        {QStringLiteral("008"),
         QStringLiteral("Ve Vaši databázi CD jsou některé hudební CD vedeny jako zapůjčené. "
                        "Jejich termín vrácení byl však překročen! Chcete zobrazit seznam "
                        "dlužníků ?")},
        {QStringLiteral("009"),
         QStringLiteral("V systému nebyla nalezena tiskárna, v programu nebudou povoleny "
                        "tiskové výstupy.")},
        {QStringLiteral("010"), QStringLiteral("Není instalována Internetová (email) služba!")},
        {QStringLiteral("013"),
         QStringLiteral("Soubor s nápovědou k tomuto programu není ještě v této verzi bohužel "
                        "dostupný. Soubor s nápovědou může být dostupný na internetu.")}};
    return lang::text(QStringLiteral("Others"), key, defaults.value(key));
}

void TTitul::applyLanguage()
{
    const QString central = QStringLiteral("Central");
    if (!lang::present()) {
        QGuiApplication::setApplicationDisplayName(version::kApplicationTitle);
        setWindowTitle(version::kApplicationTitle + QStringLiteral(" (Build: ") +
                       version::buildNumber() + QStringLiteral(")"));
        return; // menu captions and labels keep their built-in texts
    }
    const QString title = lang::text(central, QStringLiteral("000"), version::kApplicationTitle);
    // The application title of window lists and task bars speaks the language too.
    QGuiApplication::setApplicationDisplayName(title);
    setWindowTitle(title + QStringLiteral("  (Build: ") + version::buildNumber() +
                   QStringLiteral(")"));
    m_title->setText(title);
    m_subtitle->setText(
        lang::text(central, QStringLiteral("103"), QStringLiteral("Multi Program")));
    m_bits->setText(
        lang::text(central, QStringLiteral("104"), QStringLiteral("32 - bitová verze")));
    m_versionDate->setText(lang::text(central, QStringLiteral("106 ") + version::kDate,
                                      QStringLiteral("Datum verze: ") + version::kDate));
    m_root->setText(
        0, lang::text(central, QStringLiteral("107"), QStringLiteral("Vnitřní moduly programu:")));
    m_cassetteNode->setText(0,
                            lang::text(central, QStringLiteral("108"), QStringLiteral("Orvella")));
    m_cdNode->setText(
        0, lang::text(central, QStringLiteral("109"), QStringLiteral("Evidence hudebních CD")));

    const auto recaption = [](QMenuBar *bar, const std::vector<MenuEntry> &entries) {
        std::function<void(const std::vector<MenuEntry> &)> walk =
            [&](const std::vector<MenuEntry> &items) {
                for (const MenuEntry &e : items) {
                    if (e.isMenu()) {
                        if (auto *m = bar->findChild<QMenu *>(e.objectName))
                            m->setTitle(menuCaption(e));
                        walk(e.children);
                    } else if (auto *a = bar->findChild<QAction *>(e.objectName)) {
                        a->setText(menuCaption(e));
                    }
                }
            };
        walk(entries);
    };
    recaption(m_cassetteMenu, cassetteMenu());
    recaption(m_cdMenu, cdMenu());
    markMnemonics(m_cassetteMenu);
    markMnemonics(m_cdMenu);
}

void TTitul::setHelpAvailable(bool on)
{
    m_helpAvailable = on;
    for (QMenuBar *bar : {m_cassetteMenu, m_cdMenu})
        for (QAction *a : bar->findChildren<QAction *>())
            if (a->objectName().endsWith(QLatin1String("VK800")))
                a->setVisible(on);
}

// --- sections -------------------------------------------------------------

void TTitul::selectSection(Section section)
{
    if (section == Cassettes)
        m_tree->setCurrentItem(m_cassetteNode);
    else if (section == Cds)
        m_tree->setCurrentItem(m_cdNode);
}

TTitul::Section TTitul::selectedSection() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    if (item == m_cassetteNode)
        return Cassettes;
    if (item == m_cdNode)
        return Cds;
    return NoSection;
}

void TTitul::sectionChanged()
{
    if (m_starting)
        return;
    if (m_tree->currentItem() == m_root) {
        m_tree->setCurrentItem(m_cassetteNode); // comes back here through the signal
        return;
    }
    const Section s = selectedSection();
    if (s == Cassettes) {
        m_cdMenu->hide();
        m_cassetteMenu->show();
    } else if (s == Cds) {
        m_cassetteMenu->hide();
        m_cdMenu->show();
    }
}

// --- commands -------------------------------------------------------------

void TTitul::registerCommand(const QString &action, Handler handler)
{
    m_handlers.insert(action, std::move(handler));
}

const MenuEntry *TTitul::entryFor(const QString &action, Section section) const
{
    for (const auto *menu : {&cassetteMenu(), &cdMenu()}) {
        if ((section == Cassettes && menu != &cassetteMenu()) ||
            (section == Cds && menu != &cdMenu()))
            continue;
        for (const MenuEntry *e : commandsOf(*menu))
            if (e->action == action)
                return e;
    }
    return nullptr;
}

void TTitul::runAction(const QString &action)
{
    const auto it = m_handlers.constFind(action);
    // Every menu command has its handler (a test walks both menus); a name
    // without one is a fault of the program, not something to tell the user.
    if (it == m_handlers.constEnd()) {
        qWarning("No handler for the command %s", qPrintable(action));
        return;
    }
    it.value()(*this);
}

void TTitul::runEntry(const MenuEntry &entry)
{
    try {
        runGuarded(entry);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void TTitul::runGuarded(const MenuEntry &entry)
{
    const QString info = others(QStringLiteral("002"));
    const QString noData = others(QStringLiteral("004"));
    switch (entry.guard) {
    case Guard::None:
        runAction(entry.action);
        return;
    case Guard::File:
        if (!QFile::exists(Paths::externiDir() + entry.file)) {
            dialogs::information(info, noData);
            return;
        }
        runAction(entry.action);
        return;
    case Guard::Records:
    case Guard::LentRecords: {
        Table *t = m_tables.byName(entry.table);
        const bool ran = m_session.runGuarded(
            *t, entry.guard == Guard::LentRecords, entry.unfilter, entry.index,
            [&] { runAction(entry.action); },
            [](const std::exception &e) { dialogs::showError(e); });
        if (!ran)
            dialogs::information(info, noData);
        return;
    }
    }
}

void TTitul::openHelp()
{
    const QString help = Paths::dataDir() + version::kHelpFile;
    if (QFile::exists(help))
        shell::openFile(help);
    else
        dialogs::information(others(QStringLiteral("002")), others(QStringLiteral("013")));
}

void TTitul::registerCoreCommands()
{
    registerCommand(QStringLiteral("core.close"), [](TTitul &w) { w.close(); });
    registerCommand(QStringLiteral("core.help"), [](TTitul &w) { w.openHelp(); });
    // Without a desktop program for text files the notes and the news open
    // in the program's own window.
    registerCommand(QStringLiteral("notes.cassettes"),
                    [](TTitul &w) { openTextFile(Paths::dataFile(QStringLiteral("VK.txt")), &w); });
    registerCommand(QStringLiteral("notes.cds"),
                    [](TTitul &w) { openTextFile(Paths::dataFile(QStringLiteral("CD.txt")), &w); });
    registerCommand(QStringLiteral("core.newsFile"), [](TTitul &w) {
        const QString news = Paths::dataFile(version::kNewsFile);
        if (QFile::exists(news))
            openTextFile(news, &w);
        else
            dialogs::error(others(QStringLiteral("006")), others(QStringLiteral("005")));
    });
    registerCommand(QStringLiteral("core.webPage"), [](TTitul &) {
        if (!shell::openUrl(version::kMakerHomePage))
            dialogs::error(others(QStringLiteral("006")), others(QStringLiteral("010")));
    });
}

// --- activation and closing -------------------------------------------------

void TTitul::activated()
{
    if (m_inActivation || m_ending)
        return;
    m_inActivation = true;
    try {
        if (m_settings.systemCodeNew) {
            m_settings.systemCodeNew = false;
            runAction(QStringLiteral("core.systemWindow"));
        }
        if (m_oldFormat && !m_ending) {
            m_oldFormat = false;
            runAction(QStringLiteral("core.formatUpgrade"));
        }
        if (m_settings.passwordPending && !m_ending) {
            runAction(QStringLiteral("core.password"));
            m_settings.passwordPending = false;
        }
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    m_inActivation = false;
}

void TTitul::endProgram()
{
    m_ending = true;
    hide();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

bool TTitul::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && !m_starting)
        QTimer::singleShot(0, this, &TTitul::activated);
    return QMainWindow::event(e);
}

void TTitul::closeEvent(QCloseEvent *e)
{
    if (m_ending) {
        e->accept();
        return;
    }
    if (!dialogs::question(others(QStringLiteral("000")), others(QStringLiteral("001")))) {
        e->ignore();
        return;
    }
    const Section s = selectedSection();
    if (s != NoSection) {
        try {
            settings::writeLastExit(s);
        } catch (const std::exception &ex) {
            dialogs::showError(ex);
        }
    }
    m_ending = true;
    e->accept();
}

bool TTitul::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_tree && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key == Qt::Key_Escape) {
            close();
            return true;
        }
        if (key == Qt::Key_F1) {
            openHelp();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

} // namespace velmora
