#pragma once

// The main window TTitul.

#include "platform/Dialogs.h"
#include "session/Commands.h"
#include "session/Session.h"
#include "session/Settings.h"
#include "storage/TableHandles.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QLabel;
class QMenuBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora {

// The main window: the only window that lives for the whole run. It owns
// the table handles that every screen works through, shows the section
// tree with the menu bar of the selected section and runs the commands.
class TTitul : public QMainWindow
{
    Q_OBJECT
public:
    enum Section
    {
        NoSection = 0,
        Cassettes = 1,
        Cds = 2
    };
    using Handler = std::function<void(TTitul &)>;

    explicit TTitul(QWidget *parent = nullptr);
    ~TTitul() override;

    TableHandles &tables() { return m_tables; }
    // What the screens receive of the main window.
    Session &session() { return m_session; }
    bool oldFormat() const { return m_oldFormat; }
    void setOldFormat(bool on) { m_oldFormat = on; }
    SettingsRecord &settings() { return m_settings; }
    void setSystemText(const QString &text);

    // Commands: the screens of the subsystems register under the action
    // names of the menu tables; an action without a handler tells the user
    // that it is not available yet.
    void registerCommand(const QString &action, Handler handler);
    // The handler of a screen taking the session: created over the main
    // window, shown modally and freed when it closes.
    template <typename Screen> static Handler modal()
    {
        return [](TTitul &w) {
            Screen screen(w.session(), &w);
            dialogs::exec(screen);
        };
    }
    // The same for a screen that needs nothing but its parent.
    template <typename Screen> static Handler modalOver()
    {
        return [](TTitul &w) {
            Screen screen(&w);
            dialogs::exec(screen);
        };
    }
    bool hasCommand(const QString &action) const { return m_handlers.contains(action); }
    // Runs a menu command with its guard.
    void runEntry(const MenuEntry &entry);
    // Runs the handler of an action without a guard.
    void runAction(const QString &action);
    const MenuEntry *entryFor(const QString &action, Section section = NoSection) const;

    // Sections.
    void selectSection(Section section);
    Section selectedSection() const;
    bool starting() const { return m_starting; }
    void setStarting(bool on) { m_starting = on; }
    void sectionChanged();
    QTreeWidget *sectionTree() const { return m_tree; }

    // Texts from the language file (or the built-in ones).
    void applyLanguage();
    void setHelpAvailable(bool on);
    bool helpAvailable() const { return m_helpAvailable; }
    void setUpgradeText(const QString &text);

    // The activation sequence; runs once per activation of the window.
    void activated();
    // Ends the program without the close question.
    void endProgram();
    bool ending() const { return m_ending; }

    // A message text of section Others with its default.
    static QString others(const QString &key);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMenuBar *buildMenuBar(const std::vector<MenuEntry> &entries, const QString &name);
    // Gives the titles on the bar their Alt letters.
    static void markMnemonics(QMenuBar *bar);
    void registerCoreCommands();
    void runGuarded(const MenuEntry &entry);
    void openHelp();

    TableHandles m_tables;
    bool m_oldFormat = false;
    SettingsRecord m_settings;
    Session m_session{m_tables, m_settings};
    QHash<QString, Handler> m_handlers;
    QLabel *m_title = nullptr;
    QLabel *m_subtitle = nullptr;
    QLabel *m_bits = nullptr;
    QLabel *m_version = nullptr;
    QLabel *m_versionDate = nullptr;
    QLabel *m_system = nullptr;
    QLabel *m_upgrade = nullptr;
    QTreeWidget *m_tree = nullptr;
    QTreeWidgetItem *m_root = nullptr;
    QTreeWidgetItem *m_cassetteNode = nullptr;
    QTreeWidgetItem *m_cdNode = nullptr;
    QMenuBar *m_cassetteMenu = nullptr;
    QMenuBar *m_cdMenu = nullptr;
    bool m_starting = false;
    bool m_helpAvailable = false;
    bool m_ending = false;
    bool m_inActivation = false;
};

} // namespace velmora
