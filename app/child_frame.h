#pragma once

#include <QMdiSubWindow>
#include <memory>

// The frame of one child window inside the main window. It tells when its
// child has agreed to close, while the child still counts as loaded.
class ChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    explicit ChildFrame(std::unique_ptr<QWidget> child);

    // A child window unloading itself: closes the frame that holds it, or
    // the widget itself when it stands alone.
    static void closeHolding(QWidget& child);

signals:
    void unloading();

protected:
    void closeEvent(QCloseEvent* event) override;
};
