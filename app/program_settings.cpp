#include "program_settings.h"

#include <QSettings>

namespace {

QString showTipsKey() {
    return QStringLiteral("Options/Show Tips at Startup");
}

QString registerKey() {
    return QStringLiteral("Options/Database");
}

QString recentKey() {
    return QStringLiteral("Surveys/Recent");
}

QString geometryKey() {
    return QStringLiteral("Main Window/Geometry");
}

constexpr int recentKept = 10;

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

QString ProgramSettings::registerAddress() const {
    return m_settings->value(registerKey()).toString().trimmed();
}

QStringList ProgramSettings::recentSurveys() const {
    return m_settings->value(recentKey()).toStringList();
}

void ProgramSettings::addRecentSurvey(const QString& path) {
    QStringList recent = recentSurveys();
    recent.removeAll(path);
    recent.prepend(path);
    m_settings->setValue(recentKey(), recent.mid(0, recentKept));
    m_settings->sync();
}

void ProgramSettings::removeRecentSurvey(const QString& path) {
    QStringList recent = recentSurveys();
    recent.removeAll(path);
    m_settings->setValue(recentKey(), recent);
    m_settings->sync();
}

QByteArray ProgramSettings::mainWindowGeometry() const {
    return m_settings->value(geometryKey()).toByteArray();
}

void ProgramSettings::setMainWindowGeometry(const QByteArray& geometry) {
    m_settings->setValue(geometryKey(), geometry);
    m_settings->sync();
}
