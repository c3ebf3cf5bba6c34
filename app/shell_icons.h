#pragma once

#include <QIcon>
#include <QString>

// The image of a menu item or toolbar button by its key ("New", "Open",
// "Save", "Close", "Print", "PrintPreview", "Delete", "PortMaster",
// "ShipParticulars", "Loading", "Discharging", "Calculator", "Notepad",
// "TipOfDay", "Help", "TechSupport"): the desktop theme's icon where it has
// one, else the program's own. Qt's stand-in glyphs mean nothing here (a
// list for Print, dots for Help), so the program ships a set of its own.
QIcon shellIcon(const QString& key);
// The program's own icon for the key, whatever the theme.
QIcon ownShellIcon(const QString& key);
