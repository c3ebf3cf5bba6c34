#pragma once

#include <QString>

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

// The title the program's messages carry, and the application's default
// title.
QString applicationTitle();
// Two parts of a message: what is wrong, then what to do.
QString twoPartText(const QString& first, const QString& second);

// The common shapes of message, for code that gives a message back rather
// than showing it.
Message warningMessage(const QString& text);                         // exclamation, OK
Message warningMessage(const QString& first, const QString& second); // exclamation, OK
Message bareMessage(const QString& text);                            // no icon, OK
Message errorWithSourceMessage(const QString& description, const QString& source); // critical
