#pragma once

#include "connection.h"
#include "create_database.h"
#include "frm_mdi.h"
#include "message_service.h"
#include "program_settings.h"
#include "shell_options.h"

#include <QSettings>
#include <QTemporaryDir>
#include <memory>

// An application folder of the test's own, for its database and its
// settings file, with the messages shown recorded and a main window made on
// demand.
class Shell {
    QTemporaryDir m_dir;

public:
    explicit Shell(bool openDatabase = true) : settings(settingsFile()) {
        if (!openDatabase)
            return;
        createDatabase(databaseFileIn(path()));
        OpenConnection(path());
    }
    // The shared connection goes with the folder of its database.
    ~Shell() {
        frame.reset();
        gcnnStore.reset();
    }

    ProgramSettings settings;
    ScopedMessageRecorder messages;
    WindowRegistry registry;
    std::unique_ptr<frmMDI> frame;

    QString path() const { return m_dir.path(); }
    QString settingsFile() const { return m_dir.filePath(QStringLiteral("calvane.ini")); }

    ShellOptions options(bool debugTraces = false) const {
        ShellOptions result;
        result.applicationFolder = path();
        result.debugTraces = debugTraces;
        return result;
    }
    frmMDI& makeFrame(bool debugTraces = false) {
        frame = std::make_unique<frmMDI>(registry, settings, options(debugTraces));
        return *frame;
    }
    template <typename T = QAction> T* find(const char* name) const {
        return frame->findChild<T*>(QString::fromLatin1(name));
    }

    // The setting as another reader sees it on disk.
    QString storedShowTips() const {
        return QSettings(settingsFile(), QSettings::IniFormat)
            .value(QStringLiteral("Options/Show Tips at Startup"))
            .toString();
    }
    void storeShowTips(const QString& value) const {
        QSettings(settingsFile(), QSettings::IniFormat)
            .setValue(QStringLiteral("Options/Show Tips at Startup"), value);
    }
};
