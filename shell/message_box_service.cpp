#include "message_box_service.h"

#include <QApplication>
#include <QGridLayout>
#include <QPushButton>
#include <QSpacerItem>

namespace {

QMessageBox::Icon iconOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::SaveDiscardCancel:
        return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton buttonOf(MessageAnswer answer) {
    switch (answer) {
    case MessageAnswer::Ok:
        return QMessageBox::Ok;
    case MessageAnswer::Cancel:
        return QMessageBox::Cancel;
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    case MessageAnswer::Save:
        return QMessageBox::Save;
    case MessageAnswer::Discard:
        return QMessageBox::Discard;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(QMessageBox::StandardButton button, MessageAnswer fallback) {
    switch (button) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Save:
        return MessageAnswer::Save;
    case QMessageBox::Discard:
        return MessageAnswer::Discard;
    default:
        return fallback;
    }
}

// A box sizes itself to its text, and a short text ("loading tip of day")
// leaves the title cut off. The title bar's font may be larger than the
// box's, and the bar holds the window's icon and buttons too.
void makeRoomForTitle(QMessageBox& box) {
    const int width =
        box.fontMetrics().horizontalAdvance(box.windowTitle()) * 5 / 4 + titleBarButtonsWidth;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

std::unique_ptr<QMessageBox> buildMessageBox(const Message& message, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(iconOf(message.icon));
    box->setWindowTitle(message.title);
    box->setTextFormat(Qt::PlainText);
    // The program writes its line breaks as carriage return and line feed.
    QString text = message.text;
    box->setText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box->setStandardButtons(buttonsOf(message.buttons));
    box->setDefaultButton(buttonOf(message.defaultAnswer));
    makeRoomForTitle(*box);
    return box;
}

MessageAnswer MessageBoxService::show(const Message& message) {
    const std::unique_ptr<QMessageBox> box = buildMessageBox(message, QApplication::activeWindow());
    box->exec();
    const auto clicked = box->standardButton(box->clickedButton());
    return answerOf(clicked, message.defaultAnswer);
}
