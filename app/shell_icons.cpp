#include "shell_icons.h"

#include <QApplication>
#include <QStyle>
#include <map>

namespace {

struct IconSource {
    const char* themeName;
    QStyle::StandardPixmap fallback;
};

const std::map<QString, IconSource>& iconSources() {
    static const std::map<QString, IconSource> sources = {
        {QStringLiteral("New"), {"document-new", QStyle::SP_FileIcon}},
        {QStringLiteral("Open"), {"document-open", QStyle::SP_DialogOpenButton}},
        {QStringLiteral("Save"), {"document-save", QStyle::SP_DialogSaveButton}},
        {QStringLiteral("Close"), {"window-close", QStyle::SP_DialogCloseButton}},
        {QStringLiteral("Print"), {"document-print", QStyle::SP_FileDialogListView}},
        {QStringLiteral("PrintPreview"),
         {"document-print-preview", QStyle::SP_FileDialogContentsView}},
        {QStringLiteral("Delete"), {"edit-delete", QStyle::SP_TrashIcon}},
        {QStringLiteral("PortMaster"), {"go-home", QStyle::SP_DirHomeIcon}},
        {QStringLiteral("ShipParticulars"),
         {"document-properties", QStyle::SP_FileDialogDetailedView}},
        {QStringLiteral("Loading"), {"go-down", QStyle::SP_ArrowDown}},
        {QStringLiteral("Discharging"), {"go-up", QStyle::SP_ArrowUp}},
        {QStringLiteral("Calculator"), {"accessories-calculator", QStyle::SP_ComputerIcon}},
        {QStringLiteral("Notepad"), {"accessories-text-editor", QStyle::SP_FileIcon}},
        {QStringLiteral("TipOfDay"), {"dialog-information", QStyle::SP_MessageBoxInformation}},
        {QStringLiteral("Help"), {"help-contents", QStyle::SP_DialogHelpButton}},
        {QStringLiteral("TechSupport"), {"mail-send", QStyle::SP_MessageBoxQuestion}},
    };
    return sources;
}

} // namespace

QIcon shellIcon(const QString& key) {
    const IconSource& source = iconSources().at(key);
    return QIcon::fromTheme(QString::fromLatin1(source.themeName),
                            QApplication::style()->standardIcon(source.fallback));
}
