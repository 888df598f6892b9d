#include <QtTest>

#include "CProjectorData.h"
#include "CScheduleData.h"
#include "CScheduleTarget.h"
#include "ScheduleTestCatalogue.h"

class tst_CScheduleTarget : public QObject
{
    Q_OBJECT

    QMap<int, CProjectorData*> m_Projectors;

    void add(int id, const QString& address, const QStringList& groups, bool enabled = true, int state = 3)
    {
        auto* pj = new CProjectorData(nullptr, id);
        pj->m_Address = address;
        pj->m_Enabled = enabled;
        pj->m_ConnectState = state;
        int n = 1;
        for (const QString& g : groups)
            pj->m_GroupList.insert(n++, g);
        m_Projectors.insert(id, pj);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(InstallEnglishCatalogue());
        add(7, "10.0.0.7", { "Building A\\Hall 1" });
        add(2, "10.0.0.2", { "Building A", "X" });
        add(3, "10.0.0.3", { "Building A\\Hall 1\\Left" });
        add(4, "10.0.0.4", { "Building A\\Hall 1" }, false);
        add(5, "10.0.0.5", { "Building A\\Hall 1" }, true, 2);
        add(9, "10.0.0.9", { "Group\\Building A\\Hall 1" });
        add(11, "10.0.0.7", {});
    }

    void cleanupTestCase() { qDeleteAll(m_Projectors); }

    void targets_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("ids");

        QTest::newRow("all projectors") << 0 << "All Projectors" << QList<int>({ 2, 3, 7, 9, 11 });
        QTest::newRow("group path equal, not prefix") << 0 << "Group\\Building A\\Hall 1" << QList<int>({ 7 });
        QTest::newRow("upper group alone") << 0 << "Group\\Building A" << QList<int>({ 2 });
        QTest::newRow("a group named Group") << 0 << "Group\\Group\\Building A\\Hall 1" << QList<int>({ 9 });
        QTest::newRow("group word in lower case stays") << 0 << "group\\X" << QList<int>();
        QTest::newRow("no such group") << 0 << "Group\\Nowhere" << QList<int>();
        QTest::newRow("projector by address") << 1 << "10.0.0.7" << QList<int>({ 7, 11 });
        QTest::newRow("disabled projector") << 1 << "10.0.0.4" << QList<int>();
        QTest::newRow("model not identified") << 1 << "10.0.0.5" << QList<int>();
        QTest::newRow("address under another type") << 2 << "10.0.0.2" << QList<int>({ 2 });
    }

    void targets()
    {
        QFETCH(int, type);
        QFETCH(QString, name);
        QFETCH(QList<int>, ids);
        CScheduleData d(QDateTime(QDate(2024, 3, 13), QTime(10, 0)));
        d.TargetType = type;
        d.TargetName = name;
        QCOMPARE(CScheduleTarget::f_GetTargetProjectors(d, m_Projectors), ids);
    }

    void groupPath_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        QTest::newRow("a group named Group") << "Group\\Group\\X" << "Group\\X";
        QTest::newRow("Group further down") << "Group\\A\\Group\\B" << "A\\Group\\B";
        QTest::newRow("no leading group word") << "A\\B" << "A\\B";
    }

    void groupPath()
    {
        QFETCH(QString, target);
        QFETCH(QString, path);
        QCOMPARE(CScheduleTarget::f_GetGroupPath(target), path);
    }
};

QTEST_GUILESS_MAIN(tst_CScheduleTarget)
#include "tst_CScheduleTarget.moc"
