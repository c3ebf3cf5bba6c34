#include "connection.h"
#include "errors.h"
#include "message.h"
#include "register_location.h"

#include <QCoreApplication>

std::unique_ptr<Connection> gcnnStore;
bool gblnOpenFailed = false;

QString applicationFolder() {
    return QCoreApplication::applicationDirPath();
}

QString databaseFileIn(const QString& folder) {
    return folder + QStringLiteral("/DS.dat");
}

OpenOutcome OpenConnection() {
    return OpenConnection(applicationFolder());
}

namespace {

// `problem`, when given, is why the file could not be made and is given in
// place of trying to open it.
OpenOutcome openOrRefuse(const QString& file, const QString& problem) {
    // The old connection goes first: the new one takes its name.
    gcnnStore.reset();
    gcnnStore = std::make_unique<Connection>(QStringLiteral("gcnnStore"));
    try {
        if (!problem.isEmpty())
            throw ProgramError::storeFailure(problem);
        gcnnStore->open(file);
        return {};
    } catch (const ProgramError& error) {
        gcnnStore.reset();
        // The last line names the file and the cause: the title bar shows
        // no error number to quote.
        const Message failure{
            MessageIcon::Critical, applicationTitle(),
            twoPartText(QStringLiteral("An internal error has occured."),
                        QStringLiteral("Please contact us with the error no. mentioned on the "
                                       "titlebar of this dialog box")) +
                QStringLiteral("\r\n\r\n") + error.description(),
            MessageButtons::Ok, MessageAnswer::Ok};
        gblnOpenFailed = true;
        return {failure};
    }
}

} // namespace

OpenOutcome OpenConnection(const QString& folder) {
    return openOrRefuse(databaseFileIn(folder), QString());
}

OpenOutcome OpenRegister(const RegisterPlaces& places) {
    const RegisterChoice choice = chooseRegister(places);
    return openOrRefuse(choice.file, choice.problem);
}

OpenOutcome OpenRegisterAt(const QString& where) {
    return openOrRefuse(where, QString());
}

void CloseConnection() {
    if (gcnnStore)
        gcnnStore->rollbackAndClose();
}
