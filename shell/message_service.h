#pragma once

#include "message.h"

#include <QList>
#include <QString>
#include <deque>
#include <functional>
#include <optional>

// Every message box of the program goes through one service: the GUI
// installs one that shows a dialog, tests one that records.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer show(const Message& message) = 0;
};

// The installed service; until one is installed, a recording one that
// answers with each message's default.
MessageService& messageService();
// Installs a service the caller keeps alive; nullptr goes back to the
// default recorder.
void installMessageService(MessageService* service);

// The same shapes, shown.
void showWarning(const QString& text);                                       // exclamation, OK
void showWarning(const QString& first, const QString& second);               // exclamation, OK
void showBare(const QString& text);                                          // no icon, OK
void showErrorWithSource(const QString& description, const QString& source); // critical

class ProgramError;

// A failure because the shared connection to the register was lost, said
// plainly with what to do; nothing for any other failure.
std::optional<Message> lostRegisterMessage(const ProgramError& error);
// A store failure shown: a lost register as above, any other as an error of
// `source`.
void showStoreFailure(const ProgramError& error, const QString& source);

// Runs `reaction`; whatever it raises is shown as an error of `source`, and
// the user goes on with what the window holds.
void reportFailure(const QString& source, const std::function<void()>& reaction);

// Records every message and answers from a queue of scripted answers (the
// message's default when the queue is empty).
class RecordingMessageService : public MessageService {
public:
    MessageAnswer show(const Message& message) override;

    void queueAnswer(MessageAnswer answer) { m_answers.push_back(answer); }
    const QList<Message>& shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    QList<Message> m_shown;
    std::deque<MessageAnswer> m_answers;
};

// Installs a recorder for the life of the scope, then puts back what was
// there before.
class ScopedMessageRecorder : public RecordingMessageService {
public:
    ScopedMessageRecorder();
    ~ScopedMessageRecorder() override;
    ScopedMessageRecorder(const ScopedMessageRecorder&) = delete;
    ScopedMessageRecorder& operator=(const ScopedMessageRecorder&) = delete;

private:
    MessageService* m_previous;
};
