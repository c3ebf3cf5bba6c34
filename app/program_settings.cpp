#include "program_settings.h"

#include <QSettings>

namespace {

QString showTipsKey() {
    return QStringLiteral("Options/Show Tips at Startup");
}

} // namespace

ProgramSettings::ProgramSettings()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("calvane"),
                                             QStringLiteral("calvane"))) {}

ProgramSettings::ProgramSettings(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

ProgramSettings::~ProgramSettings() = default;

int ProgramSettings::showTipsAtStartup() const {
    return m_settings->value(showTipsKey(), QStringLiteral("1")).toString().trimmed().toInt();
}

void ProgramSettings::setShowTipsAtStartup(bool show) {
    m_settings->setValue(showTipsKey(), show ? QStringLiteral("1") : QStringLiteral("0"));
    m_settings->sync();
}
