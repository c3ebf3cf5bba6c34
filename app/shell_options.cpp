#include "shell_options.h"

#include "register_location.h"

#include <QStandardPaths>

ShellOptions ShellOptions::fromCommandLine(const QStringList& given,
                                           const QString& applicationFolder) {
    QStringList arguments = given;
    ShellOptions options;
    const qsizetype database = arguments.indexOf(QStringLiteral("--database"));
    if (database > 0 && database + 1 < arguments.size()) {
        options.registerAddress = arguments.at(database + 1);
        arguments.remove(database, 2);
    }
    options.applicationFolder = applicationFolder;
    const RegisterPlaces places = RegisterPlaces::ofThisProgram();
    options.userDataFolder = places.userFolder;
    options.registerSeed = places.seedFile;
    options.debugTraces = arguments.size() == 2 && arguments.at(1) == QStringLiteral("debug");
    if (arguments.size() == 2 && !options.debugTraces)
        options.surveyFile = arguments.at(1);
    options.autosaveFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                             QStringLiteral("/autosave");
    options.quitAfterStart = qEnvironmentVariableIsSet("CALVANE_QUIT_AFTER_START");
    return options;
}
