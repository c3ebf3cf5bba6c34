#include "program.h"

#include "application.h"
#include "connection.h"
#include "frm_calvane.h"
#include "frm_dsdispatch.h"
#include "frm_mdi.h"
#include "message_box_service.h"
#include "program_settings.h"
#include "startup.h"
#include "window_registry.h"

int runProgram(int argc, char** argv) {
    Application application(argc, argv);
    MessageBoxService messageBoxes;
    installMessageService(&messageBoxes);

    ProgramSettings settings;
    // Each working window registers here as it is built.
    WindowRegistry registry;
    registry.registerWorkingWindow(WorkingWindow::Loading, [](frmMDI& frame) {
        return std::unique_ptr<QWidget>(std::make_unique<frmCalvane>(frame));
    });
    registry.registerWorkingWindow(WorkingWindow::Discharging, [](frmMDI& frame) {
        return std::unique_ptr<QWidget>(std::make_unique<frmDSDispatch>(frame));
    });
    Startup startup(registry, settings,
                    ShellOptions::fromCommandLine(Application::arguments(), applicationFolder()));
    const std::optional<int> earlyExit = startup.Main();
    const int status = earlyExit ? *earlyExit : Application::exec();
    // The connection must go while the database layer it belongs to exists.
    gcnnStore.reset();
    installMessageService(nullptr);
    return status;
}
