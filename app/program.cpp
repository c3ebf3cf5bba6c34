#include "program.h"

#include "application.h"
#include "connection.h"
#include "master_windows.h"
#include "message_box_service.h"
#include "page_report_printer.h"
#include "program_settings.h"
#include "single_instance.h"
#include "startup.h"
#include "window_registry.h"
#include "working_windows.h"

int runProgram(int argc, char** argv) {
    Application application(argc, argv);
    ShellOptions options =
        ShellOptions::fromCommandLine(Application::arguments(), applicationFolder());
    // A double click on a survey while the program runs opens it there.
    const QString serverName = SingleInstance::serverName();
    if (!options.surveyFile.isEmpty() && SingleInstance::handOver(serverName, options.surveyFile))
        return 0;
    SingleInstance instance(serverName);
    instance.listen();
    MessageBoxService messageBoxes;
    installMessageService(&messageBoxes);
    PageReportPrinter reportPrinter;
    installReportPrinter(&reportPrinter);

    ProgramSettings settings;
    // Each working window registers here as it is built.
    WindowRegistry registry;
    registerWorkingWindows(registry);
    registerMasterWindows(registry);
    Startup startup(registry, settings, std::move(options));
    QObject::connect(&instance, &SingleInstance::fileReceived, &instance,
                     [&startup](const QString& file) { startup.openHandedOver(file); });
    const std::optional<int> earlyExit = startup.Main();
    const int status = earlyExit ? *earlyExit : Application::exec();
    // The connection must go while the database layer it belongs to exists.
    gcnnStore.reset();
    installReportPrinter(nullptr);
    installMessageService(nullptr);
    return status;
}
