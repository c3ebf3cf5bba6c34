#pragma once

#include "connection.h"

#include <QProcess>
#include <QTemporaryDir>

// A company's register at full size (110000 ships, 10000 ports, 2000 of
// the ships with a 1250-row hydrostatic table, made by
// calvane-makeregister) in a folder of its own, open as the shared
// connection for the life of the object. With CALVANE_BENCH_SERVER set to
// the address of a register on a PostgreSQL server (one copied there by
// calvane-makedb --copy), the benchmarks run on that register instead.
class GeneratedRegister {
public:
    GeneratedRegister() {
        const QString server = qEnvironmentVariable("CALVANE_BENCH_SERVER");
        if (!server.isEmpty()) {
            if (!OpenRegisterAt(server))
                qFatal("The register on the server could not be opened.");
            return;
        }
        const int made = QProcess::execute(
            QStringLiteral(CALVANE_MAKEREGISTER),
            {QStringLiteral("--tables"), QStringLiteral("2000"), databaseFileIn(m_folder.path())});
        if (made != 0 || !OpenConnection(m_folder.path()))
            qFatal("The register could not be made.");
    }
    ~GeneratedRegister() { gcnnStore.reset(); }
    GeneratedRegister(const GeneratedRegister&) = delete;
    GeneratedRegister& operator=(const GeneratedRegister&) = delete;

    const QTemporaryDir& folder() const { return m_folder; }

private:
    QTemporaryDir m_folder;
};
