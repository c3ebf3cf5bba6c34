#include "child_window.h"
#include "shell_fixture.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QToolBar>

namespace {

QString text(const char* latin1) {
    return QString::fromLatin1(latin1);
}

// A working child window that records what the main window asks of it.
class RecordingChild : public QWidget, public ChildWindow {
public:
    RecordingChild(Commands enabled, const char* title) : m_enabled(enabled) {
        setWindowTitle(text(title));
    }

    Commands enabledCommands() const override { return m_enabled; }
    void RNew() override { calls.append(text("RNew")); }
    void RSave() override { calls.append(text("RSave")); }
    void RPrint(bool blnShowPreview) override {
        calls.append(text(blnShowPreview ? "RPrint preview" : "RPrint print"));
    }
    void RDelete() override { calls.append(text("RDelete")); }

    QStringList calls;
    // Unsaved work: the child refuses to close.
    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(!refuseClose); }

private:
    const Commands m_enabled;
};

const char* const hint = "Press Ctrl-O to open the Open file box";
const Commands allCommands = Command::New | Command::Save | Command::Print | Command::PrintPreview |
                             Command::Delete | Command::Close;
// What the commands drive, in toolbar order: the buttons and their File menu
// items (Delete has none).
const char* const tags[] = {"New", "Save", "Print", "PrintPreview", "Delete", "Close"};
const char* const menuItems[] = {"mnuFile(0)",  "mnuFile(4)", "mnuFile(14)",
                                 "mnuFile(12)", nullptr,      "mnuFile(6)"};

// A key as the keyboard reports it, with the text it gives.
struct Press {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = {};
    const char* text = "";
};

} // namespace

Q_DECLARE_METATYPE(Press)

// The main window with working children that record what it asks of them.
class TestFrameProtocol : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_shell.reset(); }

    void commandsDriveToolbarAndFileMenu_data();
    void commandsDriveToolbarAndFileMenu();
    void openingAndClosingChildren();
    void commandsReachTheActiveChild_data();
    void commandsReachTheActiveChild();
    void withNoChildTheCommandsDoNothing();
    void statusHintFollowsTheChildren();
    void windowMenuListsAndActivatesChildren();
    void closingTheFrameUnloadsChildrenThenTheConnection_data();
    void closingTheFrameUnloadsChildrenThenTheConnection();
    void lockKeyPanelsFollowWhatIsTyped_data();
    void lockKeyPanelsFollowWhatIsTyped();

private:
    frmMDI& frame() const { return *m_shell->frame; }
    QAction* item(const char* name) const { return m_shell->find(name); }
    QToolBar* toolbar() const { return m_shell->find<QToolBar>("tbrMDI"); }
    QAction* button(const char* tag) const { return toolbar()->findChild<QAction*>(text(tag)); }
    void click(const char* tag) const {
        QTest::mouseClick(toolbar()->widgetForAction(button(tag)), Qt::LeftButton);
    }
    bool coolBarShown() const { return m_shell->find<QWidget>("cbMDI")->isVisible(); }
    QString activeTitle() const { return frame().mdiArea().currentSubWindow()->windowTitle(); }
    RecordingChild* open(WorkingWindow window) {
        frame().openWorkingChild(window);
        return m_made;
    }

    std::unique_ptr<Shell> m_shell;
    QPointer<RecordingChild> m_made;
};

void TestFrameProtocol::init() {
    m_shell = std::make_unique<Shell>();
    // Two of the four working windows exist in these tests.
    const auto registerChild = [this](WorkingWindow window, Commands enabled, const char* title) {
        m_shell->registry.registerWorkingWindow(window, [this, enabled, title](frmMDI&) {
            auto child = std::make_unique<RecordingChild>(enabled, title);
            m_made = child.get();
            return child;
        });
    };
    registerChild(WorkingWindow::Loading, Command::Print | Command::PrintPreview | Command::Close,
                  "Loading");
    registerChild(WorkingWindow::PortMaster,
                  Command::New | Command::Save | Command::Delete | Command::Close, "Port");
    m_shell->makeFrame().show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame()));
}

// clang-format off
void TestFrameProtocol::commandsDriveToolbarAndFileMenu_data() {
    QTest::addColumn<int>("commands");
    // New, Save, Print, Print Preview, Delete, Close.
    QTest::addColumn<QString>("enabled");

    const auto row = [](const char* name, Commands commands, const char* enabled) {
        QTest::newRow(name) << commands.toInt() << text(enabled);
    };
    row("none", {}, "000000");
    row("all", allCommands, "111111");
    row("New", Command::New, "100000");
    row("Save", Command::Save, "010000");
    row("Print", Command::Print, "001000");
    row("Print Preview", Command::PrintPreview, "000100");
    row("Delete", Command::Delete, "000010");
    row("Close", Command::Close, "000001");
    row("ship chosen", Command::New | Command::Save | Command::Delete | Command::Close, "110011");
}
// clang-format on

void TestFrameProtocol::commandsDriveToolbarAndFileMenu() {
    QFETCH(int, commands);
    QFETCH(QString, enabled);
    // Whatever was on before.
    frame().enabledCommandsChanged(allCommands ^ Commands::fromInt(commands));

    frame().enabledCommandsChanged(Commands::fromInt(commands));

    for (int i = 0; i < 6; ++i) {
        const bool expected = enabled.at(i) == QLatin1Char('1');
        QVERIFY2(button(tags[i])->isEnabled() == expected, tags[i]);
        if (menuItems[i])
            QVERIFY2(item(menuItems[i])->isEnabled() == expected, menuItems[i]);
    }
    QVERIFY(item("mnuFile(18)")->isEnabled());
}

void TestFrameProtocol::openingAndClosingChildren() {
    // The items of windows nobody registered stay in place but disabled, and
    // so does Open without an Open dialog.
    for (const char* name : {"mnuCalvane(10)", "mnuShipData(5)", "mnuFile(2)"})
        QVERIFY2(!item(name)->isEnabled(), name);
    QVERIFY(!coolBarShown());

    item("mnuCalvane(5)")->trigger();
    QCOMPARE(frame().openChildren(), 1);
    QVERIFY(coolBarShown());
    QVERIFY(button("Print")->isEnabled());

    item("mnuShipData(20)")->trigger();
    QVERIFY(button("Delete")->isEnabled());
    // An open window is brought forward with its commands, not loaded again.
    item("mnuCalvane(5)")->trigger();
    QCOMPARE(frame().openChildren(), 2);
    QCOMPARE(frame().mdiArea().subWindowList().size(), 2);
    QCOMPARE(activeTitle(), text("Loading"));
    QVERIFY(!button("Delete")->isEnabled());

    click("Close");
    QCOMPARE(frame().openChildren(), 1);
    QVERIFY(coolBarShown());
    // The next child's commands follow the closed one's.
    QVERIFY(button("Delete")->isEnabled());

    item("mnuFile(6)")->trigger();
    QCOMPARE(frame().openChildren(), 0);
    QVERIFY(!coolBarShown());
    for (const char* tag : tags)
        QVERIFY2(!button(tag)->isEnabled(), tag);
}

// clang-format off
void TestFrameProtocol::commandsReachTheActiveChild_data() {
    // Each row is named after a toolbar button or a File menu item.
    QTest::addColumn<QString>("call");

    for (const char* name : {"New", "mnuFile(0)"})
        QTest::newRow(name) << text("RNew");
    for (const char* name : {"Save", "mnuFile(4)"})
        QTest::newRow(name) << text("RSave");
    for (const char* name : {"Print", "mnuFile(14)"})
        QTest::newRow(name) << text("RPrint print");
    for (const char* name : {"PrintPreview", "mnuFile(12)"})
        QTest::newRow(name) << text("RPrint preview");
    QTest::newRow("Delete") << text("RDelete");
}
// clang-format on

void TestFrameProtocol::commandsReachTheActiveChild() {
    QFETCH(QString, call);
    const char* const name = QTest::currentDataTag();

    RecordingChild* loading = open(WorkingWindow::Loading);
    RecordingChild* port = open(WorkingWindow::PortMaster);
    frame().enabledCommandsChanged(allCommands);

    if (button(name))
        click(name);
    else
        item(name)->trigger();

    QCOMPARE(port->calls, QStringList{call});
    QVERIFY(loading->calls.isEmpty());
}

void TestFrameProtocol::withNoChildTheCommandsDoNothing() {
    QApplication::setActiveWindow(&frame());
    QVERIFY(QTest::qWaitForWindowActive(&frame()));
    QTest::keyClick(&frame(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&frame(), Qt::Key_F4, Qt::ControlModifier);
    // Even with the items left on, there is no child to take them.
    frame().enabledCommandsChanged(allCommands);
    for (const char* name : menuItems) {
        if (name)
            item(name)->trigger();
    }
    QVERIFY(frame().isVisible());
    QVERIFY(m_shell->messages.shown().isEmpty());

    RecordingChild* port = open(WorkingWindow::PortMaster);
    QTest::keyClick(&frame(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&frame(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(port->calls, (QStringList{text("RNew"), text("RSave")}));
    QTest::keyClick(&frame(), Qt::Key_F4, Qt::ControlModifier);
    QCOMPARE(frame().openChildren(), 0);
}

void TestFrameProtocol::statusHintFollowsTheChildren() {
    QCOMPARE(frame().statusMessage(), text(hint));

    open(WorkingWindow::Loading);
    // The frame renews the hint as it is activated.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(&frame());
    QCOMPARE(frame().statusMessage(), QString());

    open(WorkingWindow::PortMaster);
    click("Close");
    QCOMPARE(frame().statusMessage(), QString());
    click("Close");
    QCOMPARE(frame().statusMessage(), text(hint));
}

void TestFrameProtocol::windowMenuListsAndActivatesChildren() {
    open(WorkingWindow::Loading);
    open(WorkingWindow::PortMaster);
    auto* windowMenu = m_shell->find<QMenu>("mnuWindow");
    windowMenu->popup(frame().mapToGlobal(QPoint(10, 10)));

    const QList<QAction*> listed = windowMenu->actions();
    QCOMPARE(listed.size(), 2);
    QCOMPARE(listed.at(0)->text(), text("&1 Loading"));
    QVERIFY(listed.at(1)->isChecked());
    listed.at(0)->trigger();
    windowMenu->hide();
    QCOMPARE(activeTitle(), text("Loading"));
}

// clang-format off
void TestFrameProtocol::closingTheFrameUnloadsChildrenThenTheConnection_data() {
    QTest::addColumn<bool>("unsavedWork");

    QTest::newRow("children close") << false;
    QTest::newRow("a child refuses") << true;
}
// clang-format on

void TestFrameProtocol::closingTheFrameUnloadsChildrenThenTheConnection() {
    QFETCH(bool, unsavedWork);

    open(WorkingWindow::Loading);
    open(WorkingWindow::PortMaster)->refuseClose = unsavedWork;
    item("mnuFile(18)")->trigger();

    QCOMPARE(frame().isVisible(), unsavedWork);
    QCOMPARE(frame().openChildren(), unsavedWork ? 1 : 0);
    QCOMPARE(gcnnStore && gcnnStore->isOpen(), unsavedWork);
}

// clang-format off
void TestFrameProtocol::lockKeyPanelsFollowWhatIsTyped_data() {
    QTest::addColumn<QList<Press>>("presses");
    QTest::addColumn<bool>("capsLock");
    QTest::addColumn<bool>("numLock");

    const auto row = [](const char* name, const QList<Press>& presses, bool caps, bool num) {
        QTest::newRow(name) << presses << caps << num;
    };
    row("unknown until typed", {{Qt::Key_CapsLock}, {Qt::Key_NumLock}}, false, false);
    row("capital without Shift", {{Qt::Key_A, {}, "A"}}, true, false);
    row("capital with Shift", {{Qt::Key_A, Qt::ShiftModifier, "A"}}, false, false);
    row("known, then Caps Lock pressed", {{Qt::Key_A, {}, "a"}, {Qt::Key_CapsLock}}, true, false);
    row("keypad digit", {{Qt::Key_7, Qt::KeypadModifier, "7"}}, false, true);
    row("keypad movement, then Num Lock pressed",
        {{Qt::Key_Home, Qt::KeypadModifier}, {Qt::Key_NumLock}}, false, true);
}
// clang-format on

void TestFrameProtocol::lockKeyPanelsFollowWhatIsTyped() {
    QFETCH(QList<Press>, presses);
    QFETCH(bool, capsLock);
    QFETCH(bool, numLock);

    for (const Press& press : presses)
        QTest::sendKeyEvent(QTest::Click, frame().windowHandle(), press.key,
                            QString::fromLatin1(press.text), press.modifiers);

    QCOMPARE(m_shell->find<QLabel>("sb1CapsLock")->isEnabled(), capsLock);
    QCOMPARE(m_shell->find<QLabel>("sb1NumLock")->isEnabled(), numLock);
}

QTEST_MAIN(TestFrameProtocol)
#include "test_frame_protocol.moc"
