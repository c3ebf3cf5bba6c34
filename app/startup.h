#pragma once

#include "shell_options.h"

#include <QStringList>
#include <memory>
#include <optional>

class frmMDI;
class ProgramSettings;
class WindowRegistry;

// The program's start: the database, then the About box as the start-up
// screen, then the main window. Keeps the main window alive for the run.
class Startup {
public:
    Startup(const WindowRegistry& registry, ProgramSettings& settings, ShellOptions options);
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // Returns the exit status when the program ends here (no database: the
    // user has been told, and no window is shown; or the About box closed
    // without Continue), or nothing when the event loop is to run.
    std::optional<int> Main();

    // A survey file handed over by a second start: opened as the command
    // line's file is, at once when the start-up is over, after it when not.
    void openHandedOver(const QString& file);

    // The main window once Main has made it.
    frmMDI* frame() const { return m_frame.get(); }

private:
    const WindowRegistry& m_registry;
    ProgramSettings& m_settings;
    const ShellOptions m_options;
    std::unique_ptr<frmMDI> m_frame;
    bool m_started = false;
    QStringList m_handedOver;
};
