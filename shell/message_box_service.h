#pragma once

#include "message_service.h"

#include <QMessageBox>
#include <memory>

// Room in a title bar for the window's icon and its buttons, beside the title.
inline constexpr int titleBarButtonsWidth = 120;

// The message box the user sees for one message of the program, at least
// wide enough for its title.
std::unique_ptr<QMessageBox> buildMessageBox(const Message& message, QWidget* parent = nullptr);

// Shows every message of the program as a modal message box over the
// active window.
class MessageBoxService : public MessageService {
public:
    MessageAnswer show(const Message& message) override;
};
