#pragma once

#include "message_service.h"

#include <QMessageBox>
#include <memory>

// The message box the user sees for one message of the program.
std::unique_ptr<QMessageBox> buildMessageBox(const Message& message, QWidget* parent = nullptr);

// Shows every message of the program as a modal message box over the
// active window.
class MessageBoxService : public MessageService {
public:
    MessageAnswer show(const Message& message) override;
};
