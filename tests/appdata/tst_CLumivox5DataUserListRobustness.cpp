#include <QtTest>

#include "ByteMutator.h"
#include "CLumivox5Data.h"
#include "HubTestFolders.h"
#include "UserListExample.h"

namespace {

// A section number at the top of the range, a range entry and group
// numbers out of every range.
const QByteArray VALID = QByteArray(USER_LIST_EXAMPLE)
                         + "[Setting 999]\n"
                           "DeviceType=LAN\n"
                           "LanType=RANGE\n"
                           "Network=10.0.0.1\n"
                           "GroupList=3,,999999999,-1\n";

} // namespace

// Damaged user lists through the hub's load: taken, or refused as unreadable
// (-1) or foreign (-2), never more; what was taken saves again.
class tst_CLumivox5DataUserListRobustness : public QObject
{
    Q_OBJECT
private slots:
    void mutatedLists()
    {
        HubTestFolders folders;
        QVERIFY(folders.isValid());
        folders.writeProfile();
        std::unique_ptr<CLumivox5Data> hub = folders.makeHub();
        QVERIFY(hub->InitializeAfterReadProfile());
        const QString path = hub->GetDefaultUserListPath();
        QVERIFY(HubTestFolders::writeFile(path, VALID));
        QCOMPARE(hub->LoadUserList(), 0);
        QVERIFY(hub->GetProjectorData(1) != nullptr);

        ByteMutator mutator(0x0DE5u);
        for (int i = 0; i < 150; ++i) {
            QByteArray bytes = mutator.MutateLines(VALID);
            if (mutator.Below(5) == 0) // a section number out of every range
                bytes.replace("Setting 004", mutator.Below(2) ? "Setting 4294967297" : "Setting -0002");
            QVERIFY(HubTestFolders::writeFile(path, bytes));
            const int loaded = hub->LoadUserList();
            QVERIFY2(loaded == 0 || loaded == -1 || loaded == -2, qPrintable(QString::number(loaded)));
            if (loaded == 0)
                hub->SaveUserList();
        }
    }
};

QTEST_GUILESS_MAIN(tst_CLumivox5DataUserListRobustness)
#include "tst_CLumivox5DataUserListRobustness.moc"
