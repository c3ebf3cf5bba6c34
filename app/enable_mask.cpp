#include "enable_mask.h"

namespace {

bool isOne(const QString& text) {
    return text == QStringLiteral("1");
}

// 1-based, as the mask positions are counted.
bool enabledAt(const QString& mask, int position) {
    return isOne(mask.mid(position - 1, 1));
}

} // namespace

EnabledCommands readEnableMask(const QString& mask) {
    EnabledCommands commands;
    commands.newRecord = isOne(mask.left(1));
    commands.save = enabledAt(mask, 2);
    commands.print = enabledAt(mask, 4);
    commands.printPreview = enabledAt(mask, 5);
    commands.deleteRecord = enabledAt(mask, 7);
    commands.close = isOne(mask.right(1));
    return commands;
}
