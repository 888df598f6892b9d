#ifndef MAINWINDOWMENUS_H
#define MAINWINDOWMENUS_H

#include <QString>

class QAction;
class QMenu;
#include <QStringList>

// The main window's menus as the form builds them, for the tests that walk
// them by object name.
namespace MainWindowMenus {

// An entry of a menu as the table names it: a separator "-", a sub-menu by
// its menu's name, an action by its own.
QString EntryName(const QAction* action);
// The names of all entries of the menu, in order.
QStringList Entries(const QMenu* menu);

// Test data rows, one per menu: "name", "parent" (object names), "title"
// and "entries" (a QStringList of entry names, in menu order).
void AddRows();

} // namespace MainWindowMenus

#endif // MAINWINDOWMENUS_H
