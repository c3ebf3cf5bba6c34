#pragma once

#include "connection.h"
#include "register_copy.h"

#include <QProcess>
#include <QTemporaryDir>

// A company's register at full size (110000 ships, 10000 ports, 2000 of
// the ships with a 1250-row hydrostatic table, made by
// calvane-makeregister) in a folder of its own, open as the shared
// connection for the life of the object. With CALVANE_BENCH_SERVER set to
// the address of an empty PostgreSQL database, the register is copied there
// and the benchmarks run on the server.
class GeneratedRegister {
public:
    GeneratedRegister() {
        const int made = QProcess::execute(
            QStringLiteral(CALVANE_MAKEREGISTER),
            {QStringLiteral("--tables"), QStringLiteral("2000"), databaseFileIn(m_folder.path())});
        const QString server = qEnvironmentVariable("CALVANE_BENCH_SERVER");
        if (made == 0 && !server.isEmpty())
            copyRegister(databaseFileIn(m_folder.path()), server);
        if (made != 0 ||
            !(server.isEmpty() ? OpenConnection(m_folder.path()) : OpenRegisterAt(server)))
            qFatal("The register could not be made.");
    }
    ~GeneratedRegister() { gcnnStore.reset(); }
    GeneratedRegister(const GeneratedRegister&) = delete;
    GeneratedRegister& operator=(const GeneratedRegister&) = delete;

    const QTemporaryDir& folder() const { return m_folder; }

private:
    QTemporaryDir m_folder;
};
