#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;

// One program per user for the desktop's double click: a start given a
// survey file hands the file to the program already running, which opens it
// as if started with it.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // This user's name for the running program: a socket in the user's
    // runtime folder, which no other user can reach.
    static QString serverName();
    // True when a program listening on `name` took the file (it answered in
    // time); false when none is running.
    static bool handOver(const QString& name, const QString& file, int timeoutMs = 5000);

    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    // Starts listening for files. False when another program is listening
    // already, or the name cannot be taken; this program then works alone.
    bool listen();

signals:
    // An absolute path, handed over by a second start.
    void fileReceived(const QString& file);

private:
    void accept();
    void readFrom(QLocalSocket* socket);

    QString m_name;
    QLocalServer m_server;
};
