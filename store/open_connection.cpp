#include "connection.h"
#include "errors.h"
#include "message_service.h"

#include <QCoreApplication>

std::unique_ptr<Connection> gcnnStore;
bool gblnOpenFailed = false;

QString applicationFolder() {
    return QCoreApplication::applicationDirPath();
}

QString databaseFileIn(const QString& folder) {
    return folder + QStringLiteral("/DS.dat");
}

bool OpenConnection() {
    return OpenConnection(applicationFolder());
}

bool OpenConnection(const QString& folder) {
    // The old connection goes first: the new one takes its name.
    gcnnStore.reset();
    gcnnStore = std::make_unique<Connection>(QStringLiteral("gcnnStore"));
    try {
        gcnnStore->open(databaseFileIn(folder));
        return true;
    } catch (const ProgramError& error) {
        gcnnStore.reset();
        // The last line names the file and the cause: the title bar shows
        // no error number to quote.
        messageService().show(
            {MessageIcon::Critical, applicationTitle(),
             twoPartText(QStringLiteral("An internal error has occured."),
                         QStringLiteral("Please contact us with the error no. mentioned on the "
                                        "titlebar of this dialog box")) +
                 QStringLiteral("\r\n\r\n") + error.description(),
             MessageButtons::Ok, MessageAnswer::Ok});
        gblnOpenFailed = true;
        return false;
    }
}

void CloseConnection() {
    if (gcnnStore)
        gcnnStore->rollbackAndClose();
}
