#include "master_messages.h"

#include "message_service.h"

namespace {

QString firstPart(MasterFailure failure) {
    switch (failure) {
    case MasterFailure::Internal:
        return QStringLiteral("A serious internal error has occured.");
    case MasterFailure::Saving:
        return QStringLiteral("A serious error has occured while saving the current record.");
    case MasterFailure::Deleting:
        break;
    }
    return QStringLiteral("A serious error has occured while deleting the current record.");
}

} // namespace

void showMasterFailure(MasterFailure failure, int errorNumber, const QString& whatFailed) {
    QString text = twoPartText(
        firstPart(failure),
        QStringLiteral("Please contact us with the error no. on the titlebar of this dialog box."));
    if (!whatFailed.isEmpty())
        text = twoPartText(text, whatFailed);
    messageService().show({MessageIcon::Exclamation,
                           applicationTitle() + QLatin1Char('-') + QString::number(errorNumber),
                           text, MessageButtons::Ok, MessageAnswer::Ok});
}
