#pragma once

#include "child_window.h"

#include <QCloseEvent>
#include <QStringList>
#include <QWidget>

// A working child window that records what the main window asks of it.
class RecordingChild : public QWidget, public ChildWindow {
public:
    explicit RecordingChild(const QString& mask, const QString& title = QStringLiteral("Child"))
        : m_mask(mask) {
        setWindowTitle(title);
    }

    QString currentMask() const override { return m_mask; }
    void RNew() override { calls.append(QStringLiteral("RNew")); }
    void RSave() override { calls.append(QStringLiteral("RSave")); }
    void RPrint(bool blnShowPreview) override {
        calls.append(blnShowPreview ? QStringLiteral("RPrint preview")
                                    : QStringLiteral("RPrint print"));
    }
    void RDelete() override { calls.append(QStringLiteral("RDelete")); }

    QStringList calls;
    // Unsaved work: the child refuses to close.
    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent* event) override {
        if (refuseClose)
            event->ignore();
        else
            event->accept();
    }

private:
    QString m_mask;
};
