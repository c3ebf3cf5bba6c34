#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

class frmMDI;

// The working windows the main window opens as its children.
enum class WorkingWindow { ShipParticulars, PortMaster, Loading, Discharging, HydrostaticTables };

// How to make each working window and the Open dialog. The main window keeps
// the menu item of a window nobody registered in place but disabled.
class WindowRegistry {
public:
    // The widget made must also be a ChildWindow.
    using ChildFactory = std::function<std::unique_ptr<QWidget>(frmMDI& frame)>;
    using DialogFactory = std::function<std::unique_ptr<QDialog>(frmMDI& frame)>;

    void registerWorkingWindow(WorkingWindow window, ChildFactory factory);
    void registerOpenDialog(DialogFactory factory);

    bool hasWorkingWindow(WorkingWindow window) const;
    bool hasOpenDialog() const;

    std::unique_ptr<QWidget> makeWorkingWindow(WorkingWindow window, frmMDI& frame) const;
    std::unique_ptr<QDialog> makeOpenDialog(frmMDI& frame) const;

private:
    std::map<WorkingWindow, ChildFactory> m_children;
    DialogFactory m_openDialog;
};
