#pragma once

#include <QList>
#include <QString>
#include <deque>

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, SaveDiscardCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Save, Discard };

// One message box as the program asks for it.
struct Message {
    MessageIcon icon = MessageIcon::None;
    QString title;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;

    friend bool operator==(const Message& a, const Message& b) {
        return a.icon == b.icon && a.title == b.title && a.text == b.text &&
               a.buttons == b.buttons && a.defaultAnswer == b.defaultAnswer;
    }
};

// Every message box of the program goes through one service: the GUI
// installs one that shows a dialog, tests and command-line tools one that
// records.
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

// The title every message of the program carries unless a Part names
// another; also the application's default title.
QString applicationTitle();
// Two parts of a message: what is wrong, then what to do.
QString twoPartText(const QString& first, const QString& second);

// The common shapes of message, for code that gives a message back rather
// than showing it.
Message warningMessage(const QString& text);                         // exclamation, OK
Message warningMessage(const QString& first, const QString& second); // exclamation, OK
Message bareMessage(const QString& text);                            // no icon, OK
Message errorWithSourceMessage(const QString& description, const QString& source); // critical

// The same shapes, shown.
void showWarning(const QString& text);                                       // exclamation, OK
void showWarning(const QString& first, const QString& second);               // exclamation, OK
void showBare(const QString& text);                                          // no icon, OK
void showErrorWithSource(const QString& description, const QString& source); // critical

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
