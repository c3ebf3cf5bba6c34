#include "frm_mdi.h"
#include "message_service.h"
#include "recording_child.h"
#include "shell_fixture.h"

#include <QAction>
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

const char* const hint = "Press Ctrl-O to open the Open file box";

} // namespace

// The main window with working children that record what it asks of them.
class TestFrameProtocol : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void itemsOfMissingWindowsAreDisabled();
    void maskDrivesToolbarAndFileMenu_data();
    void maskDrivesToolbarAndFileMenu();
    void openingAndClosingChildren();
    void commandsReachTheActiveChild_data();
    void commandsReachTheActiveChild();
    void withNoChildTheCommandsDoNothing();
    void statusHintFollowsTheChildren();
    void windowMenuListsAndActivatesChildren();
    void closingTheFrameUnloadsChildrenThenTheConnection_data();
    void closingTheFrameUnloadsChildrenThenTheConnection();

private:
    QAction* item(const char* name) const { return m_frame->findChild<QAction*>(text(name)); }
    QToolBar* toolbar() const { return m_frame->findChild<QToolBar*>(text("tbrMDI")); }
    QAction* button(const QString& tag) const { return toolbar()->findChild<QAction*>(tag); }
    void click(const char* tag) {
        QTest::mouseClick(toolbar()->widgetForAction(button(text(tag))), Qt::LeftButton);
    }
    bool coolBarShown() const { return m_frame->findChild<QWidget*>(text("cbMDI"))->isVisible(); }
    QString activeTitle() const { return m_frame->mdiArea().currentSubWindow()->windowTitle(); }
    RecordingChild* open(WorkingWindow window) {
        m_frame->openWorkingChild(window);
        return m_made;
    }

    std::unique_ptr<ScopedMessageRecorder> m_messages;
    std::unique_ptr<ShellFolder> m_folder;
    WindowRegistry m_registry;
    std::unique_ptr<frmMDI> m_frame;
    QPointer<RecordingChild> m_made;
};

void TestFrameProtocol::init() {
    m_messages = std::make_unique<ScopedMessageRecorder>();
    m_folder = std::make_unique<ShellFolder>();
    m_folder->openDatabase();
    // Two of the four working windows exist in these tests.
    const auto registerChild = [this](WorkingWindow window, const char* mask, const char* title) {
        m_registry.registerWorkingWindow(window, [this, mask, title](frmMDI&) {
            auto child = std::make_unique<RecordingChild>(text(mask), text(title));
            m_made = child.get();
            return child;
        });
    };
    registerChild(WorkingWindow::Loading, "001111011", "Loading");
    registerChild(WorkingWindow::PortMaster, "111001111", "Port");
    m_frame = std::make_unique<frmMDI>(m_registry, m_folder->settings, m_folder->options());
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
}

void TestFrameProtocol::cleanup() {
    m_frame.reset();
    m_folder.reset();
    m_messages.reset();
}

void TestFrameProtocol::itemsOfMissingWindowsAreDisabled() {
    QVERIFY(item("mnuCalvane(5)")->isEnabled());
    QVERIFY(item("mnuShipData(20)")->isEnabled());
    QVERIFY(!item("mnuCalvane(10)")->isEnabled());
    QVERIFY(!item("mnuShipData(5)")->isEnabled());
    QVERIFY(!item("mnuFile(2)")->isEnabled());

    item("mnuCalvane(5)")->trigger();
    QCOMPARE(activeTitle(), text("Loading"));
}

void TestFrameProtocol::maskDrivesToolbarAndFileMenu_data() {
    QTest::addColumn<QString>("mask");
    // New, Save, Print, Print Preview, Delete, Close.
    QTest::addColumn<QString>("enabled");

    QTest::newRow("unloading: separators carry 1s") << "001001010"
                                                    << "000000";
    QTest::newRow("first 1, last 0") << "111111110"
                                     << "111110";
    QTest::newRow("a single 1 is first and last") << "1"
                                                  << "100001";
    QTest::newRow("empty") << ""
                           << "000000";
    QTest::newRow("longer: the ends still count") << "10000000001"
                                                  << "100001";
    QTest::newRow("only an exact 1 enables") << "a11a11a1a"
                                             << "010100";
    QTest::newRow("ship chosen") << "110000101"
                                 << "110011";
}

void TestFrameProtocol::maskDrivesToolbarAndFileMenu() {
    QFETCH(QString, mask);
    QFETCH(QString, enabled);

    m_frame->SetMDIToolbar(mask);

    const char* const tags[] = {"New", "Save", "Print", "PrintPreview", "Delete", "Close"};
    const char* const menuItems[] = {"mnuFile(0)",  "mnuFile(4)", "mnuFile(14)",
                                     "mnuFile(12)", nullptr,      "mnuFile(6)"};
    for (int i = 0; i < 6; ++i) {
        const bool expected = enabled.at(i) == QLatin1Char('1');
        QVERIFY2(button(text(tags[i]))->isEnabled() == expected, tags[i]);
        if (menuItems[i])
            QVERIFY2(item(menuItems[i])->isEnabled() == expected, menuItems[i]);
    }
    QVERIFY(item("mnuFile(18)")->isEnabled());
}

void TestFrameProtocol::openingAndClosingChildren() {
    QVERIFY(!coolBarShown());

    item("mnuCalvane(5)")->trigger();
    QCOMPARE(m_frame->openChildren(), 1);
    QVERIFY(coolBarShown());
    QVERIFY(button(text("Print"))->isEnabled());

    item("mnuShipData(20)")->trigger();
    QVERIFY(button(text("Delete"))->isEnabled());
    // An open window is brought forward with its mask, not loaded again.
    item("mnuCalvane(5)")->trigger();
    QCOMPARE(m_frame->openChildren(), 2);
    QCOMPARE(m_frame->mdiArea().subWindowList().size(), 2);
    QCOMPARE(activeTitle(), text("Loading"));
    QVERIFY(!button(text("Delete"))->isEnabled());

    click("Close");
    QCOMPARE(m_frame->openChildren(), 1);
    QVERIFY(coolBarShown());
    // The next child's mask follows the closed one's.
    QVERIFY(button(text("Delete"))->isEnabled());

    item("mnuFile(6)")->trigger();
    QCOMPARE(m_frame->openChildren(), 0);
    QVERIFY(!coolBarShown());
    for (const char* tag : {"New", "Save", "Print", "PrintPreview", "Delete", "Close"})
        QVERIFY2(!button(text(tag))->isEnabled(), tag);
}

void TestFrameProtocol::commandsReachTheActiveChild_data() {
    QTest::addColumn<bool>("fromToolbar");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("call");

    QTest::newRow("toolbar New") << true << "New"
                                 << "RNew";
    QTest::newRow("toolbar Save") << true << "Save"
                                  << "RSave";
    QTest::newRow("toolbar Print prints") << true << "Print"
                                          << "RPrint print";
    QTest::newRow("toolbar PrintPreview previews") << true << "PrintPreview"
                                                   << "RPrint preview";
    QTest::newRow("toolbar Delete") << true << "Delete"
                                    << "RDelete";
    QTest::newRow("File New") << false << "mnuFile(0)"
                              << "RNew";
    QTest::newRow("File Save") << false << "mnuFile(4)"
                               << "RSave";
    QTest::newRow("File Print prints") << false << "mnuFile(14)"
                                       << "RPrint print";
    QTest::newRow("File Print Preview previews") << false << "mnuFile(12)"
                                                 << "RPrint preview";
}

void TestFrameProtocol::commandsReachTheActiveChild() {
    QFETCH(bool, fromToolbar);
    QFETCH(QString, name);
    QFETCH(QString, call);

    RecordingChild* loading = open(WorkingWindow::Loading);
    RecordingChild* port = open(WorkingWindow::PortMaster);
    m_frame->SetMDIToolbar(text("111111111"));

    if (fromToolbar)
        QTest::mouseClick(toolbar()->widgetForAction(button(name)), Qt::LeftButton);
    else
        m_frame->findChild<QAction*>(name)->trigger();

    QCOMPARE(port->calls, QStringList{call});
    QVERIFY(loading->calls.isEmpty());
}

void TestFrameProtocol::withNoChildTheCommandsDoNothing() {
    QApplication::setActiveWindow(m_frame.get());
    QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    QTest::keyClick(m_frame.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(m_frame.get(), Qt::Key_F4, Qt::ControlModifier);
    // Even with the items left on, there is no child to take them.
    m_frame->SetMDIToolbar(text("111111111"));
    for (const char* name :
         {"mnuFile(0)", "mnuFile(4)", "mnuFile(6)", "mnuFile(12)", "mnuFile(14)"})
        item(name)->trigger();
    QVERIFY(m_frame->isVisible());
    QVERIFY(m_messages->shown().isEmpty());

    RecordingChild* port = open(WorkingWindow::PortMaster);
    QTest::keyClick(m_frame.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(m_frame.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(port->calls, (QStringList{text("RNew"), text("RSave")}));
    QTest::keyClick(m_frame.get(), Qt::Key_F4, Qt::ControlModifier);
    QCOMPARE(m_frame->openChildren(), 0);
}

void TestFrameProtocol::statusHintFollowsTheChildren() {
    QCOMPARE(m_frame->statusMessage(), text(hint));

    open(WorkingWindow::Loading);
    // The frame renews the hint as it is activated.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(m_frame.get());
    QCOMPARE(m_frame->statusMessage(), QString());

    open(WorkingWindow::PortMaster);
    click("Close");
    QCOMPARE(m_frame->statusMessage(), QString());
    click("Close");
    QCOMPARE(m_frame->statusMessage(), text(hint));
}

void TestFrameProtocol::windowMenuListsAndActivatesChildren() {
    open(WorkingWindow::Loading);
    open(WorkingWindow::PortMaster);
    auto* windowMenu = m_frame->findChild<QMenu*>(text("mnuWindow"));
    windowMenu->popup(m_frame->mapToGlobal(QPoint(10, 10)));

    const QList<QAction*> listed = windowMenu->actions();
    QCOMPARE(listed.size(), 2);
    QCOMPARE(listed.at(0)->text(), text("&1 Loading"));
    QVERIFY(listed.at(1)->isChecked());
    listed.at(0)->trigger();
    windowMenu->hide();
    QCOMPARE(activeTitle(), text("Loading"));
}

void TestFrameProtocol::closingTheFrameUnloadsChildrenThenTheConnection_data() {
    QTest::addColumn<bool>("unsavedWork");

    QTest::newRow("children close") << false;
    QTest::newRow("a child refuses") << true;
}

void TestFrameProtocol::closingTheFrameUnloadsChildrenThenTheConnection() {
    QFETCH(bool, unsavedWork);

    open(WorkingWindow::Loading);
    open(WorkingWindow::PortMaster)->refuseClose = unsavedWork;
    item("mnuFile(18)")->trigger();

    QCOMPARE(m_frame->isVisible(), unsavedWork);
    QCOMPARE(m_frame->openChildren(), unsavedWork ? 1 : 0);
    QCOMPARE(gcnnStore && gcnnStore->isOpen(), unsavedWork);
}

QTEST_MAIN(TestFrameProtocol)
#include "test_frame_protocol.moc"
