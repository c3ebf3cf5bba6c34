#include "startup.h"

#include "connection.h"
#include "form_center.h"
#include "frm_about.h"
#include "frm_mdi.h"

Startup::Startup(const WindowRegistry& registry, ProgramSettings& settings, ShellOptions options)
    : m_registry(registry), m_settings(settings), m_options(std::move(options)) {}

Startup::~Startup() = default;

std::optional<int> Startup::Main() {
    // OpenConnection has told the user why when it fails.
    if (!OpenConnection(m_options.applicationFolder))
        return 1;
    m_frame = std::make_unique<frmMDI>(m_registry, m_settings, m_options);
    frmAbout about;
    FormCenter(about);
    if (about.exec() != QDialog::Accepted) {
        CloseConnection();
        return 0;
    }
    // A survey named on the command line is what the user came for; the
    // tip of the day would only open behind it.
    m_frame->continueFromAbout(m_options.surveyFile.isEmpty());
    m_frame->openStartupSurveys();
    return std::nullopt;
}
