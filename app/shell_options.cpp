#include "shell_options.h"

#include <QStandardPaths>

ShellOptions ShellOptions::fromCommandLine(const QStringList& arguments,
                                           const QString& applicationFolder) {
    ShellOptions options;
    options.applicationFolder = applicationFolder;
    options.debugTraces = arguments.size() == 2 && arguments.at(1) == QStringLiteral("debug");
    if (arguments.size() == 2 && !options.debugTraces)
        options.surveyFile = arguments.at(1);
    options.autosaveFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                             QStringLiteral("/autosave");
    return options;
}
