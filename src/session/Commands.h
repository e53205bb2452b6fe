#pragma once

#include <QString>
#include <vector>

namespace velmora {

// What a command checks before its screen opens.
enum class Guard
{
    None,
    Records,     // the table must hold a record
    LentRecords, // the table must hold a lent record ("Pujceno=True")
    File         // a file must exist in the EXTERNI directory
};

// One entry of a menu bar: a top-level menu (with children), a submenu, a
// command, or a top-level item that is itself a command (exit, help).
struct MenuEntry
{
    QString section;       // language section of its caption
    QString key;           // language key; empty for captions without one
    QString builtIn;       // caption without a language file
    QString lookupDefault; // default of the lookup with a language file
    QString suffix;        // added after a looked-up caption
    Guard guard = Guard::None;
    QString table; // handle name of the guarded table
    QString index; // tag selected before the screen opens
    bool unfilter = false;
    QString file;   // guarded file in EXTERNI
    QString action; // command identifier; empty for menus
    QString objectName;
    std::vector<MenuEntry> children;

    bool isMenu() const { return !children.empty(); }
};

const std::vector<MenuEntry> &cassetteMenu(); // RxMainMenu1
const std::vector<MenuEntry> &cdMenu();       // RxMainMenu2

// The caption shown: the lookup plus its suffix when a language file is
// present, the built-in caption otherwise.
QString menuCaption(const MenuEntry &entry);

// The titles of a menu bar with an Alt letter each: in order, a '&' before
// the first letter that no earlier title uses (case aside). A title that
// has its own letter keeps it; one with no free letter stays as it is.
QStringList withMnemonics(const QStringList &titles);

// Every command entry of a menu bar, submenus included, in menu order.
std::vector<const MenuEntry *> commandsOf(const std::vector<MenuEntry> &menu);

} // namespace velmora
