#include "frm_port_master.h"
#include "masters_fixture.h"

#include <QLineEdit>
#include <QListView>

namespace {

const char* const NewEntryCommands = "Save Close";
const char* const PortShownCommands = "New Save Delete Close";

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

class TestPortMaster : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addRenameAndDeleteWithItsShips();
    void saveQuestionAnswers_data();
    void saveQuestionAnswers();
    void blankNameWritesNothing();
    void failuresShowWhatFailedAndKeepTheFields_data();
    void failuresShowWhatFailedAndKeepTheFields();

private:
    QLineEdit* field(const char* name) const { return m_window->findChild<QLineEdit*>(text(name)); }
    QListView* list() const { return m_window->findChild<QListView*>(text("dlstPortMaster")); }
    void type(const char* name, const char* typed) {
        field(name)->setFocus();
        field(name)->selectAll();
        QTest::keyClicks(field(name), text(typed));
    }
    void choose(const QString& portName) {
        const QModelIndexList found = list()->model()->match(
            list()->model()->index(0, 0), Qt::DisplayRole, portName, 1, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        list()->scrollTo(found.first());
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualRect(found.first()).center());
    }
    QStringList fields() const {
        return {field("txtPortName")->text(), field("txtCity")->text(),
                field("txtCountry")->text()};
    }

    std::unique_ptr<MastersFixture> m_db;
    std::unique_ptr<frmPortMaster> m_window;
};

void TestPortMaster::init() {
    m_db = std::make_unique<MastersFixture>();
    m_window = std::make_unique<frmPortMaster>(m_db->host, *gcnnStore);
    QVERIFY(showActive(*m_window));
}

void TestPortMaster::cleanup() {
    m_window.reset();
    m_db.reset();
}

void TestPortMaster::addRenameAndDeleteWithItsShips() {
    QCOMPARE(m_db->host.mask, text(NewEntryCommands));
    type("txtPortName", "  Durban ");
    type("txtCity", " Durban");
    type("txtCountry", "South Africa  ");
    m_db->messages.queueAnswer(MessageAnswer::Yes);
    m_window->RSave();
    QCOMPARE(m_db->messages.texts(), texts({"Are you sure you want to add a new record ?",
                                            "One record has been added successfully."}));
    QCOMPARE(MastersFixture::value("SELECT PortName || '|' || City || '|' || Country FROM Port "
                                   "WHERE PortName = 'Durban'"),
             text("Durban|Durban|South Africa"));
    QCOMPARE(fields(), texts({"", "", ""}));
    QCOMPARE(focusName(), text("txtPortName"));

    choose(text("Durban"));
    QCOMPARE(fields(), texts({"Durban", "Durban", "South Africa"}));
    QCOMPARE(m_db->host.mask, text(PortShownCommands));
    type("txtPortName", "Port of Durban");
    m_db->messages.clear();
    m_db->messages.queueAnswer(MessageAnswer::Yes);
    m_window->RSave();
    QCOMPARE(m_db->messages.texts(), texts({"Are you sure to update the current record ?",
                                            "One record has been updated successfully."}));
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Port WHERE PortName LIKE '%Durban'"), 1);
    // Delete is off until a port is chosen again, and then does nothing.
    QCOMPARE(m_db->host.mask, text(NewEntryCommands));
    m_db->messages.clear();
    m_window->RDelete();
    QVERIFY(m_db->messages.shown().isEmpty());

    const qint64 durban = MastersFixture::value("SELECT PortID FROM Port WHERE PortName = "
                                                "'Port of Durban'")
                              .toLongLong();
    MastersFixture::addShip(text("Sister One"), durban, text("AAAA"));
    MastersFixture::addShip(text("Sister Two"), durban, text("BBBB"));
    choose(text("Port of Durban"));
    m_db->messages.queueAnswer(MessageAnswer::Yes);
    // The Delete key in the list asks as the toolbar's Delete does.
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Delete);
    const Message question = m_db->messages.shown().constFirst();
    QCOMPARE(question.text, text("Deletion of this port will also delete all the ships "
                                 "corresponding to it.\r\n\r\nAre you sure to delete the "
                                 "selected port ?"));
    QCOMPARE(question.defaultAnswer, MessageAnswer::No);
    QCOMPARE(m_db->messages.texts().last(), text("One record has been deleted successfully."));
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Port WHERE PortID = ?", {durban}), 0);
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Ship WHERE PortOfRegistry = ?", {durban}),
             0);
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Ship"), 1);
    QCOMPARE(fields(), texts({"", "", ""}));
    QCOMPARE(m_db->host.mask, text(NewEntryCommands));
    // The list no longer offers the port deleted.
    QCOMPARE(list()
                 ->model()
                 ->match(list()->model()->index(0, 0), Qt::DisplayRole, text("Port of Durban"), 1,
                         Qt::MatchExactly)
                 .size(),
             0);
}

// clang-format off
void TestPortMaster::saveQuestionAnswers_data() {
    QTest::addColumn<bool>("editing");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<int>("ports");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QString>("shownName");
    QTest::addColumn<QString>("nextQuestion");

    const QString add = text("Are you sure you want to add a new record ?");
    const QString update = text("Are you sure to update the current record ?");
    QTest::newRow("new, yes") << false << MessageAnswer::Yes << 2 << text("Walvis Bay") << QString() << add;
    QTest::newRow("new, no") << false << MessageAnswer::No << 1 << text("Port Hedland") << text("Walvis Bay") << add;
    QTest::newRow("new, cancel") << false << MessageAnswer::Cancel << 1 << text("Port Hedland") << text("Walvis Bay") << add;
    QTest::newRow("edit, yes") << true << MessageAnswer::Yes << 1 << text("Walvis Bay") << QString() << add;
    QTest::newRow("edit, no") << true << MessageAnswer::No << 1 << text("Port Hedland") << text("Walvis Bay") << update;
    // Cancel leaves the edit: a later save adds.
    QTest::newRow("edit, cancel") << true << MessageAnswer::Cancel << 1 << text("Port Hedland") << text("Walvis Bay") << add;
}
// clang-format on

void TestPortMaster::saveQuestionAnswers() {
    QFETCH(bool, editing);
    QFETCH(MessageAnswer, answer);
    QFETCH(int, ports);
    QFETCH(QString, storedName);
    QFETCH(QString, shownName);
    QFETCH(QString, nextQuestion);

    if (editing)
        choose(text("Port Hedland"));
    type("txtPortName", "Walvis Bay");
    type("txtCountry", "Namibia");
    m_db->messages.queueAnswer(answer);
    m_window->RSave();

    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Port"), ports);
    QVERIFY(MastersFixture::count("SELECT COUNT(*) FROM Port WHERE PortName = ?", {storedName}));
    QCOMPARE(field("txtPortName")->text(), shownName);
    // No leaves the focus where it was; every other answer puts it on the name.
    QCOMPARE(focusName(), text(answer == MessageAnswer::No ? "txtCountry" : "txtPortName"));
    m_db->messages.clear();
    type("txtPortName", "Luderitz");
    m_db->messages.queueAnswer(MessageAnswer::No);
    m_window->RSave();
    QCOMPARE(m_db->messages.texts(), QStringList{nextQuestion});
}

void TestPortMaster::blankNameWritesNothing() {
    type("txtPortName", "   ");
    type("txtCity", "Nowhere");
    m_window->RSave();
    QCOMPARE(m_db->messages.texts(), texts({"Please enter port name"}));
    QCOMPARE(m_db->messages.shown().constFirst().title, text("Calvane Lt"));
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Port"), 1);
    QCOMPARE(focusName(), text("txtPortName"));
}

// clang-format off
void TestPortMaster::failuresShowWhatFailedAndKeepTheFields_data() {
    QTest::addColumn<bool>("deleting");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("firstLine");

    QTest::newRow("save") << false << text("Calvane Lt-10016") << text("A serious error has occured while saving the current record.");
    QTest::newRow("delete") << true << text("Calvane Lt-10017") << text("A serious error has occured while deleting the current record.");
}
// clang-format on

void TestPortMaster::failuresShowWhatFailedAndKeepTheFields() {
    QFETCH(bool, deleting);
    QFETCH(QString, title);
    QFETCH(QString, firstLine);

    MastersFixture::refuse(deleting ? "DELETE" : "UPDATE", "Port");
    choose(text("Port Hedland"));
    type("txtCity", "Hedland");
    m_db->messages.queueAnswer(MessageAnswer::Yes);
    deleting ? m_window->RDelete() : m_window->RSave();

    const Message failure = m_db->messages.shown().constLast();
    QCOMPARE(failure.title, title);
    QCOMPARE(failure.icon, MessageIcon::Exclamation);
    QCOMPARE(failure.text.section(text("\r\n\r\n"), 0, 1),
             firstLine + text("\r\n\r\nPlease contact us with the error no. on the titlebar of "
                              "this dialog box."));
    QVERIFY2(failure.text.contains(text("refused by the store")), qPrintable(failure.text));
    QCOMPARE(fields(), texts({"Port Hedland", "Hedland", "Australia"}));
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Port WHERE City = 'Port Hedland'"), 1);
    QCOMPARE(m_db->host.mask, text(PortShownCommands));
}

QTEST_MAIN(TestPortMaster)
#include "test_port_master.moc"
