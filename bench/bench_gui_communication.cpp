// The communication settings dialog over 2000 connection targets: showing it
// (comparing every copy with its projector and filling the list), All Check,
// one rename with its re-sort, a new target at 1999 rows, deleting 1000
// selected rows, Delete All, and the main window's commit after OK of 2000
// in-place edits with the save of the list. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise.
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "BenchWindow.h"
#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "CTestFolders.h"
#include "DeviceSettingWindow.h"
#include "EditSettingWindow.h"
#include "FleetUserList.h"
#include "Lumivox5Main.h"
#include "ModalBoxes.h"
#include "ProcessFigures.h"
#include "QTreeViewEx.h"

namespace {

const int TARGETS = 2000;
const int RUNS = 5;
const int COMMIT_RUNS = 3;

QTreeViewEx* ViewOf(QWidget* dialog)
{
    return dialog->findChild<QTreeViewEx*>(QStringLiteral("tvDeviceSettings"));
}

// The editor the view has open, or null (a closed one is hidden until it goes).
QLineEdit* EditorOf(QAbstractItemView* view)
{
    for (QLineEdit* editor : view->viewport()->findChildren<QLineEdit*>()) {
        if (!editor->isHidden())
            return editor;
    }
    return nullptr;
}

// The dialog as the main window opens it, on a fresh copy of the list.
std::unique_ptr<DeviceSettingWindow> NewDialog(Lumivox5Main* window)
{
    CLumivox5Data* hub = window->m_Lumivox5Data;
    hub->InitProjectorDataTemp();
    hub->LoadTempUserList();
    std::unique_ptr<DeviceSettingWindow> dialog(new DeviceSettingWindow(window));
    dialog->m_Lumivox5Data = hub;
    return dialog;
}

void SendKey(QWidget* widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
}

// Renames the row in the middle of the list in place: the editor's text
// committed with Return, until the list is sorted again.
double RenameMs(QTreeViewEx* view, int round)
{
    const QModelIndex middle = view->model()->index(view->model()->rowCount() / 2, 0);
    view->selectionModel()->select(middle, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->setCurrentIndex(middle);
    view->edit(middle);
    QLineEdit* editor = EditorOf(view);
    if (!editor)
        return -1;
    editor->setText(QStringLiteral("Renamed %1").arg(round));
    return WallMs([&] {
        SendKey(editor, Qt::Key_Return);
        while (EditorOf(view))
            QCoreApplication::processEvents();
    });
}


// Selects these view rows (and nothing else).
void SelectViewRows(QTreeViewEx* view, const std::vector<int>& rows)
{
    QItemSelection selection;
    for (int row : rows)
        selection.select(view->model()->index(row, 0), view->model()->index(row, view->model()->columnCount() - 1));
    view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// New Settings with one row selected, the editor's OK pressed as soon as it
// shows: naming, the editor, the insertion and the re-sort.
double NewTargetMs(DeviceSettingWindow* dialog)
{
    QTreeViewEx* view = ViewOf(dialog);
    SelectViewRows(view, {0});
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* editor = qobject_cast<EditSettingWindow*>(QApplication::activeModalWidget());
        if (!editor)
            return;
        poll.stop();
        editor->findChild<QLineEdit*>(QStringLiteral("txtLANIPv4"))->setText(QStringLiteral("10.200.0.1"));
        editor->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    poll.start();
    return WallMs([&] { QMetaObject::invokeMethod(dialog, "f_CreateNewConnection"); });
}

} // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);

    CTestFolders folders;
    QString error;
    if (!FleetUserList::PrepareFolders(folders, TARGETS, QHostAddress(QStringLiteral("10.0.0.1")), 7142, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::unique_ptr<Lumivox5Main> window = NewMainWindow();
    if (!window->m_blnProfileLoaded || window->m_Lumivox5Data->f_GetProjectorCount() != TARGETS) {
        std::fprintf(stderr, "the main window did not load %d projectors\n", TARGETS);
        return 1;
    }
    // The refreshes a commit asks for go nowhere.
    Lumivox5Main::SetRequestSink([](int, QList<CVariantParameter>*, int, int, QList<int>*, bool, bool) {});
    std::printf("communication settings, %d targets, platform %s, median of %d runs\n", TARGETS,
                qPrintable(QGuiApplication::platformName()), RUNS);

    std::vector<double> show;
    std::vector<double> allCheck;
    std::vector<double> rename;
    int rows = 0;
    int checked = 0;
    for (int run = 0; run < RUNS; ++run) {
        std::unique_ptr<DeviceSettingWindow> dialog = NewDialog(window.get());
        show.push_back(WallMs([&] { dialog->show(); }));
        QCoreApplication::processEvents();
        QTreeViewEx* view = ViewOf(dialog.get());
        rows = view->model()->rowCount();
        QMetaObject::invokeMethod(dialog.get(), "f_AllListCheckClear");
        allCheck.push_back(WallMs([&] { QMetaObject::invokeMethod(dialog.get(), "f_AllListCheck"); }));
        checked = 0;
        for (const CProjectorData* record : *window->m_Lumivox5Data->m_pProjectorDatasTemp)
            checked += record->m_Enabled ? 1 : 0;
        rename.push_back(RenameMs(view, run));
        dialog.reset();
        window->m_Lumivox5Data->InitProjectorDataTemp();
    }
    std::printf("show (compare and fill):        %8.1f ms  (%d rows, target < 300)\n", Median(show), rows);
    std::printf("All Check:                      %8.1f ms  (%d enabled, target < 200)\n", Median(allCheck), checked);
    std::printf("one rename with its re-sort:    %8.1f ms  (target < 50)\n", Median(rename));

    // Creating and deleting; the delete questions are answered with OK.
    CMessageBoxes::SetScript([](const CMessageBoxes::Box&) { return QMessageBox::Ok; });
    std::vector<double> create;
    std::vector<double> deleteHalf;
    std::vector<double> deleteAll;
    int rowsAfterNew = 0;
    int rowsAfterDelete = 0;
    int rowsAfterDeleteAll = -1;
    for (int run = 0; run < RUNS; ++run) {
        std::unique_ptr<DeviceSettingWindow> dialog = NewDialog(window.get());
        dialog->show();
        QCoreApplication::processEvents();
        QTreeViewEx* view = ViewOf(dialog.get());
        SelectViewRows(view, {TARGETS / 2});
        QMetaObject::invokeMethod(dialog.get(), "f_DeleteConnection");
        create.push_back(NewTargetMs(dialog.get()));
        rowsAfterNew = view->model()->rowCount();
        // Every other row: no two neighbours.
        std::vector<int> every;
        for (int row = 0; row < view->model()->rowCount(); row += 2)
            every.push_back(row);
        SelectViewRows(view, every);
        deleteHalf.push_back(WallMs([&] { QMetaObject::invokeMethod(dialog.get(), "f_DeleteConnection"); }));
        rowsAfterDelete = view->model()->rowCount();
        dialog.reset();
        window->m_Lumivox5Data->InitProjectorDataTemp();

        dialog = NewDialog(window.get());
        dialog->show();
        QCoreApplication::processEvents();
        deleteAll.push_back(WallMs([&] { QMetaObject::invokeMethod(dialog.get(), "f_DeleteAllConnection"); }));
        rowsAfterDeleteAll = ViewOf(dialog.get())->model()->rowCount();
        dialog.reset();
        window->m_Lumivox5Data->InitProjectorDataTemp();
    }
    CMessageBoxes::SetScript(CMessageBoxes::Script());
    std::printf("New at 1999 rows (with editor): %8.1f ms  (%d rows after, target < 50)\n", Median(create), rowsAfterNew);
    std::printf("delete 1000 selected rows:      %8.1f ms  (%d rows left, target < 500)\n", Median(deleteHalf),
                rowsAfterDelete);
    std::printf("Delete All:                     %8.1f ms  (%d rows left, target < 200)\n", Median(deleteAll),
                rowsAfterDeleteAll);

    // Tool > Communication Settings: every target renamed, then OK.
    std::vector<double> commit;
    std::vector<double> open;
    for (int run = 0; run < COMMIT_RUNS; ++run) {
        QElapsedTimer clock;
        double shownMs = -1;
        QTimer poll;
        poll.setInterval(1);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<DeviceSettingWindow*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll.stop();
            shownMs = clock.nsecsElapsed() / 1e6;
            for (CProjectorData* record : *window->m_Lumivox5Data->m_pProjectorDatasTemp)
                record->m_SettingName = QStringLiteral("Edited %1 %2").arg(run).arg(record->m_Id);
            clock.start();
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        poll.start();
        clock.start();
        window->f_ShowCommunicationSettings();
        commit.push_back(clock.nsecsElapsed() / 1e6);
        open.push_back(shownMs);
        QCoreApplication::processEvents();
    }
    const CProjectorData* first = window->m_Lumivox5Data->GetProjectorData(1);
    std::printf("open (save, reload, show):      %8.1f ms\n", Median(open));
    std::printf("commit of %d in-place edits:  %8.1f ms  (with the save; target < 1000; projector 1 now \"%s\")\n",
                TARGETS, Median(commit), first ? qPrintable(first->m_SettingName) : "gone");
    Lumivox5Main::SetRequestSink(Lumivox5Main::RequestSink());
    return 0;
}
