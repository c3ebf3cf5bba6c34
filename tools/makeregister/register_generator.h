#pragma once

#include <QSqlDatabase>

// How many rows of each kind a generated register holds.
struct RegisterSize {
    int ports = 10000;
    int ships = 110000;
    // Ships with a hydrostatic table, spread over the register, and the
    // rows of each (1 cm apart).
    int tables = 0;
    int tableRows = 1250;
};

// Adds a generated register of ports and ships with plausible names and
// particulars to a database that has the program's tables. The same seed
// always gives the same rows. Runs in one transaction: the register is
// either complete or not written at all. Raises ProgramError (store failure).
void fillRegister(const QSqlDatabase& database, RegisterSize size, quint64 seed);
