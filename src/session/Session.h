#pragma once

#include "session/Settings.h"
#include "storage/TableHandles.h"

#include <QString>
#include <functional>

namespace velmora {

// Said at start, and by the commands that would write the cassettes, while
// data.dbf has the format of the previous release.
inline const QString kCassettesReadOnly = QStringLiteral(
    "Databáze videokazet (data.dbf) má formát předchozí verze programu. Dokud nebude převedena "
    "do nového formátu, lze videokazety pouze prohlížet. Program v ní nic nemění, aby nebyl "
    "zkrácen žádný žánr.");

// What a screen may use of the running program: the table handles, the
// settings of the run (with the printer found at start) and the running of
// another command. The main window owns it; screens receive it instead of
// the main window, so a screen can be made over any set of handles.
class Session
{
public:
    using CommandRunner = std::function<void(const QString &action)>;

    Session(TableHandles &tables, SettingsRecord &settings) : m_tables(tables), m_settings(settings)
    {
    }

    TableHandles &tables() const { return m_tables; }
    SettingsRecord &settings() const { return m_settings; }
    bool printerAvailable() const { return m_settings.printerAvailable; }
    // The Setup_OS value that chooses how reports are written.
    const QString &systemCode() const { return m_settings.storedSystemCode; }

    // How a catalogue table may be opened: an old-format data.dbf would lose
    // the end of every longer genre on save, so until it is converted
    // nothing may write it.
    Table::Mode openMode(const Table &table) const
    {
        if (&table == &m_tables.Table1 && m_settings.cassettesReadOnly)
            return Table::Mode::ReadOnly;
        return Table::Mode::ReadWrite;
    }
    bool cassettesReadOnly() const { return m_settings.cassettesReadOnly; }

    // Runs another command of the menus, without its guard (the browse
    // screen's label button runs the label command this way).
    void runCommand(const QString &action) const
    {
        if (m_runner)
            m_runner(action);
    }
    void setCommandRunner(CommandRunner runner) { m_runner = std::move(runner); }

    // Runs a command over the lent items of a table, as the menu's guard
    // would open them: filtered to "Pujceno=True", in the index given; the
    // table is unfiltered and closed afterwards, whatever happens.
    void runOverLentItems(Table &table, const QString &index, const QString &action) const
    {
        table.setFilter(QStringLiteral("Pujceno=True"));
        table.setFiltered(true);
        const auto done = [&table] {
            table.setFiltered(false);
            table.setFilter(QString());
            table.close();
        };
        try {
            table.open(openMode(table));
            table.setIndex(index);
            runCommand(action);
        } catch (...) {
            done();
            throw;
        }
        done();
    }

    // Runs a command behind its menu guard: the table opened as the session
    // opens it, filtered to its lent records where lentOnly asks, its index
    // set; false, without running, when the table holds no such record.
    // The engine keeps a filter across close and open, so one left by a
    // screen, even one that failed, would hide records from the next
    // command's guard: whatever happens, the table leaves closed, and
    // unfiltered where lentOnly or unfilter asks. A failure of that closing
    // goes to cleanupFailed, as the command has already been run.
    bool runGuarded(Table &table, bool lentOnly, bool unfilter, const QString &index,
                    const std::function<void()> &run,
                    const std::function<void(const std::exception &)> &cleanupFailed) const;

    // Runs something with a catalogue table held open as the session opens
    // it, and closes it again on every path (a reminder shows its screen
    // over the table this way).
    void runHoldingOpen(Table &table, const std::function<void()> &run) const;

private:
    TableHandles &m_tables;
    SettingsRecord &m_settings;
    CommandRunner m_runner;
};

} // namespace velmora
