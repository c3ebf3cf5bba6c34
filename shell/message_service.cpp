#include "message_service.h"

#include "connection.h"
#include "errors.h"
#include "register_access.h"
#include "store_errors.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

MessageService*& installed() {
    static MessageService* service = nullptr;
    return service;
}

RecordingMessageService& fallback() {
    static RecordingMessageService recorder;
    return recorder;
}

} // namespace

MessageService& messageService() {
    MessageService* service = installed();
    return service ? *service : fallback();
}

void installMessageService(MessageService* service) {
    installed() = service;
}

void showWarning(const QString& text) {
    messageService().show(warningMessage(text));
}

void showWarning(const QString& first, const QString& second) {
    messageService().show(warningMessage(first, second));
}

void showBare(const QString& text) {
    messageService().show(bareMessage(text));
}

void showErrorWithSource(const QString& description, const QString& source) {
    messageService().show(errorWithSourceMessage(description, source));
}

std::optional<Message> lostRegisterMessage(const ProgramError& error) {
    if (error.code() != ErrorCode::StoreFailure || !gcnnStore || !registerWasLost(*gcnnStore))
        return std::nullopt;
    // The driver's first line is the server's reason; the rest is advice
    // for programmers. Once closed, the store gives no reason.
    QString reason = error.description().trimmed().section(QLatin1Char('\n'), 0, 0);
    // The server's severity ("FATAL:") means nothing to a surveyor.
    reason.remove(QRegularExpression(QStringLiteral("^[A-Z]+:\\s*")));
    reason = reason.trimmed();
    while (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    if (error.description() == objectClosedError().description())
        reason = QStringLiteral("the program holds no connection to it");
    return Message{
        MessageIcon::Exclamation, applicationTitle(),
        twoPartText(QStringLiteral("The connection to the register was lost: %1.").arg(reason),
                    QStringLiteral("Your survey is kept. Choose File > Reconnect to the Register "
                                   "when the server is back.")),
        MessageButtons::Ok, MessageAnswer::Ok};
}

void showStoreFailure(const ProgramError& error, const QString& source) {
    if (const std::optional<Message> lost = lostRegisterMessage(error))
        messageService().show(*lost);
    else
        showErrorWithSource(error.description(), source);
}

void reportFailure(const QString& source, const std::function<void()>& reaction) {
    try {
        reaction();
    } catch (const ProgramError& error) {
        showStoreFailure(error, source);
    } catch (const std::exception& error) {
        showErrorWithSource(QString::fromLocal8Bit(error.what()), source);
    }
}

MessageAnswer RecordingMessageService::show(const Message& message) {
    m_shown.append(message);
    if (m_answers.empty())
        return message.defaultAnswer;
    const MessageAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QStringList RecordingMessageService::texts() const {
    QStringList result;
    for (const Message& message : m_shown)
        result.append(message.text);
    return result;
}

ScopedMessageRecorder::ScopedMessageRecorder() : m_previous(installed()) {
    installMessageService(this);
}

ScopedMessageRecorder::~ScopedMessageRecorder() {
    installMessageService(m_previous);
}
