#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

// The user's own settings of the program.
class ProgramSettings {
public:
    // The settings file of the user running the program.
    ProgramSettings();
    // A settings file of the caller's choosing (tests use a temporary one).
    explicit ProgramSettings(const QString& iniFile);
    ~ProgramSettings();
    ProgramSettings(const ProgramSettings&) = delete;
    ProgramSettings& operator=(const ProgramSettings&) = delete;

    // "Options" / "Show Tips at Startup" read as a number: 1 when absent,
    // 0 when it is not a number.
    int showTipsAtStartup() const;
    // Written through at once, so the choice holds even if the program
    // ends abruptly.
    void setShowTipsAtStartup(bool show);

    // "Options" / "Database": the register to open, a file or a
    // postgresql:// address (never with a password); empty for the usual
    // DS.dat.
    QString registerAddress() const;

    // The survey files last opened or saved, the latest first.
    QStringList recentSurveys() const;
    // Puts `path` first, at most ten kept.
    void addRecentSurvey(const QString& path);
    void removeRecentSurvey(const QString& path);

    // The main window's size, place and maximized state as
    // QWidget::saveGeometry() gives them; empty until it first closed.
    QByteArray mainWindowGeometry() const;
    void setMainWindowGeometry(const QByteArray& geometry);

private:
    std::unique_ptr<QSettings> m_settings;
};
