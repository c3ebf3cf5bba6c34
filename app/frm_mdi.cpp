#include "frm_mdi.h"

#include "autosave.h"
#include "child_frame.h"
#include "child_window.h"
#include "connection.h"
#include "desktop_launcher.h"
#include "errors.h"
#include "form_center.h"
#include "frm_about.h"
#include "frm_tip_of_day.h"
#include "maker_addresses.h"
#include "message.h"
#include "message_service.h"
#include "program_emblem.h"
#include "program_settings.h"
#include "status_panels.h"
#include "survey.h"
#include "survey_files.h"
#include "survey_worksheet.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

QString openFileHint() {
    return QStringLiteral("Press Ctrl-O to open the Open file box");
}

// A screen that holds a worksheet whole beside the main window's bars.
constexpr QSize roomyScreen(1600, 1000);

// What a child sends as it unloads: all six commands off.
constexpr Commands nothingEnabled = commandsOf("001001010");

} // namespace

frmMDI::frmMDI(const WindowRegistry& registry, ProgramSettings& settings, ShellOptions options)
    : m_registry(registry), m_settings(settings), m_options(std::move(options)),
      m_autosave(std::make_unique<Autosave>(m_options.autosaveFolder)),
      m_surveyFiles(std::make_unique<SurveyFiles>(*this, settings, *m_autosave)) {
    setObjectName(QStringLiteral("frmMDI"));
    setWindowTitle(applicationTitle());
    setWindowIcon(programEmblem(64));

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolbar = buildFrameToolbar(*client);
    m_mdiArea = new QMdiArea(client);
    m_mdiArea->setObjectName(QStringLiteral("mdiClient"));
    layout->addWidget(m_toolbar.coolBar);
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(client);

    m_menus = buildFrameMenus(*menuBar());
    if (gcnnStore)
        m_registerAddress = gcnnStore->connectionText();
    statusBar()->setObjectName(QStringLiteral("sb1"));
    m_status = new StatusPanels(*statusBar());

    connectMenus();
    connectToolbar();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &frmMDI::applyCommandsOf);

    // Nothing to act on until a child opens: the state after the last one
    // closes.
    m_toolbar.coolBar->hide();
    enabledCommandsChanged(nothingEnabled);
    refreshStatusHint();

    // As the user left it; the first time, a laptop's screen is hardly
    // enough for a worksheet, so the window takes all of it.
    m_placed = restoreGeometry(m_settings.mainWindowGeometry());
    if (!m_placed) {
        const QSize available = screen()->availableGeometry().size();
        resize(QSize(1024, 720).boundedTo(available * 0.9));
        if (available.width() < roomyScreen.width() || available.height() < roomyScreen.height())
            setWindowState(Qt::WindowMaximized);
    }
}

frmMDI::~frmMDI() {
    // The area reports its children deactivating while the base class tears
    // the window down, when this part of it is gone.
    disconnect(m_mdiArea, nullptr, this, nullptr);
}

void frmMDI::connectMenus() {
    connect(m_menus.fileNew, &QAction::triggered, this, [this] { runOnActiveChild(Command::New); });
    connect(m_menus.fileSave, &QAction::triggered, this,
            [this] { runOnActiveChild(Command::Save); });
    connect(m_menus.fileClose, &QAction::triggered, this,
            [this] { runOnActiveChild(Command::Close); });
    connect(m_menus.filePrintPreview, &QAction::triggered, this,
            [this] { runOnActiveChild(Command::PrintPreview); });
    connect(m_menus.filePrint, &QAction::triggered, this,
            [this] { runOnActiveChild(Command::Print); });
    connect(m_menus.fileExit, &QAction::triggered, this, &QWidget::close);

    m_menus.fileOpen->setEnabled(m_registry.hasOpenDialog());
    connect(m_menus.fileOpen, &QAction::triggered, this, &frmMDI::showOpenDialog);
    connect(m_menus.fileOpenSurvey, &QAction::triggered, this,
            [this] { m_surveyFiles->chooseAndOpen(); });
    connect(m_menus.fileRecent, &QMenu::aboutToShow, this,
            [this] { m_surveyFiles->fillRecentMenu(*m_menus.fileRecent); });
    connect(m_menus.fileSaveAs, &QAction::triggered, this, &frmMDI::saveActiveSurveyAs);
    // Enabled on a file register too: a file on a shared folder goes away
    // as a server does.
    connect(m_menus.fileReconnect, &QAction::triggered, this, &frmMDI::reconnectRegister);
    connectWorkingWindow(m_menus.shipParticulars, WorkingWindow::ShipParticulars);
    connectWorkingWindow(m_menus.hydrostaticTables, WorkingWindow::HydrostaticTables);
    connectWorkingWindow(m_menus.port, WorkingWindow::PortMaster);
    connectWorkingWindow(m_menus.loading, WorkingWindow::Loading);
    connectWorkingWindow(m_menus.discharging, WorkingWindow::Discharging);

    connect(m_menus.calculator, &QAction::triggered, this, &startCalculator);
    connect(m_menus.notepad, &QAction::triggered, this, &startTextEditor);
    connect(m_menus.window, &QMenu::aboutToShow, this, &frmMDI::fillWindowMenu);

    connect(m_menus.dailyTips, &QAction::triggered, this, &frmMDI::showTipOfDay);
    connect(m_menus.contents, &QAction::triggered, this,
            [this] { openHelpContents(m_options.applicationFolder); });
    connect(m_menus.technicalSupport, &QAction::triggered, this,
            [] { openAddress(technicalSupportMail()); });
    const QList<WebLink> links = makerWebLinks();
    for (int i = 0; i < links.size(); ++i) {
        const QUrl address = links.at(i).address;
        connect(m_menus.webLinks.at(i), &QAction::triggered, this,
                [address] { openAddress(address); });
    }
    connect(m_menus.submitBugs, &QAction::triggered, this, [] { openAddress(bugReportPage()); });
    connect(m_menus.about, &QAction::triggered, this, &frmMDI::showAbout);
}

void frmMDI::connectToolbar() {
    const std::pair<QAction*, Command> buttons[] = {
        {m_toolbar.newRecord, Command::New},       {m_toolbar.save, Command::Save},
        {m_toolbar.print, Command::Print},         {m_toolbar.printPreview, Command::PrintPreview},
        {m_toolbar.deleteRecord, Command::Delete}, {m_toolbar.close, Command::Close},
    };
    for (const auto& [button, command] : buttons)
        connect(button, &QAction::triggered, this,
                [this, command = command] { runOnActiveChild(command); });
}

void frmMDI::connectWorkingWindow(QAction* item, WorkingWindow window) {
    item->setEnabled(m_registry.hasWorkingWindow(window));
    connect(item, &QAction::triggered, this, [this, window] { openWorkingChild(window); });
}

void frmMDI::enabledCommandsChanged(Commands enabled) {
    const std::pair<QAction*, Command> actions[] = {
        {m_toolbar.newRecord, Command::New},
        {m_menus.fileNew, Command::New},
        {m_toolbar.save, Command::Save},
        {m_menus.fileSave, Command::Save},
        {m_menus.fileSaveAs, Command::Save},
        {m_toolbar.print, Command::Print},
        {m_menus.filePrint, Command::Print},
        {m_toolbar.printPreview, Command::PrintPreview},
        {m_menus.filePrintPreview, Command::PrintPreview},
        {m_toolbar.deleteRecord, Command::Delete},
        {m_toolbar.close, Command::Close},
        {m_menus.fileClose, Command::Close},
    };
    for (const auto& [action, command] : actions)
        action->setEnabled(enabled.testFlag(command));
}

QWidget* frmMDI::openWorkingChild(WorkingWindow window) {
    // The Open dialog names every window, built or not.
    if (!m_registry.hasWorkingWindow(window))
        return nullptr;
    if (ChildFrame* open = m_workingChildren[window]) {
        m_mdiArea->setActiveSubWindow(open);
        return open->widget();
    }
    m_workingChildren[window] = addWorkingChild(window);
    return m_workingChildren[window]->widget();
}

SurveyWorksheet* frmMDI::openSurveyWindow(Worksheet kind) {
    const WorkingWindow window =
        kind == Worksheet::Loading ? WorkingWindow::Loading : WorkingWindow::Discharging;
    if (!m_registry.hasWorkingWindow(window))
        return nullptr;
    if (ChildFrame* open = m_workingChildren[window]) {
        auto* worksheet = qobject_cast<SurveyWorksheet*>(open->widget());
        // Left as it was opened, it is the one the survey starts from.
        if (worksheet && worksheet->survey().isUntouched()) {
            m_mdiArea->setActiveSubWindow(open);
            return worksheet;
        }
        return qobject_cast<SurveyWorksheet*>(addWorkingChild(window)->widget());
    }
    m_workingChildren[window] = addWorkingChild(window);
    return qobject_cast<SurveyWorksheet*>(m_workingChildren[window]->widget());
}

Survey& frmMDI::newSurvey(Worksheet kind) {
    return *new Survey(kind, this);
}

ChildFrame* frmMDI::addWorkingChild(WorkingWindow window) {
    // Counted once per window loaded, so the count falls back to 0 when the
    // last one closes.
    ++m_openChildren;
    m_toolbar.coolBar->show();
    auto* frame = new ChildFrame(m_registry.makeWorkingWindow(window, *this));
    auto* worksheet = qobject_cast<SurveyWorksheet*>(frame->widget());
    Survey* survey = worksheet ? &worksheet->survey() : nullptr;
    if (survey) {
        survey->setParent(frame);
        m_surveyFiles->adopt(*survey);
    }
    connect(frame, &ChildFrame::unloading, this, [this, frame, window, survey] {
        if (m_workingChildren[window] == frame)
            m_workingChildren.erase(window);
        if (survey)
            m_autosave->forget(survey);
        childUnloading(frame, true);
    });
    m_mdiArea->addSubWindow(frame);
    frame->show();
    return frame;
}

void frmMDI::saveActiveSurveyAs() {
    QMdiSubWindow* active = m_mdiArea->currentSubWindow();
    if (auto* worksheet = active ? qobject_cast<SurveyWorksheet*>(active->widget()) : nullptr)
        worksheet->saveSurveyAs();
}

void frmMDI::openStartupSurveys() {
    m_surveyFiles->offerRecovery();
    if (!m_options.surveyFile.isEmpty())
        m_surveyFiles->open(m_options.surveyFile);
}

void frmMDI::showTipOfDay() {
    showFrame();
    if (m_tipOfDay) {
        m_mdiArea->setActiveSubWindow(m_tipOfDay);
        return;
    }
    auto tip = std::make_unique<frmTipOfDay>(m_settings, m_options.debugTraces);
    frmTipOfDay& tipWindow = *tip;
    auto* frame = new ChildFrame(std::move(tip));
    m_tipOfDay = frame;
    frame->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    connect(frame, &ChildFrame::unloading, this, [this, frame] { childUnloading(frame, false); });
    connect(frame, &QMdiSubWindow::aboutToActivate, &tipWindow, &frmTipOfDay::activated);
    m_mdiArea->addSubWindow(frame);
    frame->adjustSize();
    FormCenter(*frame);
    frame->show();
}

void frmMDI::showAbout() {
    frmAbout about(this);
    FormCenter(about);
    if (about.exec() == QDialog::Accepted)
        continueFromAbout();
}

void frmMDI::continueFromAbout(bool tipWanted) {
    if (tipWanted && m_settings.showTipsAtStartup() == 1)
        showTipOfDay();
    else
        showFrame();
}

QString frmMDI::statusMessage() const {
    return m_status->message();
}

void frmMDI::setStatusMessage(const QString& text) {
    m_status->setMessage(text);
}

QString frmMDI::surveyFolder() const {
    const QStringList recent = m_settings.recentSurveys();
    return recent.isEmpty() ? QString() : QFileInfo(recent.first()).path();
}

void frmMDI::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange)
        refreshStatusHint();
    QMainWindow::changeEvent(event);
}

void frmMDI::closeEvent(QCloseEvent* event) {
    // Every child unloads first and may refuse, which keeps the program open.
    m_mdiArea->closeAllSubWindows();
    if (!m_mdiArea->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    CloseConnection();
    m_settings.setMainWindowGeometry(saveGeometry());
    event->accept();
}

void frmMDI::showFrame() {
    if (isVisible())
        return;
    if (!m_placed && !isMaximized())
        FormCenter(*this);
    show();
}

void frmMDI::runOnActiveChild(Command command) {
    QMdiSubWindow* active = m_mdiArea->currentSubWindow();
    if (!active)
        return;
    if (command == Command::Close) {
        active->close();
        return;
    }
    // The tip of the day takes none of the other commands.
    auto* child = dynamic_cast<ChildWindow*>(active->widget());
    if (!child)
        return;
    switch (command) {
    case Command::New:
        child->RNew();
        break;
    case Command::Save:
        child->RSave();
        break;
    case Command::Print:
        child->RPrint(false);
        break;
    case Command::PrintPreview:
        child->RPrint();
        break;
    case Command::Delete:
        child->RDelete();
        break;
    case Command::Close:
        break;
    }
}

void frmMDI::applyCommandsOf(QMdiSubWindow* activated) {
    if (!activated)
        return;
    if (const auto* child = dynamic_cast<const ChildWindow*>(activated->widget()))
        enabledCommandsChanged(child->enabledCommands());
}

void frmMDI::childUnloading(ChildFrame* closing, bool working) {
    if (working) {
        --m_openChildren;
        if (m_openChildren == 0)
            m_toolbar.coolBar->hide();
    }
    QList<QMdiSubWindow*> others = m_mdiArea->subWindowList();
    others.removeAll(closing);
    setStatusMessage(others.isEmpty() ? openFileHint() : QString());
    if (working)
        enabledCommandsChanged(nothingEnabled);
    // The area has already made the next child active; its commands follow
    // the unloading one's, as a child's activation follows the other's unload.
    if (QMdiSubWindow* next = m_mdiArea->currentSubWindow(); next && next != closing)
        applyCommandsOf(next);
}

void frmMDI::refreshStatusHint() {
    setStatusMessage(m_mdiArea->subWindowList().isEmpty() ? openFileHint() : QString());
}

void frmMDI::fillWindowMenu() {
    m_menus.window->clear();
    const QList<QMdiSubWindow*> children = m_mdiArea->subWindowList();
    for (int i = 0; i < children.size(); ++i) {
        QPointer<QMdiSubWindow> child = children.at(i);
        QAction* item = m_menus.window->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(child->windowTitle()));
        item->setCheckable(true);
        item->setChecked(child == m_mdiArea->currentSubWindow());
        connect(item, &QAction::triggered, this, [this, child] {
            if (child)
                m_mdiArea->setActiveSubWindow(child);
        });
    }
}

void frmMDI::reconnectRegister() {
    if (!gcnnStore) {
        showWarning(QStringLiteral("No register was opened at start-up; restart the program to "
                                   "open one."));
        return;
    }
    if (!gcnnStore->connectionText().isEmpty())
        m_registerAddress = gcnnStore->connectionText();
    try {
        gcnnStore->open(m_registerAddress);
    } catch (const ProgramError& error) {
        showWarning(error.description(),
                    QStringLiteral("The windows keep what they hold. Try again when the register "
                                   "can be reached."));
        return;
    }
    for (QMdiSubWindow* child : m_mdiArea->subWindowList()) {
        if (auto* window = dynamic_cast<ChildWindow*>(child->widget()))
            window->registerReopened();
    }
    // The active window's commands may have changed with what the register allows.
    applyCommandsOf(m_mdiArea->currentSubWindow());
    messageService().show({MessageIcon::Information, applicationTitle(),
                           QStringLiteral("The register is open again."), MessageButtons::Ok,
                           MessageAnswer::Ok});
}

void frmMDI::showOpenDialog() {
    const std::unique_ptr<QDialog> dialog = m_registry.makeOpenDialog(*this);
    FormCenter(*dialog);
    dialog->exec();
}
