#include <QAbstractProxyModel>
#include <QComboBox>
#include <QLineEdit>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include "CDataFunctions.h"
#include "CLumivox5Data.h"
#include "CScheduleData.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "CSystemClock.h"
#include "CVirtualTime.h"
#include "FormSchedule.h"
#include "FormScheduleEdit.h"
#include "GuiTestSupport.h"
#include "ScheduleDialogTexts.h"
#include "ScheduleHubRig.h"
#include "ScriptedModalBoxes.h"

#include <memory>

using namespace ScheduleDialogTexts;

Q_DECLARE_METATYPE(CScheduleData)

namespace {

const QDateTime SYSTEM_NOW(QDate(2031, 5, 19), QTime(10, 0));

QTreeView* List(FormSchedule& dialog)
{
    return dialog.findChild<QTreeView*>("lsvSchedule");
}

QPushButton* Button(FormSchedule& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(name);
}

QPushButton* OkButton(FormSchedule& dialog)
{
    return dialog.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok);
}

// One shown row: its cells joined by " | ", the number cell with "[x] " or "[ ] ".
QString Row(FormSchedule& dialog, int row)
{
    const QAbstractItemModel* model = List(dialog)->model();
    QStringList cells;
    for (int column = 0; column < FormSchedule::COLUMN_COUNT; ++column)
        cells << model->index(row, column).data().toString();
    const bool checked = model->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    cells.first().prepend(checked ? "[x] " : "[ ] ");
    return cells.join(" | ");
}

// The number and comment of every shown row, the current one in brackets: "1 Event 1|[2 Event 3]".
QString Rows(FormSchedule& dialog)
{
    const QAbstractItemModel* model = List(dialog)->model();
    const QModelIndex current = List(dialog)->currentIndex();
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString text = model->index(row, FormSchedule::COLUMN_NUMBER).data().toString() + " "
                             + model->index(row, FormSchedule::COLUMN_COMMENT).data().toString();
        rows << (current.isValid() && current.row() == row ? "[" + text + "]" : text);
    }
    return rows.join('|');
}

// Which of Add, Edit, Delete and OK are enabled: "Add Edit Delete OK".
QString Buttons(FormSchedule& dialog)
{
    QStringList enabled;
    for (const char* name : { "btnNew", "btnEdit", "btnDelete" }) {
        if (Button(dialog, name)->isEnabled())
            enabled << Button(dialog, name)->text().remove('&').remove("...");
    }
    if (OkButton(dialog)->isEnabled())
        enabled << "OK";
    return enabled.join(' ');
}

void SelectRow(FormSchedule& dialog, int row)
{
    QTreeView* list = List(dialog);
    list->setCurrentIndex(list->model()->index(row, 0));
}

void Key(FormSchedule& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    QTest::keyClick(List(dialog), key, modifiers);
}

QPoint CellCentre(QTreeView* list, int row, int column)
{
    return list->visualRect(list->model()->index(row, column)).center();
}

// What the context menu offers, each entry's text with "[off]" when disabled;
// then triggers the entry `choose` (none when empty) or closes the menu.
QString RunContextMenu(FormSchedule& dialog, const QString& choose = QString())
{
    QString offered;
    GuiTestSupport::OnNextPopup([&](QWidget* popup) {
        QMenu* menu = qobject_cast<QMenu*>(popup);
        QStringList entries;
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            const QString text = action->isSeparator() ? "-" : action->text();
            entries << text + (action->isEnabled() ? "" : " [off]");
            if (!choose.isEmpty() && text.startsWith(choose))
                chosen = action;
        }
        offered = entries.join('|');
        menu->close();
        if (chosen)
            chosen->trigger();
    });
    QTreeView* list = List(dialog);
    emit list->customContextMenuRequested(CellCentre(list, 0, 1));
    return offered;
}

} // namespace

class tst_FormSchedule : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cellTexts_data();
    void cellTexts();
    void limits_data();
    void limits();
    void enableBox_data();
    void enableBox();
    void deleteRenumbers_data();
    void deleteRenumbers();
    void paste_data();
    void paste();
    void allDeleteKeepsTheClipboard();
    void copyAndPasteKeysActOnce();
    void addTakesTheSchedulerClock();
    void secondAddIsIgnored();
    void editChangesTheSchedule_data();
    void editChangesTheSchedule();
    void wayOut_data();
    void wayOut();

private:
    // The dialog on `count` schedules "Event 1" ... , shown.
    void open(int count);

    std::unique_ptr<ScheduleHubRig> m_Rig;
    std::unique_ptr<ScriptedMessageBoxes> m_Boxes;
    std::unique_ptr<FormSchedule> m_Dialog;
};

void tst_FormSchedule::initTestCase()
{
    GuiTestSupport::InstallEnglishCatalogue();
}

void tst_FormSchedule::init()
{
    CSystemClock::SetNowFunction([] { return SYSTEM_NOW; });
    m_Rig = std::make_unique<ScheduleHubRig>();
    m_Boxes = std::make_unique<ScriptedMessageBoxes>();
    m_Rig->setMultipleTerminals({ { 0x06, "VIDEO", true }, { 0x01, "COMPUTER1", true } });
    // Two projectors share an address: the one with the lower id names it.
    m_Rig->addProjector(7, "10.0.0.1", "Stage", true);
    m_Rig->addProjector(3, "10.0.0.1", "Hall", false);
    m_Rig->addProjector(4, "10.0.0.2", "Lobby", true);
    m_Dialog = std::make_unique<FormSchedule>();
    m_Dialog->m_appData = m_Rig->hub();
}

void tst_FormSchedule::cleanup()
{
    m_Dialog.reset();
    m_Boxes.reset();
    m_Rig.reset();
    CSystemClock::SetNowFunction(CSystemClock::NowFunction());
}

void tst_FormSchedule::open(int count)
{
    ScheduleHubRig::fillSchedules(*m_Dialog->m_ScheduleManager, count);
    m_Dialog->show();
}

void tst_FormSchedule::cellTexts_data()
{
    QTest::addColumn<CScheduleData>("record");
    QTest::addColumn<QString>("cells");

    CScheduleData projector = Dated(QDate(2026, 3, 1), QDate(2026, 3, 31), QTime(7, 5), 2);
    projector.TargetType = CScheduleData::TARGET_TYPE::Projector;
    projector.TargetName = "10.0.0.1";
    projector.Comment = "Morning";
    QTest::newRow("projector, date range")
        << projector << "[x] 1 | 10.0.0.1 | Hall | Power | Power OFF | Mar.01, 2026 - Mar.31, 2026 | 07:05 | Morning";

    CScheduleData unknownAddress = projector;
    unknownAddress.TargetName = "10.0.0.9";
    unknownAddress.FinishDay = unknownAddress.StartDay;
    unknownAddress.Enable = false;
    QTest::newRow("projector not registered, finish on the start")
        << unknownAddress << "[ ] 1 | 10.0.0.9 |  | Power | Power OFF | Mar.01, 2026 | 07:05 | Morning";

    CScheduleData group = Weekly(0x49, QTime(23, 59), 8);
    group.TargetName = CScheduleTargetText::Group("A\\B");
    QTest::newRow("group, weekly") << group
                                   << "[x] 1 | Group\\A\\B |  | AV-MUTE | On-screen Display ON | Sun,Wed,Sat | 23:59 | ";

    // A group target never has a setting name, whatever its text.
    CScheduleData named = Weekly(0x7F, QTime(0, 0), 11);
    named.TargetName = "10.0.0.2";
    named.InputTerminal = 0x06;
    QTest::newRow("group named like an address, Signal Select")
        << named << "[x] 1 | 10.0.0.2 |  | Signal Select | VIDEO | Sun,Mon,Tue,Wed,Thu,Fri,Sat | 00:00 | ";

    CScheduleData unknown = Weekly(0x80, QTime(12, 30), 12);
    unknown.InputTerminal = 0x20;
    QTest::newRow("unknown function, no weekday") << unknown << "[x] 1 | All Projectors |  |  |  |  | 12:30 | ";
    unknown.Function = 11;
    QTest::newRow("terminal not listed") << unknown << "[x] 1 | All Projectors |  | Signal Select |  |  | 12:30 | ";
}

void tst_FormSchedule::cellTexts()
{
    QFETCH(CScheduleData, record);
    QFETCH(QString, cells);

    m_Dialog->m_ScheduleManager->f_AddSchedule(new CScheduleData(record), true);
    m_Dialog->show();
    QCOMPARE(Row(*m_Dialog, 0), cells);
}

void tst_FormSchedule::limits_data()
{
    QTest::addColumn<int>("schedules");
    QTest::addColumn<QString>("menu");

    QTest::newRow("999 schedules") << 999
                                   << "Copy\tCtrl+C|Paste\tCtrl+V|-|&Add...|&Edit...|&Delete|All Delete";
    QTest::newRow("1000 schedules")
        << 1000 << "Copy\tCtrl+C|Paste\tCtrl+V [off]|-|&Add... [off]|&Edit...|&Delete|All Delete";
}

void tst_FormSchedule::limits()
{
    QFETCH(int, schedules);
    QFETCH(QString, menu);

    open(schedules);
    Key(*m_Dialog, Qt::Key_C);
    QCOMPARE(RunContextMenu(*m_Dialog), menu);
    QCOMPARE(Button(*m_Dialog, "btnNew")->isEnabled(), schedules < 1000);
    Key(*m_Dialog, Qt::Key_V);
    QCOMPARE(m_Dialog->m_ScheduleManager->f_GetScheduleMap().size(), 1000);
}

void tst_FormSchedule::enableBox_data()
{
    QTest::addColumn<CScheduleData>("record");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("switched");

    const CScheduleData noDay = Weekly(0, QTime(9, 0));
    const CScheduleData monday = Weekly(0x02, QTime(9, 0));
    const CScheduleData dated = Dated(QDate(2031, 6, 1), QDate(), QTime(9, 0));
    QTest::newRow("weekly without a day, box") << noDay << "box" << false;
    QTest::newRow("weekly without a day, double click") << noDay << "double click" << false;
    QTest::newRow("weekly on Monday, box") << monday << "box" << true;
    QTest::newRow("dated, double click") << dated << "double click" << true;
}

void tst_FormSchedule::enableBox()
{
    QFETCH(CScheduleData, record);
    QFETCH(QString, how);
    QFETCH(bool, switched);

    CScheduleManager::ScheduleMap& schedules = m_Dialog->m_ScheduleManager->f_GetScheduleMap();
    for (int key = 0; key < 2; ++key)
        schedules.insert(key, new CScheduleData(record));
    m_Dialog->show();
    QTreeView* list = List(*m_Dialog);
    if (how == "box") {
        // As the check box's delegate hands the click on.
        list->model()->setData(list->model()->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
    } else {
        const QPoint cell = CellCentre(list, 1, FormSchedule::COLUMN_TARGET);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    }
    QCOMPARE(schedules.value(1)->Enable, !switched);
    QCOMPARE(Row(*m_Dialog, 1).left(3), QString(switched ? "[ ]" : "[x]"));
    QCOMPARE(m_Dialog->m_Modified, switched);
    QCOMPARE(OkButton(*m_Dialog)->isEnabled(), switched);
    QVERIFY(schedules.value(0)->Enable);
}

void tst_FormSchedule::deleteRenumbers_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("rows");

    QTest::newRow("first") << 0 << int(QMessageBox::Ok) << "[1 Event 2]|2 Event 3|3 Event 4";
    QTest::newRow("third") << 2 << int(QMessageBox::Ok) << "1 Event 1|2 Event 2|[3 Event 4]";
    QTest::newRow("last") << 3 << int(QMessageBox::Ok) << "1 Event 1|2 Event 2|[3 Event 3]";
    QTest::newRow("cancelled") << 2 << int(QMessageBox::Cancel) << "1 Event 1|2 Event 2|[3 Event 3]|4 Event 4";
}

void tst_FormSchedule::deleteRenumbers()
{
    QFETCH(int, row);
    QFETCH(int, answer);
    QFETCH(QString, rows);

    open(4);
    SelectRow(*m_Dialog, row);
    m_Boxes->answers << QMessageBox::StandardButton(answer);
    Button(*m_Dialog, "btnDelete")->click();
    QCOMPARE(m_Boxes->shown.size(), 1);
    const CMessageBoxes::Box& box = m_Boxes->shown.first();
    QCOMPARE(box.title, QString("Lumivox 5"));
    QCOMPARE(box.text, QString("Do you want to delete Event No.%1?").arg(row + 1));
    QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.defaultButton, QMessageBox::Cancel);
    QVERIFY(box.modalFlag);
    QCOMPARE(Rows(*m_Dialog), rows);
    QCOMPARE(m_Dialog->m_ScheduleManager->f_GetScheduleMap().keys(),
             answer == QMessageBox::Ok ? QList<int>({ 0, 1, 2 }) : QList<int>({ 0, 1, 2, 3 }));
    QCOMPARE(m_Dialog->m_Modified, answer == QMessageBox::Ok);
}

void tst_FormSchedule::paste_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("rows");

    QTest::newRow("third row selected") << 2 << "1 Event 1|2 Event 2|[3 Event 1]|4 Event 3|5 Event 4";
    QTest::newRow("no row selected") << -1 << "1 Event 1|2 Event 2|3 Event 3|4 Event 4|[5 Event 1]";
}

void tst_FormSchedule::paste()
{
    QFETCH(int, row);
    QFETCH(QString, rows);

    open(4);
    SelectRow(*m_Dialog, 0);
    Key(*m_Dialog, Qt::Key_C);
    QVERIFY(!m_Dialog->m_Modified); // copying changes nothing
    if (row >= 0)
        SelectRow(*m_Dialog, row);
    else
        List(*m_Dialog)->selectionModel()->clear();
    RunContextMenu(*m_Dialog, "Paste");
    QCOMPARE(Rows(*m_Dialog), rows);
    QVERIFY(m_Dialog->m_Modified);
    // The clipboard keeps its schedule for another paste.
    Key(*m_Dialog, Qt::Key_V);
    QCOMPARE(m_Dialog->m_ScheduleManager->f_GetScheduleMap().keys(), QList<int>({ 0, 1, 2, 3, 4, 5 }));
}

void tst_FormSchedule::allDeleteKeepsTheClipboard()
{
    open(3);
    SelectRow(*m_Dialog, 1);
    Key(*m_Dialog, Qt::Key_C);
    m_Boxes->answers << QMessageBox::Ok;
    RunContextMenu(*m_Dialog, "All Delete");
    QCOMPARE(m_Boxes->shown.size(), 1);
    QCOMPARE(m_Boxes->shown.first().text, QString("Do you want to delete all event?"));
    QCOMPARE(Rows(*m_Dialog), QString());
    QCOMPARE(Buttons(*m_Dialog), QString("Add OK"));
    Key(*m_Dialog, Qt::Key_V);
    QCOMPARE(Rows(*m_Dialog), QString("[1 Event 2]"));
}

void tst_FormSchedule::copyAndPasteKeysActOnce()
{
    open(2);
    SelectRow(*m_Dialog, 1);
    Key(*m_Dialog, Qt::Key_C);
    Key(*m_Dialog, Qt::Key_V);
    QCOMPARE(Rows(*m_Dialog), QString("1 Event 1|[2 Event 2]|3 Event 2"));
    // The same keys where a button has the focus.
    QTest::keyClick(Button(*m_Dialog, "btnEdit"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Rows(*m_Dialog), QString("1 Event 1|[2 Event 2]|3 Event 2|4 Event 2"));
    // Without Control the letters do nothing.
    Key(*m_Dialog, Qt::Key_V, Qt::NoModifier);
    QCOMPARE(m_Dialog->m_ScheduleManager->f_GetScheduleMap().size(), 4);
}

void tst_FormSchedule::addTakesTheSchedulerClock()
{
    CDataFunctions dispatcher(m_Rig->hub());
    CVirtualTime* clock = dispatcher.GetVirtualTime();
    clock->Stop();
    clock->m_VirtualTimeAllowed = true;
    clock->m_LastTime = QDateTime(QDate(2031, 5, 24), QTime(22, 30)); // a Saturday
    m_Dialog->m_DataFunctions = &dispatcher;
    open(2);
    List(*m_Dialog)->sortByColumn(FormSchedule::COLUMN_COMMENT, Qt::AscendingOrder);
    // The class of each announced parent, as it was announced.
    QStringList parents;
    QObject::connect(m_Dialog.get(), &FormSchedule::HTMLViewerParentChangeSignal, m_Dialog.get(),
                     [&parents](QWidget* parent) { parents << parent->metaObject()->className(); });

    QString shown;
    GuiTestSupport::OnNextPopup([&](QWidget* popup) {
        shown = popup->windowTitle() + " | " + popup->findChild<QComboBox*>("cmbTargetGroup")->currentText();
        popup->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok)->click();
    });
    Button(*m_Dialog, "btnNew")->click();
    QCOMPARE(shown, QString("Add | All Projectors"));
    // One hour after the scheduler clock's now: Saturday 23:30.
    QCOMPARE(Row(*m_Dialog, 0), QString("[x] 3 | All Projectors |  | Power | Power ON | Sat | 23:30 | "));
    QCOMPARE(Rows(*m_Dialog), QString("[3 ]|1 Event 1|2 Event 2"));
    QCOMPARE(Buttons(*m_Dialog), QString("Add Edit Delete OK"));
    QCOMPARE(parents, QStringList({ "FormScheduleEdit", "FormSchedule" }));
    QVERIFY(m_Dialog->findChildren<FormScheduleEdit*>().isEmpty());

    // Cancelled, nothing is added.
    GuiTestSupport::OnNextPopup([](QWidget* popup) { popup->close(); });
    Button(*m_Dialog, "btnNew")->click();
    QCOMPARE(m_Dialog->m_ScheduleManager->f_GetScheduleMap().size(), 3);
}

void tst_FormSchedule::secondAddIsIgnored()
{
    open(1);
    FormSchedule* list = m_Dialog.get();
    int secondEditors = 0;
    GuiTestSupport::OnNextPopup([&](QWidget* first) {
        // Should a second editor open, it is counted and closed.
        QTimer::singleShot(200, first, [&secondEditors, first] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal != first) {
                ++secondEditors;
                modal->close();
            }
        });
        Button(*list, "btnNew")->click();
        first->close();
    });
    Button(*m_Dialog, "btnNew")->click();
    QCOMPARE(secondEditors, 0);
    // The guard is released afterwards: the next Add opens again.
    bool opened = false;
    GuiTestSupport::OnNextPopup([&](QWidget* popup) {
        opened = qobject_cast<FormScheduleEdit*>(popup) != nullptr;
        popup->close();
    });
    Button(*m_Dialog, "btnNew")->click();
    QVERIFY(opened);
}

void tst_FormSchedule::editChangesTheSchedule_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("rows");

    QTest::newRow("OK") << true << "1 Event 1|[2 Renamed]|3 Event 3";
    QTest::newRow("Cancel") << false << "1 Event 1|[2 Event 2]|3 Event 3";
}

void tst_FormSchedule::editChangesTheSchedule()
{
    QFETCH(bool, accept);
    QFETCH(QString, rows);

    open(3);
    SelectRow(*m_Dialog, 1);
    QString title;
    GuiTestSupport::OnNextPopup([&](QWidget* popup) {
        title = popup->windowTitle();
        popup->findChild<QLineEdit*>("edtComment")->setText("Renamed");
        popup->findChild<QSpinBox*>("udcHour")->setValue(17);
        QDialogButtonBox* buttons = popup->findChild<QDialogButtonBox*>("buttonBox");
        buttons->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
    Button(*m_Dialog, "btnEdit")->click();
    QCOMPARE(title, QString("Edit"));
    QCOMPARE(Rows(*m_Dialog), rows);
    QCOMPARE(Row(*m_Dialog, 1).section(" | ", 6, 6), QString(accept ? "17:00" : "09:00"));
    QCOMPARE(m_Dialog->m_Modified, accept);
}

void tst_FormSchedule::wayOut_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("result");

    QTest::newRow("Escape") << "Escape" << 0;
    QTest::newRow("Cancel") << "Cancel" << 0;
    QTest::newRow("OK after a change") << "OK" << 1;
}

void tst_FormSchedule::wayOut()
{
    QFETCH(QString, way);
    QFETCH(int, result);

    ScheduleHubRig::fillSchedules(*m_Dialog->m_ScheduleManager, 2);
    QSignalSpy help(m_Dialog.get(), &FormSchedule::ShowHelpSignal);
    QString before;
    GuiTestSupport::OnNextPopup([&](QWidget* shown) {
        FormSchedule& dialog = *qobject_cast<FormSchedule*>(shown);
        before = Buttons(dialog);
        QTreeView* list = List(dialog);
        list->model()->setData(list->model()->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
        QDialogButtonBox* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
        buttons->button(QDialogButtonBox::Help)->click();
        if (way == "Escape")
            QTest::keyClick(list, Qt::Key_Escape);
        else if (way == "Cancel")
            buttons->button(QDialogButtonBox::Cancel)->click();
        else
            buttons->button(QDialogButtonBox::Ok)->click();
    });
    QCOMPARE(m_Dialog->exec(), result);
    // The first row is current; OK waits for the first change.
    QCOMPARE(before, QString("Add Edit Delete"));
    QVERIFY(m_Dialog->m_Modified);
    // Help asks for the page and leaves the dialog open.
    QCOMPARE(help.size(), 1);
    QCOMPARE(help.first().first().toString(), QString("_RESOURCE/html/Schedule.htm"));
}

QTEST_MAIN(tst_FormSchedule)
#include "tst_FormSchedule.moc"
