#include "frm_ship_particulars.h"
#include "masters_fixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace {

const char* const NewEntryCommands = "Save Close";
const char* const ShipShownCommands = "New Save Delete Close";

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

const char* const SavingFailure = "A serious error has occured while saving the current record."
                                  "\r\n\r\nPlease contact us with the error no. on the titlebar "
                                  "of this dialog box.";

} // namespace

class TestShipParticulars : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void enterWalksTheFields();
    void numericFieldRules_data();
    void numericFieldRules();
    void mandatoryChecksInOrder_data();
    void mandatoryChecksInOrder();
    void noChangesToSave();
    void quotedNamesAreSavedAndReadBack();
    void sameNamedShipsAreEachEdited();
    void saveQuestionAnswers_data();
    void saveQuestionAnswers();
    void failedSaveShowsWhyAndKeepsTheFields_data();
    void failedSaveShowsWhyAndKeepsTheFields();
    void closingAsksToSave_data();
    void closingAsksToSave();
    void emptyRegister();
    void aShipDeletedElsewhereLeavesTheList();
    void tablesButtonNamesTheShipShown();

private:
    template <typename T = QLineEdit> T* part(const char* name) const {
        return m_window->findChild<T*>(text(name));
    }
    void open() {
        m_window = std::make_unique<frmShipParticulars>(m_db->host, *gcnnStore);
        QVERIFY(showActive(*m_window));
    }
    void type(const char* name, const char* typed) {
        QWidget* field = part<QWidget>(name);
        field->setFocus();
        if (auto* combo = qobject_cast<QComboBox*>(field))
            combo->lineEdit()->selectAll();
        else
            part(name)->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), text(typed));
    }
    static void pressTab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    // Picks a row from the combo's open list with the keyboard (the list
    // ignores a click that follows its opening too closely).
    void choose(const char* combo, int row) {
        auto* box = part<QComboBox>(combo);
        box->showPopup();
        QAbstractItemView* list = box->view();
        list->setCurrentIndex(list->model()->index(row, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!list->isVisible());
    }
    void fillMandatory(const char* name) {
        type("cmbShipName", name);
        choose("dcbPortOfRegistry", 0);
        type("txtLBP", "120.456");
        type("txtLOA", "128");
        type("txtBreadth", "20.5");
        type("txtLightShip", "4000");
        pressTab();
    }

    std::unique_ptr<MastersFixture> m_db;
    std::unique_ptr<frmShipParticulars> m_window;
};

void TestShipParticulars::init() {
    m_db = std::make_unique<MastersFixture>();
    open();
}

void TestShipParticulars::cleanup() {
    m_window.reset();
    m_db.reset();
}

void TestShipParticulars::enterWalksTheFields() {
    part<QWidget>("cmbShipName")->setFocus();
    QStringList path{focusName()};
    for (int i = 0; i < 13; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        path.append(focusName());
    }
    QCOMPARE(path,
             texts({"cmbShipName", "txtCallSign", "dcbPortOfRegistry", "txtFlag", "txtOfficialNo",
                    "txtIMONo", "txtSummerDraft", "txtSummerDeadweight", "txtGrossTonnage",
                    "txtNetTonnage", "txtLBP", "txtLOA", "txtBreadth", "txtLightShip"}));
    QVERIFY(m_db->messages.shown().isEmpty());
}

// clang-format off
void TestShipParticulars::numericFieldRules_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");

    const QString invalid = text("Invalid value. Only numbers are allowed.");
    const QString breadth = text("Breadth can only be a positive number greater than 0 less than 1000.");
    QTest::newRow("breadth 0") << text("txtBreadth") << text("0") << QString() << breadth;
    QTest::newRow("breadth rounds to 3 places") << text("txtBreadth") << text("999.9994") << text("999.999") << QString();
    QTest::newRow("breadth rounding up to the limit") << text("txtBreadth") << text("999.9995") << QString() << breadth;
    QTest::newRow("breadth 1000") << text("txtBreadth") << text("1000") << QString() << breadth;
    QTest::newRow("summer draft half to even") << text("txtSummerDraft") << text("12.34565") << text("12.3456") << QString();
    QTest::newRow("summer draft 100") << text("txtSummerDraft") << text("100") << QString() << text("Summer Draft can only be a positive number greater than 0 and less than 100.");
    QTest::newRow("gross tonnage to 1 place") << text("txtGrossTonnage") << text("40485.25") << text("40485.2") << QString();
    QTest::newRow("deadweight to 3 places") << text("txtSummerDeadweight") << text("76015.0005") << text("76015") << QString();
    QTest::newRow("light ship limit") << text("txtLightShip") << text("1000000") << QString() << text("Value of Light Ship can only be a positive number greater than 0 and less than 1000000.");
    QTest::newRow("LOA to 2 places") << text("txtLOA") << text(" 225.125 ") << text("225.12") << QString();
    QTest::newRow("LBP tiny rounds to 0") << text("txtLBP") << text("0.004") << QString() << text("LBP can only be a positive number greater than 0 and less than 1000.");
    QTest::newRow("IMO keeps every place") << text("txtIMONo") << text("9387217.5") << text("9387217.5") << QString();
    QTest::newRow("official no. limit") << text("txtOfficialNo") << text("10000000000") << QString() << text("Official No. can only be a number greater than 0 and less than 10000000000.");
    QTest::newRow("letters") << text("txtLBP") << text("abc") << QString() << invalid;
    QTest::newRow("decimal comma") << text("txtBreadth") << text("32,26") << QString() << invalid;
    QTest::newRow("blank") << text("txtGrossTonnage") << text("   ") << QString() << QString();
}
// clang-format on

void TestShipParticulars::numericFieldRules() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, message);

    type(field.toLatin1().constData(), typed.toLatin1().constData());
    pressTab();

    QCOMPARE(part(field.toLatin1().constData())->text(), shown);
    if (message.isEmpty()) {
        QVERIFY(m_db->messages.shown().isEmpty());
        QVERIFY(focusName() != field);
        return;
    }
    QCOMPARE(m_db->messages.texts(), QStringList{message});
    QCOMPARE(m_db->messages.shown().constFirst().title, text("Ship Particulars"));
    QCOMPARE(m_db->messages.shown().constFirst().icon, MessageIcon::Exclamation);
    QCOMPARE(focusName(), field);
}

// clang-format off
void TestShipParticulars::mandatoryChecksInOrder_data() {
    QTest::addColumn<int>("filled");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    QTest::newRow("name") << 0 << text("Please enter ship name.") << text("cmbShipName");
    QTest::newRow("port") << 1 << text("Please choose the Port of Registry") << text("dcbPortOfRegistry");
    QTest::newRow("LBP") << 2 << text("Please enter the LBP.") << text("txtLBP");
    QTest::newRow("LOA") << 3 << text("Please enter the LOA.") << text("txtLOA");
    QTest::newRow("breadth") << 4 << text("Please enter the Breadth.") << text("txtBreadth");
    QTest::newRow("light ship") << 5 << text("Please enter the Light Ship.") << text("txtLightShip");
}
// clang-format on

void TestShipParticulars::mandatoryChecksInOrder() {
    QFETCH(int, filled);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    m_window->RNew();
    QCOMPARE(m_db->host.mask, text(NewEntryCommands));
    type("txtFlag", "Panama");
    const char* const fields[] = {"cmbShipName", "dcbPortOfRegistry", "txtLBP", "txtLOA",
                                  "txtBreadth"};
    for (int i = 0; i < filled; ++i) {
        if (i == 1)
            choose("dcbPortOfRegistry", 0);
        else
            type(fields[i], "  ");
        if (i != 1)
            QTest::keyClicks(QApplication::focusWidget(), text("12"));
    }
    type("txtSummerDraft", "9");
    m_window->RSave();

    QCOMPARE(m_db->messages.texts(), QStringList{message});
    QCOMPARE(m_db->messages.shown().constFirst().title, text("Calvane Lt"));
    QCOMPARE(focusName(), focus);
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Ship"), 1);
}

void TestShipParticulars::noChangesToSave() {
    m_window->RSave();
    m_window->RNew();
    m_window->RSave();
    QCOMPARE(m_db->messages.texts(), texts({"No changes to save..!", "No changes to save..!"}));
}

void TestShipParticulars::quotedNamesAreSavedAndReadBack() {
    m_window->RNew();
    fillMandatory("O'Brien's Pride");
    type("txtFlag", "Cote d'Ivoire");
    type("txtCallSign", "TU'A");
    m_db->messages.queueAnswer(MessageAnswer::Yes);
    m_window->RSave();
    QCOMPARE(m_db->messages.texts(), texts({"Are you sure to save the current record ?",
                                            "One record has been saved successfully."}));
    QCOMPARE(m_db->host.mask, text(ShipShownCommands));
    QCOMPARE(
        MastersFixture::value("SELECT ShipName || '|' || Flag || '|' || LBP || '|' || "
                              "IFNULL(OfficialNo, 'blank') || '|' || IFNULL(GrossTonnage, 'blank') "
                              "FROM Ship WHERE CallSign = ?",
                              {text("TU'A")}),
        text("O'Brien's Pride|Cote d'Ivoire|120.46|blank|blank"));
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Ship"), 2);

    // The next save updates the ship just added, found by its key.
    type("txtLOA", "130");
    m_db->messages.queueAnswer(MessageAnswer::Yes);
    m_window->RSave();
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Ship WHERE LOA = '130'"), 1);

    open();
    const int row = part<QComboBox>("cmbShipName")->findData(text("O'Brien's Pride"), Qt::EditRole);
    choose("cmbShipName", row);
    QCOMPARE(part<QComboBox>("cmbShipName")->currentText(), text("O'Brien's Pride"));
    QCOMPARE(part("txtFlag")->text(), text("Cote d'Ivoire"));
    QCOMPARE(part("txtLOA")->text(), text("130"));
    QCOMPARE(part<QComboBox>("dcbPortOfRegistry")->currentText(), text("Port Hedland"));
    // Particulars never given stay blank, and the ship saves again.
    for (const char* optional : {"txtOfficialNo", "txtIMONo", "txtGrossTonnage", "txtNetTonnage",
                                 "txtSummerDraft", "txtSummerDeadweight"})
        QCOMPARE(part(optional)->text(), QString());
    m_db->messages.clear();
    type("txtLOA", "131");
    m_db->messages.queueAnswer(MessageAnswer::Yes);
    m_window->RSave();
    QCOMPARE(m_db->messages.texts(), texts({"Are you sure to update the current record ?",
                                            "One record has been updated successfully."}));
}

void TestShipParticulars::sameNamedShipsAreEachEdited() {
    const qint64 port = MastersFixture::addPort(text("Kobe"));
    const qint64 first = MastersFixture::addShip(text("Sister Star"), port, text("AAAA"));
    const qint64 second = MastersFixture::addShip(text("Sister Star"), port, text("BBBB"));
    open();
    auto* names = part<QComboBox>("cmbShipName");
    const int firstRow = names->findData(text("Sister Star"), Qt::EditRole);
    // Both entries carry the name itself; the list tells them apart.
    QCOMPARE(names->itemText(firstRow + 1), text("Sister Star"));
    QVERIFY(names->itemData(firstRow, Qt::DisplayRole).toString().contains(text("AAAA")));
    QVERIFY(names->itemData(firstRow + 1, Qt::DisplayRole).toString().contains(text("BBBB")));

    for (const auto& [row, edited, other] :
         {std::tuple{firstRow + 1, second, first}, std::tuple{firstRow, first, second}}) {
        choose("cmbShipName", row);
        QCOMPARE(part("txtCallSign")->text(), text(edited == first ? "AAAA" : "BBBB"));
        type("txtLBP", "111");
        m_db->messages.queueAnswer(MessageAnswer::Yes);
        m_window->RSave();
        QCOMPARE(MastersFixture::value("SELECT LBP FROM Ship WHERE ShipID = ?", {edited}),
                 text("111"));
        QCOMPARE(MastersFixture::value("SELECT LBP FROM Ship WHERE ShipID = ?", {other}),
                 text(edited == first ? "111" : "100"));
    }

    choose("cmbShipName", firstRow + 1);
    m_db->messages.queueAnswer(MessageAnswer::Yes);
    m_window->RDelete();
    QCOMPARE(m_db->messages.texts().constLast(), text("One record has been deleted successfully."));
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Ship WHERE ShipID = ?", {second}), 0);
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Ship WHERE ShipID = ?", {first}), 1);
}

// clang-format off
void TestShipParticulars::saveQuestionAnswers_data() {
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("mask");

    QTest::newRow("yes") << MessageAnswer::Yes << text("218") << text("218") << text(ShipShownCommands);
    QTest::newRow("no") << MessageAnswer::No << text("217") << text("217") << text(ShipShownCommands);
    QTest::newRow("cancel") << MessageAnswer::Cancel << text("217") << text("218") << text("New Save Delete Close");
}
// clang-format on

void TestShipParticulars::saveQuestionAnswers() {
    QFETCH(MessageAnswer, answer);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(QString, mask);

    type("txtLBP", "218");
    m_db->messages.queueAnswer(answer);
    m_window->RSave();

    QCOMPARE(m_db->messages.shown().constFirst().buttons, MessageButtons::YesNoCancel);
    QCOMPARE(MastersFixture::value("SELECT LBP FROM Ship"), stored);
    QCOMPARE(part("txtLBP")->text(), shown);
    QCOMPARE(m_db->host.mask, mask);
}

// clang-format off
void TestShipParticulars::failedSaveShowsWhyAndKeepsTheFields_data() {
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QString>("reason");

    QTest::newRow("refused") << text("refused") << text("refused by the store");
    QTest::newRow("deleted meanwhile") << text("deleted") << text("no longer in the database");
}
// clang-format on

void TestShipParticulars::failedSaveShowsWhyAndKeepsTheFields() {
    QFETCH(QString, cause);
    QFETCH(QString, reason);

    if (cause == text("refused"))
        MastersFixture::refuse("UPDATE", "Ship");
    else
        gcnnStore->execute(QStringLiteral("DELETE FROM Port"));
    type("cmbShipName", "Coral Meridian II");
    type("txtLBP", "218");
    m_db->messages.queueAnswer(MessageAnswer::Yes);
    m_window->RSave();

    const Message failure = m_db->messages.shown().constLast();
    QCOMPARE(failure.title, text("Calvane Lt-10088"));
    QVERIFY(failure.text.startsWith(text(SavingFailure)));
    QVERIFY2(failure.text.contains(reason), qPrintable(failure.text));
    QCOMPARE(part<QComboBox>("cmbShipName")->currentText(), text("Coral Meridian II"));
    QCOMPARE(part("txtLBP")->text(), text("218"));
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Ship WHERE LBP = '218'"), 0);
}

// clang-format off
void TestShipParticulars::closingAsksToSave_data() {
    QTest::addColumn<QString>("lbp");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("messages");

    const QString question = text("Are you sure to update the current record ?");
    QTest::newRow("no") << text("218") << MessageAnswer::No << true << text("217") << QStringList{question};
    QTest::newRow("yes") << text("218") << MessageAnswer::Yes << true << text("218") << QStringList{question};
    QTest::newRow("yes, LBP missing") << QString() << MessageAnswer::Yes << false << text("217") << QStringList{question, text("Please enter the LBP.")};
}
// clang-format on

void TestShipParticulars::closingAsksToSave() {
    QFETCH(QString, lbp);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, closes);
    QFETCH(QString, stored);
    QFETCH(QStringList, messages);

    part("txtLBP")->setFocus();
    part("txtLBP")->selectAll();
    QTest::keyClick(part("txtLBP"), Qt::Key_Delete);
    QTest::keyClicks(part("txtLBP"), lbp);
    m_db->messages.queueAnswer(answer);

    QCOMPARE(m_window->close(), closes);
    QCOMPARE(m_db->messages.texts(), messages);
    QCOMPARE(MastersFixture::value("SELECT LBP FROM Ship"), stored);
}

void TestShipParticulars::emptyRegister() {
    m_db->messages.queueAnswer(MessageAnswer::Yes);
    m_window->RDelete();
    // Deleting the last ship leaves a new entry, not an edit of no ship.
    QCOMPARE(m_db->host.mask, text(NewEntryCommands));
    QCOMPARE(part<QComboBox>("cmbShipName")->currentText(), QString());
    QCOMPARE(part("txtLBP")->text(), QString());
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Ship"), 0);

    m_db->host.mask.clear();
    open();
    QCOMPARE(m_db->host.mask, text(NewEntryCommands));
    QCOMPARE(commandNames(m_window->enabledCommands()), text(NewEntryCommands));
    fillMandatory("Kobe Trader");
    m_db->messages.queueAnswer(MessageAnswer::Yes);
    m_window->RSave();
    QCOMPARE(MastersFixture::count("SELECT COUNT(*) FROM Ship WHERE ShipName = 'Kobe Trader'"), 1);
}

void TestShipParticulars::aShipDeletedElsewhereLeavesTheList() {
    const qint64 kobe = MastersFixture::addPort(text("Kobe"));
    MastersFixture::addShip(text("Kobe Trader"), kobe, text("KOBE"));
    open();
    const int row = part<QComboBox>("cmbShipName")->findData(text("Kobe Trader"), Qt::EditRole);
    gcnnStore->execute(QStringLiteral("DELETE FROM Port WHERE PortID = ?"), {kobe});
    choose("cmbShipName", row);
    QCOMPARE(part<QComboBox>("cmbShipName")->count(), 1);
    QCOMPARE(part<QComboBox>("cmbShipName")->currentText(), text("Coral Meridian"));
    QCOMPARE(part("txtCallSign")->text(), text("VNCM"));
}

void TestShipParticulars::tablesButtonNamesTheShipShown() {
    QSignalSpy wanted(m_window.get(), &frmShipParticulars::tablesWanted);
    const qint64 shown = MastersFixture::value("SELECT ShipID FROM Ship WHERE ShipName = ?",
                                               {part<QComboBox>("cmbShipName")->currentText()})
                             .toLongLong();
    auto* tables = part<QPushButton>("cmdTables");
    QTest::mouseClick(tables, Qt::LeftButton);
    QCOMPARE(wanted.size(), 1);
    QCOMPARE(wanted.first().first().toLongLong(), shown);

    // A ship not yet saved has no tables to show.
    m_window->RNew();
    QTest::mouseClick(tables, Qt::LeftButton);
    QCOMPARE(wanted.size(), 1);
    QCOMPARE(m_db->messages.texts(), texts({"Please save the ship before its tables."}));
}

QTEST_MAIN(TestShipParticulars)
#include "test_ship_particulars.moc"
