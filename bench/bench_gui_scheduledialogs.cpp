// The schedule list dialog and the schedule edit dialog at fleet size: 1000
// schedules (half of them for one projector each), 2000 projectors, 100
// groups. Times the list dialog's first show and one delete, add, paste and
// edit (each with the list rebuilt in its sort), and the edit dialog's show.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "BenchWindow.h"
#include "CLanguageCodeTable.h"
#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "CScheduleData.h"
#include "CScheduleManager.h"
#include "CScheduleTargetText.h"
#include "FormSchedule.h"
#include "FormScheduleEdit.h"
#include "ModalBoxes.h"
#include "ProcessFigures.h"
#include "ScheduleHubRig.h"

namespace {

const int PROJECTORS = 2000;
const int GROUPS = 100;
const int SCHEDULES = 1000;
const int RUNS = 5;
const QDateTime BASE(QDate(2031, 5, 19), QTime(8, 0));

QString Address(int id)
{
    return QStringLiteral("10.%1.%2.%3").arg(id / 65536).arg(id / 256 % 256).arg(id % 256);
}

void FillHub(ScheduleHubRig& rig)
{
    for (int id = 1; id <= PROJECTORS; ++id)
        rig.addProjector(id, Address(id), QStringLiteral("Setting%1").arg(id), id % 10 != 0);
    for (int id = 1; id <= GROUPS; ++id)
        rig.addGroup(id, QStringLiteral("Hall %1\\Floor %2").arg(id % 10).arg(id));
}

// Every other schedule for one projector; the rest for all projectors or a group.
void FillSchedules(CScheduleManager& schedules)
{
    for (int i = 0; i < SCHEDULES; ++i) {
        CScheduleData* s = new CScheduleData(BASE.addSecs(i * 60));
        if (i % 2) {
            s->TargetType = CScheduleData::TARGET_TYPE::Projector;
            s->TargetName = Address(1 + i * 7 % PROJECTORS);
        } else if (i % 4 == 0) {
            s->TargetName = CScheduleTargetText::Group(QStringLiteral("Hall %1\\Floor %2").arg(i % 10).arg(1 + i % 100));
        }
        s->Function = 1 + i % 11;
        s->InputTerminal = 1;
        s->DayOfWeek = quint8(1 + i % 127);
        s->Comment = QStringLiteral("Event %1").arg(i);
        schedules.f_AddSchedule(s, true);
    }
}

// Accepts every schedule edit dialog as soon as it is shown.
class AcceptEditors : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (FormScheduleEdit* editor = qobject_cast<FormScheduleEdit*>(watched)) {
                QTimer::singleShot(0, editor, [editor] {
                    editor->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                });
            }
        }
        return false;
    }
};

void Key(QWidget* widget, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
    QCoreApplication::sendEvent(widget, &press);
}

// Wall time and the GUI thread's own CPU time of each run (the CPU time
// tells the dialog's work from a busy machine's waits).
struct Figure {
    const char* name;
    std::vector<double> ms;
    std::vector<double> cpuMs;

    void measure(const std::function<void()>& work)
    {
        const double cpu = ThreadCpuMs();
        ms.push_back(WallMs(work));
        cpuMs.push_back(ThreadCpuMs() - cpu);
    }
};

} // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);
    // The texts the operator reads, as the program shows them.
    CLanguageCodeTable language(CLanguageCodeTable::LANG_ENGLISH);
    language.SetCulture(&app);

    ScheduleHubRig rig;
    FillHub(rig);
    CScheduleManager user;
    FillSchedules(user);
    CMessageBoxes::SetScript([](const CMessageBoxes::Box&) { return QMessageBox::Ok; });
    AcceptEditors accept;
    app.installEventFilter(&accept);

    std::printf("schedule dialogs, platform %s, %d schedules, %d projectors, %d groups, median of %d runs\n",
                qPrintable(QGuiApplication::platformName()), SCHEDULES, PROJECTORS, GROUPS, RUNS);

    Figure show{ "list dialog, first show", {}, {} };
    Figure remove{ "delete (confirmed), 1000 -> 999", {}, {} };
    Figure add{ "add (editor shown, OK), 999 -> 1000", {}, {} };
    Figure paste{ "paste, 999 -> 1000", {}, {} };
    Figure edit{ "edit (editor shown, OK)", {}, {} };
    for (int run = 0; run < RUNS; ++run) {
        FormSchedule dialog;
        dialog.m_appData = rig.hub();
        dialog.m_ScheduleManager->f_CopyScheduleData(user.f_GetScheduleMap());
        show.measure([&] {
            dialog.show();
            QCoreApplication::processEvents();
        });
        QTreeView* list = dialog.findChild<QTreeView*>(QStringLiteral("lsvSchedule"));
        if (run == 0)
            std::printf("(%d rows listed)\n", list->model()->rowCount());
        list->sortByColumn(FormSchedule::COLUMN_TARGET, Qt::AscendingOrder);
        list->setCurrentIndex(list->model()->index(500, 0));
        QPushButton* deleteButton = dialog.findChild<QPushButton*>(QStringLiteral("btnDelete"));
        QPushButton* addButton = dialog.findChild<QPushButton*>(QStringLiteral("btnNew"));
        QPushButton* editButton = dialog.findChild<QPushButton*>(QStringLiteral("btnEdit"));

        Key(list, Qt::Key_C);
        remove.measure([&] { deleteButton->click(); });
        add.measure([&] { addButton->click(); });
        deleteButton->click();
        paste.measure([&] { Key(list, Qt::Key_V); });
        edit.measure([&] { editButton->click(); });
        if (dialog.m_ScheduleManager->f_GetScheduleMap().size() != SCHEDULES)
            std::printf("unexpected: %d schedules after the operations\n",
                        int(dialog.m_ScheduleManager->f_GetScheduleMap().size()));
        QCoreApplication::processEvents();
    }
    for (const Figure* figure : { &show, &remove, &add, &paste, &edit })
        std::printf("%-40s %7.1f ms, CPU %6.1f ms  (target < 200)\n", figure->name, Median(figure->ms),
                    Median(figure->cpuMs));

    app.removeEventFilter(&accept);
    Figure editor{ "edit dialog, show", {}, {} };
    CScheduleData record(BASE);
    record.TargetType = CScheduleData::TARGET_TYPE::Projector;
    record.TargetName = Address(PROJECTORS - 1);
    for (int run = 0; run < RUNS; ++run) {
        CScheduleData copy(record);
        std::unique_ptr<FormScheduleEdit> dialog;
        editor.measure([&] {
            dialog.reset(new FormScheduleEdit(&user, FormScheduleEdit::EDITMODE::Edit, rig.hub(), QStringLiteral("Edit")));
            dialog->m_ScheduleData = &copy;
            dialog->show();
            QCoreApplication::processEvents();
        });
        if (run == 0)
            std::printf("(%d projectors offered)\n", dialog->findChild<QComboBox*>(QStringLiteral("cmbTargetProjector"))->count());
    }
    std::printf("%-40s %7.1f ms, CPU %6.1f ms  (target < 100)\n", editor.name, Median(editor.ms),
                Median(editor.cpuMs));
    CMessageBoxes::SetScript(nullptr);
    return 0;
}
