#include "message_service.h"

#include "errors.h"

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

void reportFailure(const QString& source, const std::function<void()>& reaction) {
    try {
        reaction();
    } catch (const ProgramError& error) {
        showErrorWithSource(error.description(), source);
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
