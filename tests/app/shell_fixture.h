#pragma once

#include "connection.h"
#include "create_database.h"
#include "program_settings.h"
#include "shell_options.h"

#include <QDesktopServices>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

// A temporary application folder of the test's own, for its database and
// its settings file.
class ShellFolder {
    QTemporaryDir m_dir;

public:
    ShellFolder() : settings(settingsFile()) {}
    // The shared connection goes with the folder of its database.
    ~ShellFolder() { gcnnStore.reset(); }
    ShellFolder(const ShellFolder&) = delete;
    ShellFolder& operator=(const ShellFolder&) = delete;

    ProgramSettings settings;

    QString path() const { return m_dir.path(); }
    QString settingsFile() const { return m_dir.filePath(QStringLiteral("calvane.ini")); }

    // Creates the shipped database and opens the shared connection on it.
    void openDatabase() {
        createDatabase(databaseFileIn(path()));
        OpenConnection(path());
    }

    // Leaves exactly these tips in the open database.
    static void setTips(const QStringList& tips) {
        gcnnStore->execute(QStringLiteral("DELETE FROM TipOfDay"));
        for (const QString& tip : tips)
            gcnnStore->execute(QStringLiteral("INSERT INTO TipOfDay (Tip) VALUES (?)"), {tip});
    }

    // The stored text of the setting as another reader sees it on disk.
    QString storedShowTips() const {
        return QSettings(settingsFile(), QSettings::IniFormat)
            .value(QStringLiteral("Options/Show Tips at Startup"))
            .toString();
    }

    void storeShowTips(const QString& value) const {
        QSettings(settingsFile(), QSettings::IniFormat)
            .setValue(QStringLiteral("Options/Show Tips at Startup"), value);
    }

    ShellOptions options(bool debugTraces = false) const {
        ShellOptions result;
        result.applicationFolder = path();
        result.debugTraces = debugTraces;
        return result;
    }
};

// Takes the addresses the program hands to the desktop instead of opening
// them.
class AddressCatcher : public QObject {
    Q_OBJECT

public:
    AddressCatcher() {
        for (const QString& scheme : schemes())
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~AddressCatcher() override {
        for (const QString& scheme : schemes())
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> opened;

    Q_INVOKABLE void open(const QUrl& address) { opened.append(address); }

private:
    static QStringList schemes() {
        return {QStringLiteral("https"), QStringLiteral("mailto"), QStringLiteral("file")};
    }
};
