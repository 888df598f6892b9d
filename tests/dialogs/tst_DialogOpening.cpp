#include <QtTest>

#include "CDataFunctions.h"
#include "CListViewColumnStatus.h"
#include "CProjectorData.h"
#include "CLumivox5Data.h"
#include "COptionSettings.h"
#include "CScheduleData.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "CVirtualTime.h"
#include "FormChooseProjectorListColumn.h"
#include "FormSchedule.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowTestBase.h"
#include "ScriptedModalBoxes.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTreeView>
#include <QWindow>

#include <functional>

namespace {

using Work = std::function<void(QDialog*)>;

QPushButton* BoxButton(QWidget* dialog, QDialogButtonBox::StandardButton which)
{
    return dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))->button(which);
}

template <class T>
T* Child(QWidget* dialog, const char* name)
{
    return dialog->findChild<T*>(QLatin1String(name));
}

// Runs `trigger` and hands the modal dialog it opens to `work`; a dialog
// still open afterwards is cancelled, so that a failed check never leaves it
// waiting.
void WhenShown(const std::function<void()>& trigger, const Work& work)
{
    GuiTestSupport::OnNextPopup([&](QWidget* shown) {
        auto* dialog = qobject_cast<QDialog*>(shown);
        work(dialog);
        if (dialog && dialog->isVisible())
            dialog->reject();
    });
    trigger();
}

// Minimises the dialog's window and restores it, as a window manager does
// (through the window, not the widget).
void MinimiseAndRestore(QWidget* dialog)
{
    QWindow* handle = dialog->windowHandle();
    QVERIFY(handle);
    handle->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    QVERIFY(dialog->isMinimized());
    handle->setWindowState(Qt::WindowNoState);
    QCoreApplication::processEvents();
    QVERIFY(!dialog->isMinimized());
}

CScheduleData* EveryDayAt(int hour, const QString& comment)
{
    auto* data = new CScheduleData(QDateTime(QDate(2030, 1, 9), QTime(12, 0)));
    data->TargetType = CScheduleData::TARGET_TYPE::Group;
    data->TargetName = CScheduleTargetText::AllProjectors();
    data->Function = 1;
    data->DurationType = CScheduleData::DURATION_TYPE::Weekly;
    data->DayOfWeek = 0x7F;
    data->ExecuteTime = QTime(hour, 0);
    data->Enable = true;
    data->Comment = comment;
    return data;
}

// --- known data

void TwoApplications(Lumivox5Main* window)
{
    *window->m_Lumivox5Data->m_pStartAppList = {{"A", "/a", ""}, {"B", "/b", ""}};
}

void Options(Lumivox5Main* window)
{
    COptionSettings& options = *window->m_Lumivox5Data->m_pOptionSettings;
    options.m_SaveLog = false;
    options.m_SaveScheduleLog = false;
    options.m_AutoUpdate = true;
    options.m_AutoUpdateInterval = 10;
    options.m_Import = true;
    options.m_ImportPath = QStringLiteral("/srv/lists/hall.lst");
}

void NoData(Lumivox5Main*) {}

// Two projectors that are never polled (switched off in the list), on
// loopback should anything connect.
const char TWO_PROJECTORS[] = "[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=Rev.1.0\n"
                              "[Setting 001]\nSettingName=Alpha\nDeviceType=LAN\nLanType=IP\n"
                              "IPAddress=127.0.0.1\nLanPort=9\nEnabled=False\nGroupList=1\n"
                              "[Setting 002]\nSettingName=Beta\nDeviceType=LAN\nLanType=IP\n"
                              "IPAddress=127.0.0.1\nLanPort=10\nEnabled=False\nGroupList=1\n"
                              "[Group]\n001=\"Floor 1\"\n";

void TwoSchedules(Lumivox5Main* window)
{
    CScheduleManager* schedules = window->m_Lumivox5Data->m_pScheduleManager;
    schedules->f_ClearSchedule();
    QVERIFY(schedules->f_AddSchedule(EveryDayAt(13, QString()), true));
    QVERIFY(schedules->f_AddSchedule(EveryDayAt(14, QStringLiteral("second")), true));
}

void ClockFromNow(Lumivox5Main* window)
{
    CVirtualTime* clock = window->m_DataThread->GetVirtualTime();
    clock->m_BasedOnNow = true;
    clock->m_Acceleration = 1;
}

// --- what a dialog shows, what the test changes, and what the window keeps

// The first column's texts of a list, in view order.
QString FirstColumn(QDialog* dialog, const char* view, const QString& separator)
{
    const QAbstractItemModel* model = Child<QTreeView>(dialog, view)->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, 0).data().toString();
    return texts.join(separator);
}

QString ShownApplications(QDialog* dialog)
{
    return FirstColumn(dialog, "treeViewAppList", QStringLiteral(" "));
}

void MoveSecondUp(QDialog* dialog)
{
    auto* view = Child<QTreeView>(dialog, "treeViewAppList");
    view->setCurrentIndex(view->model()->index(1, 0));
    Child<QPushButton>(dialog, "btnMoveUp")->click();
}

QString StoredApplications(Lumivox5Main* window)
{
    QStringList entries;
    for (const QStringList& entry : qAsConst(*window->m_Lumivox5Data->m_pStartAppList))
        entries << entry.value(0) + ' ' + entry.value(1);
    return entries.join(", ");
}

QString ShownEntry(QDialog* dialog)
{
    return Child<QLineEdit>(dialog, "txtDisplayName")->text() + ' ' + Child<QLineEdit>(dialog, "txtPath")->text();
}

void RenameEntry(QDialog* dialog)
{
    Child<QLineEdit>(dialog, "txtDisplayName")->setText(QStringLiteral("Alpha"));
}

QString ShownOptions(QDialog* dialog)
{
    return QStringLiteral("every %1, import %2")
        .arg(Child<QLineEdit>(dialog, "edtAutoUpdateInterval")->text(),
             Child<QCheckBox>(dialog, "chkBootImport")->isChecked() ? "on" : "off");
}

void ChangeOptions(QDialog* dialog)
{
    Child<QLineEdit>(dialog, "edtAutoUpdateInterval")->setText(QStringLiteral("5"));
    Child<QCheckBox>(dialog, "chkBootImport")->setChecked(false);
}

QString StoredOptions(Lumivox5Main* window)
{
    const COptionSettings& options = *window->m_Lumivox5Data->m_pOptionSettings;
    return QStringLiteral("every %1, import %2").arg(options.m_AutoUpdateInterval).arg(options.m_Import ? "on" : "off");
}

// The setting name column, the one the test hides.
const int NAME_COLUMN = 3;

int ChooserRowOf(QStandardItemModel* model, int key)
{
    for (int row = 0; row < model->rowCount(); ++row) {
        const QStandardItem* cell = model->item(row, FormChooseProjectorListColumn::COL_KEY);
        if (cell->data(FormChooseProjectorListColumn::ROLE_VALUE).toInt() == key)
            return row;
    }
    return -1;
}

QStandardItemModel* ChooserModel(QDialog* dialog)
{
    return qobject_cast<QStandardItemModel*>(Child<QTreeView>(dialog, "tvDetails")->model());
}

QString ShownColumn(QDialog* dialog)
{
    QStandardItemModel* model = ChooserModel(dialog);
    const int row = ChooserRowOf(model, NAME_COLUMN);
    if (row < 0)
        return QStringLiteral("not listed");
    return model->item(row, FormChooseProjectorListColumn::COL_TITLE)->checkState() == Qt::Checked
               ? QStringLiteral("shown")
               : QStringLiteral("hidden");
}

void HideColumn(QDialog* dialog)
{
    auto* view = Child<QTreeView>(dialog, "tvDetails");
    view->setCurrentIndex(view->model()->index(ChooserRowOf(ChooserModel(dialog), NAME_COLUMN), 0));
    Child<QPushButton>(dialog, "btnHide")->click();
}

QString StoredColumn(Lumivox5Main* window)
{
    const CListViewColumnStatus* column = window->m_Lumivox5Data->m_pPjListColumnStatus->value(NAME_COLUMN);
    return !column ? QStringLiteral("missing") : column->m_Visible ? QStringLiteral("shown") : QStringLiteral("hidden");
}

// "number[ off][ current]" for each shown row, in view order.
QString ShownSchedules(QDialog* dialog)
{
    const QTreeView* view = Child<QTreeView>(dialog, "lsvSchedule");
    const QAbstractItemModel* model = view->model();
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex number = model->index(row, FormSchedule::COLUMN_NUMBER);
        QString text = number.data().toString();
        if (number.data(Qt::CheckStateRole).toInt() != Qt::Checked)
            text += QStringLiteral(" off");
        if (view->currentIndex().row() == row)
            text += QStringLiteral(" current");
        rows << text;
    }
    return rows.join(", ");
}

// Sorted by number downwards; the first shown row switched off and current.
void SortAndSwitchOff(QDialog* dialog)
{
    auto* view = Child<QTreeView>(dialog, "lsvSchedule");
    view->sortByColumn(FormSchedule::COLUMN_NUMBER, Qt::DescendingOrder);
    const QModelIndex first = view->model()->index(0, FormSchedule::COLUMN_NUMBER);
    view->setCurrentIndex(first);
    view->model()->setData(first, Qt::Unchecked, Qt::CheckStateRole);
}

QString StoredSchedules(Lumivox5Main* window)
{
    const CScheduleManager::ScheduleMap& map = window->m_Lumivox5Data->m_pScheduleManager->f_GetScheduleMap();
    QStringList schedules;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        schedules << QStringLiteral("%1 %2").arg(it.key() + 1).arg(it.value()->Enable ? "on" : "off");
    return schedules.join(", ");
}

QString ShownSchedule(QDialog* dialog)
{
    return QStringLiteral("%1:00 '%2'")
        .arg(Child<QSpinBox>(dialog, "udcHour")->value())
        .arg(Child<QLineEdit>(dialog, "edtComment")->text());
}

void ChangeSchedule(QDialog* dialog)
{
    Child<QSpinBox>(dialog, "udcHour")->setValue(15);
    Child<QLineEdit>(dialog, "edtComment")->setText(QStringLiteral("lamp check"));
}

QString StoredSchedule(Lumivox5Main* window)
{
    const CScheduleData* first = window->m_Lumivox5Data->m_pScheduleManager->f_GetScheduleMap().value(0);
    return first ? QStringLiteral("%1:00 '%2'").arg(first->ExecuteTime.hour()).arg(first->Comment) : QString();
}

QString ShownTargets(QDialog* dialog)
{
    return FirstColumn(dialog, "tvDeviceSettings", QStringLiteral(", "));
}

void SortTargetsDown(QDialog* dialog)
{
    Child<QTreeView>(dialog, "tvDeviceSettings")->sortByColumn(0, Qt::DescendingOrder);
}

// The projectors the window keeps, with their groups.
QString StoredTargets(Lumivox5Main* window)
{
    QStringList projectors;
    for (int id : {1, 2}) {
        const CProjectorData* record = window->m_Lumivox5Data->GetProjectorData(id);
        projectors << (record ? QStringLiteral("%1 in %2").arg(record->m_SettingName).arg(record->m_GroupList.size())
                              : QStringLiteral("none"));
    }
    return projectors.join(", ");
}

QString ShownClock(QDialog* dialog)
{
    return Child<QLineEdit>(dialog, "txtAcceleration")->text();
}

void SpeedUpClock(QDialog* dialog)
{
    Child<QLineEdit>(dialog, "txtAcceleration")->setText(QStringLiteral("7"));
}

QString StoredClock(Lumivox5Main* window)
{
    return QString::number(window->m_DataThread->GetVirtualTime()->m_Acceleration);
}

struct DialogCase {
    const char* name;
    // The user list the window starts with; null for the fixture's own.
    const char* userList;
    void (*arrange)(Lumivox5Main*);
    // The window's launcher of the dialog, or of the list dialog whose
    // first row the dialog edits.
    void (Lumivox5Main::*launcher)();
    // That list dialog's view; null when the launcher opens the dialog itself.
    const char* listView;
    QString (*shown)(QDialog*);
    void (*change)(QDialog*);
    QString (*stored)(Lumivox5Main*);
};

const DialogCase CASES[] = {
    {"launch list", nullptr, TwoApplications, &Lumivox5Main::f_ShowStartAppSettings, nullptr, ShownApplications,
     MoveSecondUp, StoredApplications},
    {"launch list entry", nullptr, TwoApplications, &Lumivox5Main::f_ShowStartAppSettings, "treeViewAppList", ShownEntry,
     RenameEntry, StoredApplications},
    {"options", nullptr, Options, &Lumivox5Main::f_ShowOptionSettings, nullptr, ShownOptions, ChangeOptions, StoredOptions},
    {"list columns", nullptr, NoData, &Lumivox5Main::f_ShowColumnDetail, nullptr, ShownColumn, HideColumn, StoredColumn},
    {"schedule list", nullptr, TwoSchedules, &Lumivox5Main::on_actMenuScheduleEdit_triggered, nullptr, ShownSchedules,
     SortAndSwitchOff, StoredSchedules},
    {"schedule entry", nullptr, TwoSchedules, &Lumivox5Main::on_actMenuScheduleEdit_triggered, "lsvSchedule", ShownSchedule,
     ChangeSchedule, StoredSchedule},
    {"virtual time", nullptr, ClockFromNow, &Lumivox5Main::f_ShowVirtualTimeSetting, nullptr, ShownClock, SpeedUpClock,
     StoredClock},
    {"communication settings", TWO_PROJECTORS, NoData, &Lumivox5Main::f_ShowCommunicationSettings, nullptr,
     ShownTargets, SortTargetsDown, StoredTargets},
};

// Opens the case's dialog from the window and hands it to `work`; a list
// dialog it was opened from is ended with OK afterwards.
void Open(const DialogCase& c, Lumivox5Main* window, const Work& work)
{
    const auto launch = [&] { (window->*c.launcher)(); };
    if (!c.listView) {
        WhenShown(launch, work);
        return;
    }
    WhenShown(launch, [&](QDialog* list) {
        QVERIFY(list);
        auto* view = Child<QTreeView>(list, c.listView);
        view->setCurrentIndex(view->model()->index(0, 0));
        WhenShown([&] { Child<QPushButton>(list, "btnEdit")->click(); }, work);
        BoxButton(list, QDialogButtonBox::Ok)->click();
    });
}

} // namespace

class tst_DialogOpening : public MainWindowTestBase
{
    Q_OBJECT

private slots:
    void restoreKeepsTheInput_data();
    void restoreKeepsTheInput();
};

void tst_DialogOpening::restoreKeepsTheInput_data()
{
    QTest::addColumn<int>("index");
    // What the dialog shows when it opens and after the change, what the
    // window keeps after OK, and what the next opening shows.
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("changed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("reopened");
    const struct {
        const char* opened;
        const char* changed;
        const char* kept;
        const char* reopened;
    } rows[] = {
        {"A B", "B A", "B /b, A /a", "B A"},
        {"A /a", "Alpha /a", "Alpha /a, B /b", "Alpha /a"},
        {"every 10, import on", "every 5, import off", "every 5, import off", "every 5, import off"},
        {"shown", "hidden", "hidden", "hidden"},
        // The sort is the dialog's own: the next opening sorts by number again.
        {"1 current, 2", "2 off current, 1", "1 on, 2 off", "1 current, 2 off"},
        {"13:00 ''", "15:00 'lamp check'", "15:00 'lamp check'", "15:00 'lamp check'"},
        {"1", "7", "7", "7"},
        // The dialog lists by name again at the next opening.
        {"Alpha, Beta", "Beta, Alpha", "Alpha in 1, Beta in 1", "Alpha, Beta"},
    };
    static_assert(sizeof(rows) / sizeof(rows[0]) == sizeof(CASES) / sizeof(CASES[0]), "one row per dialog");
    for (int i = 0; i < int(sizeof(rows) / sizeof(rows[0])); ++i)
        QTest::newRow(CASES[i].name) << i << QString(rows[i].opened) << QString(rows[i].changed)
                                     << QString(rows[i].kept) << QString(rows[i].reopened);
}

// A window manager minimises a dialog and restores it: the dialog still shows
// what the operator changed, and OK stores that. The next opening shows what
// was stored.
void tst_DialogOpening::restoreKeepsTheInput()
{
    QFETCH(int, index);
    QFETCH(QString, opened);
    QFETCH(QString, changed);
    QFETCH(QString, kept);
    QFETCH(QString, reopened);
    const DialogCase& c = CASES[index];
    if (c.userList)
        QVERIFY(m_Fixture->writeUserList(c.userList));
    m_Window = m_Fixture->makeWindow();
    QVERIFY(m_Window->m_blnProfileLoaded);
    c.arrange(m_Window.get());
    ScriptedMessageBoxes boxes;

    QStringList seen;
    Open(c, m_Window.get(), [&](QDialog* dialog) {
        QVERIFY(dialog);
        seen << c.shown(dialog);
        c.change(dialog);
        seen << c.shown(dialog);
        MinimiseAndRestore(dialog);
        seen << c.shown(dialog);
        BoxButton(dialog, QDialogButtonBox::Ok)->click();
    });
    QCOMPARE(seen, (QStringList{opened, changed, changed}));
    QCOMPARE(c.stored(m_Window.get()), kept);

    seen.clear();
    Open(c, m_Window.get(), [&](QDialog* dialog) {
        QVERIFY(dialog);
        seen << c.shown(dialog);
        BoxButton(dialog, QDialogButtonBox::Cancel)->click();
    });
    QCOMPARE(seen, QStringList{reopened});
    QCOMPARE(c.stored(m_Window.get()), kept);
    QCOMPARE(boxes.shown.size(), 0);
}

QTEST_MAIN(tst_DialogOpening)
#include "tst_DialogOpening.moc"
