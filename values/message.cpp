#include "message.h"

QString applicationTitle() {
    return QStringLiteral("Calvane Lt");
}

QString twoPartText(const QString& first, const QString& second) {
    return first + QStringLiteral("\r\n\r\n") + second;
}

Message warningMessage(const QString& text) {
    return {MessageIcon::Exclamation, applicationTitle(), text, MessageButtons::Ok,
            MessageAnswer::Ok};
}

Message warningMessage(const QString& first, const QString& second) {
    return warningMessage(twoPartText(first, second));
}

Message bareMessage(const QString& text) {
    return {MessageIcon::None, applicationTitle(), text, MessageButtons::Ok, MessageAnswer::Ok};
}

Message errorWithSourceMessage(const QString& description, const QString& source) {
    return {MessageIcon::Critical, applicationTitle(),
            twoPartText(description, QStringLiteral("Source :  ") + source), MessageButtons::Ok,
            MessageAnswer::Ok};
}
