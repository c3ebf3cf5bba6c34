#pragma once

#include "commands.h"

#include <QStringList>
#include <utility>

// The enabled commands as a test expects them, in toolbar order.
inline QString commandNames(Commands enabled) {
    const std::pair<Command, const char*> names[] = {
        {Command::New, "New"},       {Command::Save, "Save"},
        {Command::Print, "Print"},   {Command::PrintPreview, "PrintPreview"},
        {Command::Delete, "Delete"}, {Command::Close, "Close"},
    };
    QStringList shown;
    for (const auto& [command, name] : names) {
        if (enabled.testFlag(command))
            shown << QString::fromLatin1(name);
    }
    return shown.join(QLatin1Char(' '));
}
