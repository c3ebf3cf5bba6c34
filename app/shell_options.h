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
    // A survey file named on the command line, opened after the start-up.
    QString surveyFile;
    // Where unsaved surveys are written every 30 seconds; none when empty.
    QString autosaveFolder;

    // `arguments` as QCoreApplication::arguments() gives them, the program
    // first.
    static ShellOptions fromCommandLine(const QStringList& arguments,
                                        const QString& applicationFolder);
};
