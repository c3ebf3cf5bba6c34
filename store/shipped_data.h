#pragma once

#include <QSqlDatabase>

// Fills a new database's tables with the data the program ships: the
// deductible items the report places by ItemID, the tips of the day and a
// sample port and ship to start from.
void insertShippedData(const QSqlDatabase& database);
