#include "working_windows.h"

#include "frm_calvane.h"
#include "frm_dsdispatch.h"
#include "frm_mdi.h"
#include "window_registry.h"

void registerWorkingWindows(WindowRegistry& registry) {
    registry.registerWorkingWindow(WorkingWindow::Loading, [](frmMDI& frame) {
        return std::unique_ptr<QWidget>(std::make_unique<frmCalvane>(frame.newSurvey(Worksheet::Loading), frame));
    });
    registry.registerWorkingWindow(WorkingWindow::Discharging, [](frmMDI& frame) {
        return std::unique_ptr<QWidget>(std::make_unique<frmDSDispatch>(frame.newSurvey(Worksheet::Discharging), frame));
    });
}
