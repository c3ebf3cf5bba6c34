#pragma once

#include "commands.h"

#include <QString>

// What the main window asks of its active working child window. A child
// offers only the commands it enables; the others keep their default of
// doing nothing, since the frame never reaches them.
class ChildWindow {
public:
    virtual ~ChildWindow() = default;

    // The commands the child takes now; the frame applies them whenever the
    // child becomes the active window.
    virtual Commands enabledCommands() const = 0;

    virtual void RNew() {}
    virtual void RSave() {}
    // Previews unless told to print.
    virtual void RPrint(bool blnShowPreview = true) { static_cast<void>(blnShowPreview); }
    virtual void RDelete() {}
    // The register was opened again after its connection was lost: the
    // child reads its lists and the record it shows again, keeping what the
    // user typed.
    virtual void registerReopened() {}
};

// What a child window may ask of the main window that holds it: the working
// windows live below the main window and reach it only through this.
class ChildHost {
public:
    virtual ~ChildHost() = default;

    // The child's commands changed: the frame enables them on the toolbar
    // and the File menu.
    virtual void enabledCommandsChanged(Commands enabled) = 0;
    // Status panel 1.
    virtual void setStatusMessage(const QString& text) = 0;
    // The folder a survey file was last opened from or saved in; empty
    // before the first.
    virtual QString surveyFolder() const { return QString(); }
};
