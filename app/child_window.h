#pragma once

#include <QString>

// What the main window asks of its active working child window. A child
// offers only the commands its mask enables; the others keep their default
// of doing nothing, since the frame never reaches them.
class ChildWindow {
public:
    virtual ~ChildWindow() = default;

    // The mask of the commands the child takes now; the frame applies it
    // whenever the child becomes the active window.
    virtual QString currentMask() const = 0;

    virtual void RNew() {}
    virtual void RSave() {}
    // Previews unless told to print.
    virtual void RPrint(bool blnShowPreview = true) { static_cast<void>(blnShowPreview); }
    virtual void RDelete() {}
};
