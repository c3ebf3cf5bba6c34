#include "startup.h"

#include "connection.h"
#include "form_center.h"
#include "frm_about.h"
#include "frm_mdi.h"
#include "message_service.h"
#include "program_settings.h"
#include "register_location.h"
#include "survey_files.h"

#include <QCoreApplication>
#include <QTimer>
#include <utility>

Startup::Startup(const WindowRegistry& registry, ProgramSettings& settings, ShellOptions options)
    : m_registry(registry), m_settings(settings), m_options(std::move(options)) {}

Startup::~Startup() = default;

std::optional<int> Startup::Main() {
    const QString address = m_options.registerAddress.isEmpty() ? m_settings.registerAddress()
                                                                : m_options.registerAddress;
    const OpenOutcome opened =
        address.isEmpty() ? OpenRegister({m_options.applicationFolder, m_options.userDataFolder,
                                          m_options.registerSeed})
                          : OpenRegisterAt(address);
    if (!opened) {
        messageService().show(*opened.failure);
        return 1;
    }
    m_frame = std::make_unique<frmMDI>(m_registry, m_settings, m_options);
    frmAbout about;
    FormCenter(about);
    if (m_options.quitAfterStart)
        QTimer::singleShot(0, &about, &QDialog::accept);
    if (about.exec() != QDialog::Accepted) {
        CloseConnection();
        return 0;
    }
    // A survey named on the command line is what the user came for; the
    // tip of the day would only open behind it.
    m_frame->continueFromAbout(m_options.surveyFile.isEmpty());
    m_frame->openStartupSurveys();
    m_started = true;
    for (const QString& file : std::exchange(m_handedOver, {}))
        openHandedOver(file);
    if (m_options.quitAfterStart)
        QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    return std::nullopt;
}

void Startup::openHandedOver(const QString& file) {
    if (!m_started) {
        m_handedOver.append(file);
        return;
    }
    // The double click was meant for this window: bring it to the front.
    m_frame->setWindowState((m_frame->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    m_frame->raise();
    m_frame->activateWindow();
    m_frame->surveyFiles().open(file);
}
