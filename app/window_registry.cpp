#include "window_registry.h"

void WindowRegistry::registerWorkingWindow(WorkingWindow window, ChildFactory factory) {
    m_children[window] = std::move(factory);
}

void WindowRegistry::registerOpenDialog(DialogFactory factory) {
    m_openDialog = std::move(factory);
}

bool WindowRegistry::hasWorkingWindow(WorkingWindow window) const {
    return m_children.count(window) != 0;
}

bool WindowRegistry::hasOpenDialog() const {
    return static_cast<bool>(m_openDialog);
}

std::unique_ptr<QWidget> WindowRegistry::makeWorkingWindow(WorkingWindow window,
                                                           frmMDI& frame) const {
    return m_children.at(window)(frame);
}

std::unique_ptr<QDialog> WindowRegistry::makeOpenDialog(frmMDI& frame) const {
    return m_openDialog(frame);
}
