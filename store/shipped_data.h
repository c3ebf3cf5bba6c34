#pragma once

#include "register.h"

#include <QList>
#include <QSqlDatabase>

// Fills a new database's tables with the data the program ships: the
// deductible items the report places by ItemID, the tips of the day and a
// sample port and ship to start from.
void insertShippedData(const QSqlDatabase& database);

// The deductible items a new register starts with, in the order it lists
// them; what a survey deducts when no register is open.
QList<DeductionItem> shippedDeductionItems();
