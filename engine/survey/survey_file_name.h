#pragma once

#include <QDate>
#include <QString>

// The name a survey's files are first proposed under, so that a folder of
// them sorts by ship and reads without opening any: "SHIP - Port - yyyy-MM-dd",
// with `worksheet` ("Loading") before the date when given. The port is taken
// without the city and country that may follow it after a comma; a part left
// empty is left out; characters no desktop takes in a file name become a
// dash. `suffix` without its dot.
QString surveyFileName(const QString& ship, const QString& port, const QString& worksheet,
                       const QDate& date, const QString& suffix);

// The folder such a file is first proposed in: the user's documents folder,
// or the home folder where the desktop has none.
QString documentsFolder();
