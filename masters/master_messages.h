#pragma once

#include <QString>

// The serious-error messages of the master-data windows. Each procedure has
// its number on the title bar; what failed follows the fixed text, so that
// the user can tell a locked database from a refused value.
enum class MasterFailure { Internal, Saving, Deleting };

void showMasterFailure(MasterFailure failure, int errorNumber, const QString& whatFailed);

#include "errors.h"
#include "message_service.h"

#include <exception>

// Runs `action`; a failure is shown as `failure` under `errorNumber` with
// its own description, and the caller learns of it by a false result.
template <typename Action>
bool runReporting(MasterFailure failure, int errorNumber, Action action) {
    try {
        action();
        return true;
    } catch (const ProgramError& error) {
        if (const std::optional<Message> lost = lostRegisterMessage(error))
            messageService().show(*lost);
        else
            showMasterFailure(failure, errorNumber, error.description());
    } catch (const std::exception& error) {
        showMasterFailure(failure, errorNumber, QString::fromLocal8Bit(error.what()));
    }
    return false;
}
