#include "shell_options.h"

ShellOptions ShellOptions::fromCommandLine(const QStringList& arguments,
                                           const QString& applicationFolder) {
    ShellOptions options;
    options.applicationFolder = applicationFolder;
    options.debugTraces = arguments.size() == 2 && arguments.at(1) == QStringLiteral("debug");
    return options;
}
