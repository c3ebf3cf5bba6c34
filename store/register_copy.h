#pragma once

#include <QList>
#include <QString>

struct TableCount {
    QString table;
    qint64 rows = 0;
};

// Copies the register at `from` (a file or a postgresql:// address) into a
// new register at `to`, every table with its keys, as one change: a file
// register moves to a server and back unchanged. The rows of each table are
// counted on both sides before the change is kept. Raises ProgramError
// (store failure) when either side fails or a count differs; nothing is
// left at `to` then.
QList<TableCount> copyRegister(const QString& from, const QString& to);
