#pragma once

#include <QIcon>
#include <QString>

// The image of a menu item or toolbar button by its key ("New", "Open",
// "Save", "Close", "Print", "PrintPreview", "Delete", "PortMaster",
// "ShipParticulars", "Loading", "Discharging", "Calculator", "Notepad",
// "TipOfDay", "Help", "TechSupport"): the desktop theme's icon where it has
// one, else the style's own.
QIcon shellIcon(const QString& key);
