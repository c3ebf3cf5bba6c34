#pragma once

#include <QString>
#include <QStringList>

// What the shell needs to know about how the program was started.
struct ShellOptions {
    // Where the database and the help folder are.
    QString applicationFolder;
    // The command line was exactly "debug": the tip of the day traces its
    // loading and activation.
    bool debugTraces = false;

    // `arguments` as QCoreApplication::arguments() gives them, the program
    // first.
    static ShellOptions fromCommandLine(const QStringList& arguments,
                                        const QString& applicationFolder);
};
