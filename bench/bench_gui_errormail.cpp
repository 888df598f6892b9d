// Error mails in the status pass: 2000 listed projectors report one new error
// each, then three new ones each on top of it. The pass composes every mail
// and hands it to the dispatcher, which queues it with the mail sender (the
// event loop does not run meanwhile, so none is sent). Printed: the pass with
// mails against the same pass with error mails off, and the heap each queued
// mail takes. A pass normally writes its rows a slice per turn of the event
// loop and mails once the rows are written; here each pass is written whole
// in one call, so that its mails are all queued when they are counted and
// its time is the pass's whole work. Each time is given as wall time and as
// the GUI thread's CPU time, which a busy machine disturbs less. Runs
// offscreen unless QT_QPA_PLATFORM says otherwise.
#include <cstdio>
#include <limits>
#include <memory>
#include <vector>

#include "BenchWindow.h"
#include "CDataFunctions.h"
#include "CLumivox5Data.h"
#include "CMailSettings.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CSMTPSend.h"
#include "FleetHeap.h"
#include "ProcessFigures.h"
#include "ProfileFlag.h"

namespace {

const int FLEET = 2000;
const int RUNS = 5;
// Error bits of a lamp model: lamp cover, temperature, fan, lamp.
const quint32 COVER = 1u << 0;
const quint32 TEMPERATURE = 1u << 1;
const quint32 FAN = 1u << 3;
const quint32 LAMP = 1u << 6;

// A pass's wall and CPU time in milliseconds.
struct Timing
{
    double wallMs = 0;
    double cpuMs = 0;
};

struct RunFigures
{
    Timing withoutMail;
    Timing oneEach;
    Timing threeEach;
    int oneEachMails = 0;
    int threeEachMails = 0;
    double bytesPerMail = 0;
};

int Queued(Lumivox5Main* window)
{
    return window->m_DataThread->GetSMTPSend()->GetPendingRequests().size();
}

// Every projector reports; the pass that takes the reports, timed.
Timing Pass(Lumivox5Main* window, const QList<int>& ids)
{
    for (int id : ids)
        window->OnReceiveUpdateTiming(1, 1, 1, id);
    Timing timing;
    const double cpuBefore = ThreadCpuMs();
    timing.wallMs = WallMs([&] { window->OnTimerUpdateDelay(); });
    timing.cpuMs = ThreadCpuMs() - cpuBefore;
    return timing;
}

RunFigures Run(CProfile* profile)
{
    RunFigures figures;
    std::unique_ptr<Lumivox5Main> window = NewMainWindow();
    QCoreApplication::processEvents();
    // No slice ends before every row is written: the pass, mails included,
    // runs to its end in one call.
    window->m_PassSliceNs = std::numeric_limits<qint64>::max();
    CLumivox5Data* hub = window->m_Lumivox5Data;
    const QList<int> ids = hub->GetProjectorDataIDList(false);
    const auto setErrors = [&](quint32 wordA) {
        for (int id : ids)
            hub->GetProjectorData(id)->m_Status[CProjectorData::StErrorWordA].FromULong(wordA);
    };
    for (int id : ids) {
        CProjectorData* record = hub->GetProjectorData(id);
        record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
        record->m_Profile = profile;
        record->m_Status[CProjectorData::StProjectorName].FromString(QStringLiteral("Hall %1").arg(id));
        record->m_Status[CProjectorData::StLamp1Info].FromUChar(0);
        record->m_Status[CProjectorData::StLamp1Usage].FromLong(3600 * (100 + id));
    }
    CMailSettings& mail = *hub->m_pMailSettings;
    mail.m_Recipients = QList<QString>{QStringLiteral("ops@example.org"), QStringLiteral("desk@example.org")};
    mail.m_Comment = QStringLiteral("Hall projectors, call the facility desk on 4711.");
    mail.m_SMTPServer = QStringLiteral("127.0.0.1");
    mail.m_Sender = QStringLiteral("lumivox@example.org");

    // The rows take the reports once; then the same pass without error mails.
    setErrors(LAMP);
    mail.m_Enabled = false;
    Pass(window.get(), ids);
    figures.withoutMail = Pass(window.get(), ids);

    mail.m_Enabled = true;
    const size_t heapBefore = HeapInUse();
    figures.oneEach = Pass(window.get(), ids);
    figures.bytesPerMail = double(HeapInUse() - heapBefore) / qMax(1, Queued(window.get()));
    figures.oneEachMails = Queued(window.get());

    setErrors(LAMP | COVER | TEMPERATURE | FAN);
    figures.threeEach = Pass(window.get(), ids);
    figures.threeEachMails = Queued(window.get()) - figures.oneEachMails;
    // The window goes with its mails unsent.
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    StartAsFleetProgram(argv); // as the program does
    BenchApplication app(argc, argv);
    CTestFolders folders;
    if (!PrepareWindowFleet(folders, FLEET))
        return 1;
    // A one-lamp model that reports its name.
    CProfile profile;
    for (bool& flag : profile.m_Flags)
        flag = false;
    profile.m_Flags[ProfileFlag::ReqProjectorName] = true;

    // Wall and CPU times of the three passes, and the heap per mail.
    std::vector<double> wall[3], cpu[3], bytes;
    int oneMails = 0;
    int threeMails = 0;
    for (int run = 0; run < RUNS; ++run) {
        const RunFigures figures = Run(&profile);
        const Timing* timings[3] = {&figures.withoutMail, &figures.oneEach, &figures.threeEach};
        for (int pass = 0; pass < 3; ++pass) {
            wall[pass].push_back(timings[pass]->wallMs);
            cpu[pass].push_back(timings[pass]->cpuMs);
        }
        bytes.push_back(figures.bytesPerMail);
        oneMails = figures.oneEachMails;
        threeMails = figures.threeEachMails;
    }
    std::printf("Error mails in the status pass over %d listed projectors, each pass written whole in one call, "
                "median of %d runs (wall / GUI thread CPU)\n",
                FLEET, RUNS);
    std::printf("  pass without error mails   %8.1f / %8.1f ms\n", Median(wall[0]), Median(cpu[0]));
    const char* const names[] = {nullptr, "one new error each   ", "three new errors each"};
    const int mails[] = {0, oneMails, threeMails};
    const int targets[] = {0, 100, 300};
    for (int pass = 1; pass < 3; ++pass)
        std::printf("  %s      %8.1f / %8.1f ms   (%d mails: %.1f / %.1f ms on top, target < %d ms)\n", names[pass],
                    Median(wall[pass]), Median(cpu[pass]), mails[pass], Median(wall[pass]) - Median(wall[0]),
                    Median(cpu[pass]) - Median(cpu[0]), targets[pass]);
    std::printf("  heap per queued mail       %8.0f bytes\n", Median(bytes));
    return oneMails == FLEET && threeMails == 3 * FLEET ? 0 : 1;
}
