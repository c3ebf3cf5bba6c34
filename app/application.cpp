#include "application.h"

#include "errors.h"
#include "message_service.h"

#include <exception>

namespace {

QString describe(const QObject* receiver) {
    const QString className = QString::fromLatin1(receiver->metaObject()->className());
    return receiver->objectName().isEmpty()
               ? className
               : className + QStringLiteral("::") + receiver->objectName();
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("calvane"));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const ProgramError& error) {
        showStoreFailure(error, describe(receiver));
    } catch (const std::exception& error) {
        showErrorWithSource(QString::fromLocal8Bit(error.what()), describe(receiver));
    }
    return false;
}
