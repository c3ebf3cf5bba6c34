#include "shell_icons.h"

#include <map>

namespace {

struct IconSource {
    const char* themeName;
    const char* ownFile; // in the program's resources, under :/icons/
};

const std::map<QString, IconSource>& iconSources() {
    static const std::map<QString, IconSource> sources = {
        {QStringLiteral("New"), {"document-new", "new.svg"}},
        {QStringLiteral("Open"), {"document-open", "open.svg"}},
        {QStringLiteral("Save"), {"document-save", "save.svg"}},
        {QStringLiteral("Close"), {"window-close", "close.svg"}},
        {QStringLiteral("Print"), {"document-print", "print.svg"}},
        {QStringLiteral("PrintPreview"), {"document-print-preview", "print-preview.svg"}},
        {QStringLiteral("Delete"), {"edit-delete", "delete.svg"}},
        {QStringLiteral("PortMaster"), {"go-home", "port.svg"}},
        {QStringLiteral("ShipParticulars"), {"document-properties", "ship.svg"}},
        {QStringLiteral("Loading"), {"go-down", "loading.svg"}},
        {QStringLiteral("Discharging"), {"go-up", "discharging.svg"}},
        {QStringLiteral("Calculator"), {"accessories-calculator", "calculator.svg"}},
        {QStringLiteral("Notepad"), {"accessories-text-editor", "editor.svg"}},
        {QStringLiteral("TipOfDay"), {"dialog-information", "tip-of-day.svg"}},
        {QStringLiteral("Help"), {"help-contents", "help.svg"}},
        {QStringLiteral("TechSupport"), {"mail-send", "tech-support.svg"}},
    };
    return sources;
}

} // namespace

QIcon ownShellIcon(const QString& key) {
    return QIcon(QStringLiteral(":/icons/") + QLatin1String(iconSources().at(key).ownFile));
}

QIcon shellIcon(const QString& key) {
    return QIcon::fromTheme(QString::fromLatin1(iconSources().at(key).themeName),
                            ownShellIcon(key));
}
