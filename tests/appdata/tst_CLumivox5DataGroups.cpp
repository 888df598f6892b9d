#include <QtTest>

#include "CLumivox5Data.h"
#include "HubTestFolders.h"

// Group operations of the data hub: ids, renames and deletions along paths,
// pastes with their limits, and the membership kept on both sides.
class tst_CLumivox5DataGroups : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void idsHandedOutLowestFirstAndDeletedIdReused();
    void allIdsLiveRefusesCreate();
    void renameRewritesSubtreeAndMembers();
    void renameRefusesEmptyNames();
    void deleteRemovesSubtreeOnBothSides();
    void pasteAddsOnBothSidesOnce();
    void pasteRefusals_data();
    void pasteRefusals();
    void deleteProjectorFromGroup();
    void groupListText_data();
    void groupListText();
    void groupListStringAscending();
    void outOfRangeGroupIdIgnored();

private:
    // Checks that every group's members and every record's groups agree.
    void verifyBothSides();
    CProjectorGroup* group(int id);

    std::unique_ptr<HubTestFolders> m_Folders;
    std::unique_ptr<CLumivox5Data> m_Hub;
};

void tst_CLumivox5DataGroups::init()
{
    m_Folders.reset(new HubTestFolders);
    QVERIFY(m_Folders->isValid());
    m_Folders->writeProfile();
    m_Hub = m_Folders->makeHub();
    QVERIFY(m_Hub->InitializeAfterReadProfile());
    for (int i = 0; i < 12; ++i)
        QVERIFY(m_Hub->AddProjector(QString(), 0, CProjectorData::TYPE_LAN::IP, "10.0.0.1", "7142", true, QString()));
}

void tst_CLumivox5DataGroups::cleanup()
{
    m_Hub.reset();
    m_Folders.reset();
}

CProjectorGroup* tst_CLumivox5DataGroups::group(int id)
{
    for (CProjectorGroup* g : *m_Hub->m_ProjectorGroups) {
        if (g->m_GroupID == id)
            return g;
    }
    return nullptr;
}

void tst_CLumivox5DataGroups::verifyBothSides()
{
    for (CProjectorGroup* g : *m_Hub->m_ProjectorGroups) {
        for (int projectorId : g->m_Projectors->keys()) {
            CProjectorData* record = m_Hub->GetProjectorData(projectorId);
            QVERIFY(record);
            QCOMPARE(record->m_GroupList.value(g->m_GroupID), g->m_GroupPath);
        }
    }
    for (int projectorId : m_Hub->GetProjectorDataIDList(false)) {
        CProjectorData* record = m_Hub->GetProjectorData(projectorId);
        for (auto it = record->m_GroupList.cbegin(); it != record->m_GroupList.cend(); ++it) {
            CProjectorGroup* g = group(it.key());
            QVERIFY(g);
            QVERIFY(g->m_Projectors->contains(projectorId));
            QCOMPARE(it.value(), g->m_GroupPath);
        }
    }
}

void tst_CLumivox5DataGroups::idsHandedOutLowestFirstAndDeletedIdReused()
{
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("A"), 1);
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("B"), 2);
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("C"), 3);
    CProjectorGroup* second = group(2);
    QCOMPARE(m_Hub->UpdateGroupDataAtDeleteGroup("B"), 0);
    QCOMPARE(second->m_EditMode, CProjectorGroup::EditDelete);
    QVERIFY(second->m_GroupPath.isEmpty());
    QCOMPARE(m_Hub->m_ProjectorGroups->size(), 3);

    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("D"), 2);
    QCOMPARE(m_Hub->m_ProjectorGroups->size(), 3); // the blank object came back
    QCOMPARE(group(2), second);
    QCOMPARE(second->m_GroupPath, QString("D"));
    QCOMPARE(second->m_EditMode, CProjectorGroup::EditCreate);
    QCOMPARE(m_Hub->m_GroupIDUsedList->at(1), int(CProjectorGroup::EditCreate));
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("E"), 4);
}

void tst_CLumivox5DataGroups::allIdsLiveRefusesCreate()
{
    for (int i = 1; i <= 256; ++i)
        QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup(QString("G%1").arg(i)), i);
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("More"), -1);
    QCOMPARE(m_Hub->m_ProjectorGroups->size(), 256);
}

void tst_CLumivox5DataGroups::renameRewritesSubtreeAndMembers()
{
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("A"), 1);
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("A\\B"), 2);
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("A\\B\\C"), 3);
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("AB"), 4);
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("A\\BX"), 5);
    m_Hub->m_PasteProjectorIDs = {1, 2};
    QCOMPARE(m_Hub->UpdateGroupDataAtPasteProjector("A\\B\\C"), 0);
    QCOMPARE(m_Hub->UpdateGroupDataAtPasteProjector("AB"), 0);
    m_Hub->GetProjectorData(1)->m_GroupsChanged = false;

    QCOMPARE(m_Hub->UpdateGroupDataAtChangeGroupName("N", "A\\B"), 0);
    QCOMPARE(group(1)->m_GroupPath, QString("A"));
    QCOMPARE(group(2)->m_GroupPath, QString("A\\N"));
    QCOMPARE(group(3)->m_GroupPath, QString("A\\N\\C"));
    QCOMPARE(group(5)->m_GroupPath, QString("A\\BX"));
    QCOMPARE(group(2)->m_EditMode, CProjectorGroup::EditRename);
    QCOMPARE(group(5)->m_EditMode, CProjectorGroup::EditCreate);

    QCOMPARE(m_Hub->UpdateGroupDataAtChangeGroupName("Z", "A"), 0);
    QCOMPARE(group(1)->m_GroupPath, QString("Z"));
    QCOMPARE(group(3)->m_GroupPath, QString("Z\\N\\C"));
    QCOMPARE(group(4)->m_GroupPath, QString("AB"));
    QCOMPARE(m_Hub->GetProjectorData(1)->m_GroupList.value(3), QString("Z\\N\\C"));
    QCOMPARE(m_Hub->GetProjectorData(1)->m_GroupList.value(4), QString("AB"));
    QVERIFY(m_Hub->GetProjectorData(1)->m_GroupsChanged);
    verifyBothSides();

    QCOMPARE(m_Hub->UpdateGroupDataAtChangeGroupName("Q", "Nowhere"), -1);
}

void tst_CLumivox5DataGroups::renameRefusesEmptyNames()
{
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("A"), 1);
    QCOMPARE(m_Hub->UpdateGroupDataAtChangeGroupName(QString(), "A"), -1);
    QCOMPARE(m_Hub->UpdateGroupDataAtChangeGroupName("B", QString()), -1);
    QCOMPARE(group(1)->m_GroupPath, QString("A"));
    QCOMPARE(group(1)->m_EditMode, CProjectorGroup::EditCreate);
}

void tst_CLumivox5DataGroups::deleteRemovesSubtreeOnBothSides()
{
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("A"), 1);
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("A\\B"), 2);
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("AB"), 3);
    m_Hub->m_PasteProjectorIDs = {3, 4};
    QCOMPARE(m_Hub->UpdateGroupDataAtPasteProjector("A\\B"), 0);
    QCOMPARE(m_Hub->UpdateGroupDataAtPasteProjector("AB"), 0);
    QCOMPARE(m_Hub->UpdateGroupDataAtPasteProjector("A"), 0);

    QCOMPARE(m_Hub->UpdateGroupDataAtDeleteGroup("A"), 0);
    QCOMPARE(m_Hub->m_ProjectorGroups->size(), 3);
    for (int id : {1, 2}) {
        QVERIFY(group(id)->m_GroupPath.isEmpty());
        QVERIFY(group(id)->m_Projectors->isEmpty());
        QVERIFY(!group(id)->m_InTree);
        QCOMPARE(m_Hub->m_GroupIDUsedList->at(id - 1), int(CProjectorGroup::EditDelete));
    }
    QCOMPARE(m_Hub->GetProjectorData(3)->m_GroupList.keys(), QList<int>({3}));
    QCOMPARE(m_Hub->GetProjectorData(4)->m_GroupList.keys(), QList<int>({3}));
    verifyBothSides();
    QCOMPARE(m_Hub->UpdateGroupDataAtDeleteGroup("Nowhere"), -1);
}

void tst_CLumivox5DataGroups::pasteAddsOnBothSidesOnce()
{
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("A"), 1);
    m_Hub->m_PasteProjectorIDs = {5, 6};
    QCOMPARE(m_Hub->UpdateGroupDataAtPasteProjector("A"), 0);
    QCOMPARE(m_Hub->UpdateGroupDataAtPasteProjector("A"), 0);
    QCOMPARE(group(1)->m_Projectors->keys(), QList<qint32>({5, 6}));
    QCOMPARE(m_Hub->GetProjectorData(5)->m_GroupList.size(), 1);
    verifyBothSides();

    m_Hub->m_PasteProjectorIDs.clear();
    QCOMPARE(m_Hub->UpdateGroupDataAtPasteProjector("A"), 0);
}

void tst_CLumivox5DataGroups::pasteRefusals_data()
{
    QTest::addColumn<QList<int>>("paste");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("result");
    QTest::newRow("member of ten groups") << QList<int>({1, 2}) << "G11" << -3;
    QTest::newRow("missing projector") << QList<int>({2, 99}) << "G11" << -2;
    QTest::newRow("no such path") << QList<int>({2}) << "Nowhere" << -1;
}

void tst_CLumivox5DataGroups::pasteRefusals()
{
    QFETCH(QList<int>, paste);
    QFETCH(QString, path);
    QFETCH(int, result);
    for (int i = 1; i <= 11; ++i)
        QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup(QString("G%1").arg(i)), i);
    m_Hub->m_PasteProjectorIDs = {1};
    for (int i = 1; i <= 10; ++i)
        QCOMPARE(m_Hub->UpdateGroupDataAtPasteProjector(QString("G%1").arg(i)), 0);

    m_Hub->m_PasteProjectorIDs = paste;
    QCOMPARE(m_Hub->UpdateGroupDataAtPasteProjector(path), result);
    QCOMPARE(m_Hub->GetProjectorData(1)->m_GroupList.size(), 10);
    QVERIFY(m_Hub->GetProjectorData(2)->m_GroupList.isEmpty());
    QVERIFY(group(11)->m_Projectors->isEmpty());
}

void tst_CLumivox5DataGroups::deleteProjectorFromGroup()
{
    QCOMPARE(m_Hub->UpdateGroupDataAtCreateGroup("A"), 1);
    m_Hub->m_PasteProjectorIDs = {7, 8};
    QCOMPARE(m_Hub->UpdateGroupDataAtPasteProjector("A"), 0);
    QCOMPARE(m_Hub->UpdateGroupDataAtDeleteProjector("A", 7), 0);
    QCOMPARE(group(1)->m_Projectors->keys(), QList<qint32>({8}));
    QVERIFY(m_Hub->GetProjectorData(7)->m_GroupList.isEmpty());
    QCOMPARE(m_Hub->UpdateGroupDataAtDeleteProjector("B", 8), -1);
    QCOMPARE(m_Hub->f_AddRegisteredProjector(8, 1), -2);
    QCOMPARE(m_Hub->f_AddRegisteredProjector(8, 9), -1);
    QCOMPARE(m_Hub->f_DeleteRegisteredProjector(100, 1), 0);
    QCOMPARE(m_Hub->f_DeleteRegisteredProjector(8, 9), -1);
    verifyBothSides();
}

void tst_CLumivox5DataGroups::groupListText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("ids");
    QTest::newRow("empty") << "" << QList<int>();
    QTest::newRow("unsorted with empty part") << "7,3,,12" << QList<int>({0, 3, 7, 12});
    QTest::newRow("first ten of twelve") << "12,11,10,9,8,7,6,5,4,3,2,1" << QList<int>({3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    QTest::newRow("not a number") << "x,5" << QList<int>({0, 5});
}

void tst_CLumivox5DataGroups::groupListText()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, ids);
    QList<int> result = {99};
    QCOMPARE(m_Hub->GroupListGet(text, &result), 0);
    QCOMPARE(result, ids);
}

void tst_CLumivox5DataGroups::groupListStringAscending()
{
    QMap<int, QString> groups;
    groups.insert(12, "L");
    groups.insert(3, "C");
    groups.insert(7, "G");
    QString text("stale");
    m_Hub->f_GetGroupListString(&groups, text);
    QCOMPARE(text, QString("3,7,12"));
    groups.clear();
    m_Hub->f_GetGroupListString(&groups, text);
    QCOMPARE(text, QString(""));
}

void tst_CLumivox5DataGroups::outOfRangeGroupIdIgnored()
{
    m_Hub->f_AddProjectorGroups("Zero", 0);
    m_Hub->f_AddProjectorGroups("Big", 257);
    QVERIFY(m_Hub->m_ProjectorGroups->isEmpty());
    QCOMPARE(m_Hub->m_GroupIDUsedList->size(), 256);
}

QTEST_GUILESS_MAIN(tst_CLumivox5DataGroups)
#include "tst_CLumivox5DataGroups.moc"
