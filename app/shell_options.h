#pragma once

#include <QString>
#include <QStringList>

// What the shell needs to know about how the program was started.
struct ShellOptions {
    // Where the database and the help folder are.
    QString applicationFolder;
    // Where the register is when there is none beside the program: the
    // user's data folder, and the seed it is made from (see chooseRegister).
    // Empty in a folder of its own, as in the tests.
    QString userDataFolder;
    QString registerSeed;
    // The command line was exactly "debug": the tip of the day traces its
    // loading and activation.
    bool debugTraces = false;
    // The register named by --database (a file or a postgresql:// address);
    // empty for the one in the settings, else the usual DS.dat.
    QString registerAddress;
    // A survey file named on the command line, opened after the start-up.
    QString surveyFile;
    // Where unsaved surveys are written every 30 seconds; none when empty.
    QString autosaveFolder;
    // CALVANE_QUIT_AFTER_START is set: the start-up runs as the user would
    // see it (Continue on the About box, the survey file opened) and the
    // program then ends, so that a script can check an installation.
    bool quitAfterStart = false;

    // `arguments` as QCoreApplication::arguments() gives them, the program
    // first.
    static ShellOptions fromCommandLine(const QStringList& arguments,
                                        const QString& applicationFolder);
};
