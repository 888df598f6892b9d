#include <QtTest>

#include "CBackgroundWriter.h"
#include "CGroupTreeView.h"
#include "CListViewColumnStatus.h"
#include "CProjectorData.h"
#include "CLumivox5Data.h"
#include "COptionSettings.h"
#include "CProjectorTreeView.h"
#include "CSystemClock.h"
#include "CTestFolders.h"
#include "DeviceSettingWindow.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowTestBase.h"
#include "QTreeViewEx.h"
#include "RequestRecorder.h"
#include "ScriptedModalBoxes.h"
#include "ui_Lumivox5Main.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTextCodec>

#include <csignal>
#include <sys/resource.h>

namespace {

const char FILES_USER_LIST_HEAD[] = "[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=Rev.1.0\n";

// Two projectors in "Hall A\Floor 2" (names given), one more outside it.
QByteArray hallUserList(const QString& first = QStringLiteral("Setting1"),
                        const QString& second = QStringLiteral("Setting2"))
{
    // As the program writes it: UTF-16 after its byte-order mark.
    return QTextCodec::codecForName("UTF-16")->fromUnicode(QLatin1String(FILES_USER_LIST_HEAD)
           + QStringLiteral("[Setting 001]\nSettingName=%1\nDeviceType=LAN\nLanType=IP\n"
                            "IPAddress=192.168.0.10\nLanPort=7142\nEnabled=True\nGroupList=2\n"
                            "[Setting 002]\nSettingName=%2\nDeviceType=LAN\nLanType=IP\n"
                            "IPAddress=192.168.0.9\nLanPort=7142\nEnabled=True\nGroupList=2\n"
                            "[Setting 003]\nSettingName=Lobby\nDeviceType=LAN\nLanType=IP\n"
                            "IPAddress=192.168.0.30\nLanPort=7142\nEnabled=True\nGroupList=\n"
                            "[Group]\n001=\"Hall A\"\n002=\"Hall A\\Floor 2\"\n")
                 .arg(first, second));
}

const char IMPORT_USER_LIST[] = "[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=Rev.1.0\n"
                                "[Setting 001]\nSettingName=Imported\nDeviceType=LAN\nLanType=IP\n"
                                "IPAddress=192.168.0.21\nLanPort=7142\nEnabled=True\nGroupList=\n";

// The bytes of a CSV file holding `text`.
QByteArray csvBytes(const QString& text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

// "kind:text" of each box shown.
QStringList boxesShown(const ScriptedMessageBoxes& boxes)
{
    QStringList shown;
    for (const CMessageBoxes::Box& box : boxes.shown) {
        const char* kind = box.icon == QMessageBox::Information ? "information"
                           : box.icon == QMessageBox::Warning   ? "warning"
                           : box.icon == QMessageBox::Critical  ? "critical"
                                                                : "question";
        shown << QStringLiteral("%1:%2").arg(QLatin1String(kind), box.text);
    }
    return shown;
}

const QString CSV_TITLES_DEFAULT = QStringLiteral(
    ",,Setting Name,Setting,Status,Eco Mode,Lamp Used Hours,Filter Used Hours,Input Terminal,MAC Address,Serial No.,\n");

} // namespace

// Records the addresses the desktop would open.
class FilesUrlRecorder : public QObject
{
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

// The File menu's user list, CSV and log entries, and the projector web page.
class tst_Lumivox5MainFiles : public MainWindowTestBase
{
    Q_OBJECT

private:
    FilesUrlRecorder m_Urls;

    Ui_Lumivox5Main* ui() const { return m_Window->ui; }
    CProjectorTreeView* list() const { return m_Window->ui->treeViewPJList; }
    int modelColumn(int key) const { return list()->m_columnIndexByKey.value(key, 0); }
    void start()
    {
        m_Window = m_Fixture->makeWindow();
        QVERIFY(m_Window->m_blnProfileLoaded);
    }
    QModelIndex floor2() const
    {
        QAbstractItemModel* model = ui()->treeViewGroup->model();
        const QModelIndex hall = model->index(0, 0, model->index(CGroupTreeView::ROW_GROUP, 0));
        return model->index(0, 0, hall);
    }
    void selectGroupNode(const QModelIndex& index)
    {
        ui()->treeViewGroup->setCurrentIndex(index);
        ui()->treeViewGroup->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    }
    // Shows only these columns, left to right.
    void showOnly(const QList<int>& keys)
    {
        // The two icon columns keep the first places, as the column chooser leaves them.
        const QList<int> order = QList<int>{0, 1} + keys;
        int next = order.size();
        for (CListViewColumnStatus* status : *hub()->m_pPjListColumnStatus) {
            status->m_Visible = keys.contains(status->m_ID);
            status->m_DisplayIndex = order.contains(status->m_ID) ? order.indexOf(status->m_ID) : next++;
        }
        m_Window->f_UpdatePjListColumn(false);
    }
    // Exports the CSV into `path` as the operator would choose it.
    void exportCsv(const QString& path, ScriptedMessageBoxes& boxes)
    {
        Q_UNUSED(boxes);
        ScriptedFileDialogs files;
        files.answers << CFileDialogs::Answer{path, QString()};
        m_Window->f_Export();
    }

private slots:
    void initTestCase()
    {
        MainWindowTestBase::initTestCase();
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_Urls, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_Urls, "open");
    }
    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }
    void init()
    {
        MainWindowTestBase::init();
        m_Urls.opened.clear();
        CSystemClock::SetNowFunction([] { return QDateTime(QDate(2026, 12, 9), QTime(8, 34, 24)); });
    }
    void cleanup()
    {
        CBackgroundWriter::HoldJobs(false);
        CSystemClock::SetNowFunction(CSystemClock::NowFunction());
        MainWindowTestBase::cleanup();
    }

    void csvContent_data();
    void csvContent();
    void csvFailuresAndCancel_data();
    void csvFailuresAndCancel();
    void importFromTheMenu_data();
    void importFromTheMenu();
    void exportUserList_data();
    void exportUserList();
    void savesWaitForTheBackgroundWrite_data();
    void savesWaitForTheBackgroundWrite();
    void logFolders_data();
    void logFolders();
    void webPage_data();
    void webPage();
};

void tst_Lumivox5MainFiles::csvContent_data()
{
    QTest::addColumn<QByteArray>("userList");
    QTest::addColumn<QString>("group"); // "all", "floor 2" or "none"
    QTest::addColumn<QList<int>>("columns"); // empty: the default layout
    QTest::addColumn<int>("order");         // sort by Setting: 0 ascending, 1 descending
    QTest::addColumn<QString>("expected");

    const QByteArray empty(FILES_USER_LIST_HEAD);
    const QList<int> settingFirst{5, 3};
    QTest::newRow("default layout, empty list, All Projectors")
        << empty << "all" << QList<int>() << 0
        << QStringLiteral("2026/12/09,08:34:24,All Projectors,\n") + CSV_TITLES_DEFAULT;
    QTest::newRow("Floor 2, Setting then Setting Name, ascending")
        << hallUserList() << "floor 2" << settingFirst << 0
        << "2026/12/09,08:34:24,Group\\Hall A\\Floor 2,\nSetting,Setting Name,\n"
           "192.168.0.9,Setting2,\n192.168.0.10,Setting1,\n";
    QTest::newRow("Floor 2, descending") << hallUserList() << "floor 2" << settingFirst << 1
                                         << "2026/12/09,08:34:24,Group\\Hall A\\Floor 2,\nSetting,Setting Name,\n"
                                            "192.168.0.10,Setting1,\n192.168.0.9,Setting2,\n";
    QTest::newRow("separator and quotes quoted, CJK as it is")
        << hallUserList(QStringLiteral("Hall \"A\", left"), QStringLiteral("東ホール")) << "floor 2" << settingFirst
        << 0
        << QStringLiteral("2026/12/09,08:34:24,Group\\Hall A\\Floor 2,\nSetting,Setting Name,\n"
                          "192.168.0.9,東ホール,\n192.168.0.10,\"Hall \"\"A\"\", left\",\n");
    QTest::newRow("no group selected")
        << empty << "none" << QList<int>() << 0 << QStringLiteral("2026/12/09,08:34:24,,\n") + CSV_TITLES_DEFAULT;
}

// The file holds what the list shows, byte for byte.
void tst_Lumivox5MainFiles::csvContent()
{
    QFETCH(QByteArray, userList);
    QFETCH(QString, group);
    QFETCH(QList<int>, columns);
    QFETCH(int, order);
    QFETCH(QString, expected);
    QVERIFY(m_Fixture->writeUserList(userList));
    start();
    if (group == QLatin1String("floor 2"))
        selectGroupNode(floor2());
    else if (group == QLatin1String("none"))
        ui()->treeViewGroup->selectionModel()->clearSelection();
    if (!columns.isEmpty())
        showOnly(columns);
    list()->sortByColumn(modelColumn(5), order == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);

    ScriptedMessageBoxes boxes;
    const QString path = m_Fixture->path(QStringLiteral("out/list.csv"));
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    exportCsv(path, boxes);
    QCOMPARE(boxesShown(boxes), QStringList{"information:CSV File Export has been completed."});
    QVERIFY(boxes.shown.first().modalFlag);
    QVERIFY(!hub()->m_ModalDialog);
    const QByteArray bytes = CTestFolders::readFile(path);
    QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2),
             expected);
    QCOMPARE(bytes, csvBytes(expected));
    if (expected.contains(QStringLiteral("東ホール")))
        QVERIFY(bytes.contains(QByteArray::fromHex("7167DB30FC30EB30")));
    QCOMPARE(hub()->m_PathExportCSV, QFileInfo(path).absolutePath());
}

void tst_Lumivox5MainFiles::csvFailuresAndCancel_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("boxes");
    const QStringList failed{"critical:CSV File Export has been failed."};
    QTest::newRow("cancel") << "cancel" << QStringList();
    QTest::newRow("the folder is a file") << "folder is a file" << failed;
    QTest::newRow("the write fails mid-way") << "file size limit" << failed;
    QTest::newRow("a widened column keeps its width") << "widened"
                                                      << QStringList{"information:CSV File Export has been completed."};
}

// A failed export shows the failure and keeps the old file; the modal flag
// is clear after every path.
void tst_Lumivox5MainFiles::csvFailuresAndCancel()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, boxes);
    QVERIFY(m_Fixture->writeUserList(hallUserList()));
    start();
    const QString folderBefore = hub()->m_PathExportCSV;
    const QString path = m_Fixture->path(QStringLiteral("old.csv"));
    const QByteArray old("old contents");
    QVERIFY(CTestFolders::writeFile(path, old));

    ScriptedMessageBoxes shown;
    ScriptedFileDialogs files;
    if (kind == QLatin1String("folder is a file")) {
        files.answers << CFileDialogs::Answer{path + QStringLiteral("/new.csv"), QString()};
        m_Window->f_Export();
    } else if (kind == QLatin1String("file size limit")) {
        files.answers << CFileDialogs::Answer{path, QString()};
        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit low = before;
        low.rlim_cur = 64;
        auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &low), 0);
        m_Window->f_Export();
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);
    } else if (kind == QLatin1String("widened")) {
        const int column = modelColumn(3);
        list()->header()->resizeSection(column, 177);
        files.answers << CFileDialogs::Answer{path, QString()};
        m_Window->f_Export();
        QCOMPARE(hub()->m_pPjListColumnStatus->value(3)->m_Width, 177);
        QCOMPARE(list()->header()->sectionSize(column), 177);
    } else {
        m_Window->f_Export();
    }
    QCOMPARE(files.asked.size(), 1);
    QCOMPARE(files.asked.first().directory, folderBefore + QStringLiteral("/NewFile.csv"));
    QVERIFY(files.asked.first().modalFlag);
    QCOMPARE(boxesShown(shown), boxes);
    for (const CMessageBoxes::Box& box : qAsConst(shown.shown))
        QVERIFY(box.modalFlag);
    QVERIFY(!hub()->m_ModalDialog);
    if (kind == QLatin1String("widened"))
        QVERIFY(CTestFolders::readFile(path).startsWith(QByteArray("\xFF\xFE", 2)));
    else
        QCOMPARE(CTestFolders::readFile(path), old);
    QCOMPARE(hub()->m_PathExportCSV == folderBefore, kind == QLatin1String("cancel"));
}

void tst_Lumivox5MainFiles::importFromTheMenu_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("names"); // listed after the import
    const QString question = QStringLiteral("question:The existing connection target list will be overwritten by "
                                            "imported data.\nDo you want to proceed?");
    const QStringList kept{"Added", "Lobby", "Setting1", "Setting2"};
    QTest::newRow("Cancel on the question") << "no" << QStringList{question} << QStringList{"Lobby", "Setting1", "Setting2"};
    QTest::newRow("Cancel in the file dialog") << "cancel" << QStringList{question}
                                               << QStringList{"Lobby", "Setting1", "Setting2"};
    QTest::newRow("imported") << "import" << QStringList{question, "information:Projector List Import has been completed."}
                              << QStringList{"Imported"};
    QTest::newRow("a given file, as at start") << "given" << QStringList() << QStringList{"Imported"};
    QTest::newRow("missing file") << "missing"
                                  << QStringList{question, "critical:Projector List Import has been failed."} << kept;
    QTest::newRow("not a user list") << "foreign" << QStringList{question, "critical:The file format is corrupted."}
                                     << kept;
}

// The question, the dialog in the remembered folder, the outcome's box; the
// views are rebuilt whatever the outcome, and only a good import replaces the
// default list and moves the remembered folder.
void tst_Lumivox5MainFiles::importFromTheMenu()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, names);
    QVERIFY(m_Fixture->writeUserList(hallUserList()));
    const QString remembered = m_Fixture->path(QStringLiteral("lists"));
    QVERIFY(QDir().mkpath(remembered));
    m_Fixture->saveSettings([remembered](CLumivox5Data* h) { h->m_PathExportUserList = remembered; });
    start();
    QCOMPARE(hub()->m_PathExportUserList, remembered);
    // Known to the hub but not yet listed: shows up only if the list is rebuilt.
    QVERIFY(hub()->AddProjector(QStringLiteral("Added"), 0, CProjectorData::TYPE_LAN::IP,
                                QStringLiteral("192.168.0.15"), QStringLiteral("7142"), true, QString()));
    const QByteArray defaultBefore = CTestFolders::readFile(m_Fixture->userListPath());

    const QString file = m_Fixture->path(QStringLiteral("elsewhere/chosen.lst"));
    if (kind == QLatin1String("import"))
        QVERIFY(CTestFolders::writeFile(file, IMPORT_USER_LIST));
    else if (kind == QLatin1String("foreign"))
        QVERIFY(CTestFolders::writeFile(file, "[Header Info]\nMagicCode=other\n[Setting 001]\nSettingName=X\n"));
    ScriptedMessageBoxes shown;
    shown.answers << (kind == QLatin1String("no") ? QMessageBox::Cancel : QMessageBox::Ok);
    ScriptedFileDialogs files;
    if (kind != QLatin1String("cancel"))
        files.answers << CFileDialogs::Answer{file, QString()};
    const bool given = kind == QLatin1String("given");
    if (given) {
        QVERIFY(CTestFolders::writeFile(file, IMPORT_USER_LIST));
        QCOMPARE(m_Window->f_ImportUserList(file, false), 0);
    } else {
        m_Window->on_actMenuFileImportPJList_triggered();
        QCOMPARE(shown.shown.first().defaultButton, QMessageBox::Cancel);
    }
    QCOMPARE(boxesShown(shown), boxes);
    for (const CMessageBoxes::Box& box : qAsConst(shown.shown))
        QVERIFY(box.modalFlag);
    QVERIFY(!hub()->m_ModalDialog);
    if (kind == QLatin1String("no") || given) {
        QVERIFY(files.asked.isEmpty());
    } else {
        QCOMPARE(files.asked.size(), 1);
        QCOMPARE(files.asked.first().kind, CFileDialogs::OPEN_FILE);
        QCOMPARE(files.asked.first().directory, remembered + QStringLiteral("/user.lst"));
        QCOMPARE(files.asked.first().filter, QStringLiteral("projector list files(*.lst);;all files(*)"));
    }
    QStringList listed;
    for (int id : list()->GetDispPjDataIDList())
        listed << hub()->GetProjectorData(id)->m_SettingName;
    listed.sort();
    if (kind == QLatin1String("no") || kind == QLatin1String("cancel"))
        listed.removeAll(QStringLiteral("Added"));
    QCOMPARE(listed, names);
    const bool imported = kind == QLatin1String("import");
    QCOMPARE(hub()->m_PathExportUserList, imported ? QFileInfo(file).absolutePath() : remembered);
    const QByteArray defaultAfter = CTestFolders::readFile(m_Fixture->userListPath());
    if (imported || given)
        QVERIFY(QTextCodec::codecForName("UTF-16")->toUnicode(defaultAfter).contains(QLatin1String("Imported")));
    else
        QCOMPARE(defaultAfter, defaultBefore);
}

void tst_Lumivox5MainFiles::exportUserList_data()
{
    QTest::addColumn<QString>("name");      // of the first projector
    QTest::addColumn<bool>("compatible");   // the compatible filter chosen
    QTest::addColumn<QString>("target");    // "" cancel, "bad" unwritable, else a file name
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QByteArray>("holds");  // bytes the written file holds
    QTest::newRow("UTF-16") << "東ホール" << false << "out.lst"
                            << QStringList{"information:Projector List Export has been completed."}
                            << QByteArray::fromHex("7167DB30FC30EB30");
    QTest::newRow("compatible, Shift_JIS holds the name")
        << "東ホール" << true << "old.lst" << QStringList{"information:Projector List Export has been completed."}
        << QByteArray::fromHex("938C837A815B838B");
    QTest::newRow("compatible, a character Shift_JIS lacks")
        << "Hall ☃" << true << "old.lst"
        << QStringList{"warning:Projector List Export has been completed.\nThe character that was not able to be "
                       "converted was replaced with \"?\"."}
        << QByteArray("SettingName=Hall ?");
    QTest::newRow("cannot write") << "Hall" << false << "bad"
                                  << QStringList{"critical:Projector List Export has been failed."} << QByteArray();
    QTest::newRow("cancel") << "Hall" << false << "" << QStringList() << QByteArray();
}

// The default list is saved first; the code page follows the filter; the
// folder is remembered only on success.
void tst_Lumivox5MainFiles::exportUserList()
{
    QFETCH(QString, name);
    QFETCH(bool, compatible);
    QFETCH(QString, target);
    QFETCH(QStringList, boxes);
    QFETCH(QByteArray, holds);
    QVERIFY(m_Fixture->writeUserList(hallUserList()));
    start();
    const QString remembered = hub()->m_PathExportUserList;
    hub()->GetProjectorData(1)->m_SettingName = name;
    const QString folder = m_Fixture->path(QStringLiteral("exports"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(CTestFolders::writeFile(folder + QStringLiteral("/old.lst"), "old"));
    const QString path = target.isEmpty()       ? QString()
                         : target == QLatin1String("bad") ? folder + QStringLiteral("/old.lst/x.lst")
                                                          : folder + QLatin1Char('/') + target;
    ScriptedMessageBoxes shown;
    ScriptedFileDialogs files;
    files.answers << CFileDialogs::Answer{
        path, compatible ? QStringLiteral("Lumivox 4 compatible(*.lst)") : QStringLiteral("projector list files(*.lst)")};
    m_Window->on_actMenuFileExportPJList_triggered();

    QCOMPARE(files.asked.size(), 1);
    QCOMPARE(files.asked.first().kind, CFileDialogs::SAVE_FILE);
    QCOMPARE(files.asked.first().directory, remembered + QStringLiteral("/user.lst"));
    QCOMPARE(files.asked.first().filter,
             QStringLiteral("projector list files(*.lst);;all files(*);;Lumivox 4 compatible(*.lst)"));
    QVERIFY(files.asked.first().modalFlag);
    QCOMPARE(boxesShown(shown), boxes);
    for (const CMessageBoxes::Box& box : qAsConst(shown.shown))
        QVERIFY(box.modalFlag);
    QVERIFY(!hub()->m_ModalDialog);
    const bool saved = !target.isEmpty();
    // The default list was saved before the export, whatever its outcome.
    QCOMPARE(QTextCodec::codecForName("UTF-16")
                 ->toUnicode(CTestFolders::readFile(m_Fixture->userListPath()))
                 .contains(QStringLiteral("SettingName=") + name),
             saved);
    const bool written = saved && target != QLatin1String("bad");
    if (written) {
        const QByteArray bytes = CTestFolders::readFile(path);
        QVERIFY2(bytes.contains(holds), bytes.toHex().constData());
        QCOMPARE(bytes.startsWith(QByteArray("\xFF\xFE", 2)), !compatible);
    }
    QCOMPARE(hub()->m_PathExportUserList, written ? folder : remembered);
}

void tst_Lumivox5MainFiles::savesWaitForTheBackgroundWrite_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("saved"); // SettingName and LastPjName of each projector in the file
    QTest::newRow("Communication Settings OK, a projector deleted")
        << "communication settings" << QStringList{"Setting1 South", "Lobby"};
    QTest::newRow("registration from the LAN search")
        << "registration" << QStringList{"Setting1 South", "Setting2", "Lobby", "Charlie"};
    QTest::newRow("import from the menu") << "import" << QStringList{"Imported"};
    QTest::newRow("export from the menu") << "export" << QStringList{"Setting1 South", "Setting2", "Lobby"};
}

// A status pass's save is still being written (a slow disk holds it) when
// the operator saves, imports or exports the list: the older copy lands
// first, never over what the operation wrote.
void tst_Lumivox5MainFiles::savesWaitForTheBackgroundWrite()
{
    QFETCH(QString, operation);
    QFETCH(QStringList, saved);
    QVERIFY(m_Fixture->writeUserList(hallUserList()));
    start();
    RequestRecorder recorder;
    ScriptedMessageBoxes shown;
    ScriptedFileDialogs files;
    m_Window->m_tmrUpdateDelay->setInterval(10);
    CProjectorData* first = hub()->GetProjectorData(1);
    first->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;

    // The pass renames projector 1; its save is held before it writes.
    CBackgroundWriter::HoldJobs(true);
    const int held = CBackgroundWriter::HeldJobs();
    first->m_Status[CProjectorData::StProjectorName].FromString(QStringLiteral("North"));
    m_Window->OnReceiveUpdateTiming(1, 1, 1, 1);
    QTRY_COMPARE(CBackgroundWriter::HeldJobs(), held + 1);
    CBackgroundWriter::HoldJobs(false);
    // Reported again before the operation saves.
    first->m_Status[CProjectorData::StProjectorName].FromString(QStringLiteral("South"));

    if (operation == QLatin1String("communication settings")) {
        GuiTestSupport::OnNextPopup([](QWidget* widget) {
            auto* dialog = qobject_cast<DeviceSettingWindow*>(widget);
            QVERIFY(dialog);
            auto* view = dialog->findChild<QTreeViewEx*>(QStringLiteral("tvDeviceSettings"));
            const QModelIndexList rows = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole,
                                                              QStringLiteral("Setting2"), 1, Qt::MatchExactly);
            QCOMPARE(rows.size(), 1);
            view->selectionModel()->select(rows.first(),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            QVERIFY(QMetaObject::invokeMethod(dialog, "f_DeleteConnection"));
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        m_Window->ui->actMenuToolCommunication->trigger();
    } else if (operation == QLatin1String("registration")) {
        CProjectorData found(nullptr, 0);
        found.m_SettingName = QStringLiteral("Charlie");
        found.m_Address = QStringLiteral("192.168.0.40");
        found.m_Port = QStringLiteral("7142");
        QMap<int, CProjectorData*> templates{{0, &found}};
        QCOMPARE(m_Window->f_DirectAddProjector(&templates, true), 0);
    } else if (operation == QLatin1String("import")) {
        const QString file = m_Fixture->path(QStringLiteral("elsewhere/chosen.lst"));
        QVERIFY(CTestFolders::writeFile(file, IMPORT_USER_LIST));
        files.answers << CFileDialogs::Answer{file, QString()};
        shown.answers << QMessageBox::Ok;
        m_Window->on_actMenuFileImportPJList_triggered();
    } else {
        files.answers << CFileDialogs::Answer{m_Fixture->path(QStringLiteral("out.lst")), QString()};
        m_Window->on_actMenuFileExportPJList_triggered();
    }

    // The held save writes at the latest as the window goes.
    m_Window.reset();
    QCOMPARE(m_Fixture->savedProjectors({"SettingName", "LastPjName"}), saved);
}

void tst_Lumivox5MainFiles::logFolders_data()
{
    QTest::addColumn<QString>("which");  // "transport" or "schedule"
    QTest::addColumn<QString>("entry");  // "folder", "file" or "missing"
    QTest::newRow("transport folder") << "transport" << "folder";
    QTest::newRow("transport option names a file") << "transport" << "file";
    QTest::newRow("transport folder removed") << "transport" << "missing";
    QTest::newRow("schedule folder removed") << "schedule" << "missing";
}

// An existing folder (or file) is opened; a missing one gives its warning
// and opens nothing.
void tst_Lumivox5MainFiles::logFolders()
{
    QFETCH(QString, which);
    QFETCH(QString, entry);
    const QString path = m_Fixture->path(QStringLiteral("logs/here"));
    if (entry == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (entry == QLatin1String("file"))
        QVERIFY(CTestFolders::writeFile(path, "x"));
    m_Fixture->saveSettings([path](CLumivox5Data* h) {
        h->m_pOptionSettings->m_SaveLog = true;
        h->m_pOptionSettings->m_SaveLogPath = path;
        h->m_pOptionSettings->m_SaveScheduleLog = true;
        h->m_pOptionSettings->m_SaveScheduleLogPath = path;
    });
    start();
    ScriptedMessageBoxes shown;
    if (which == QLatin1String("transport"))
        m_Window->on_actMenuFileShowLogTransport_triggered();
    else
        m_Window->on_actMenuFileShowLogSchedule_triggered();
    if (entry == QLatin1String("missing")) {
        QCOMPARE(boxesShown(shown), QStringList{"warning:The specified path does not exist."});
        QVERIFY(shown.shown.first().modalFlag);
        QVERIFY(m_Urls.opened.isEmpty());
        QVERIFY(!QFileInfo::exists(path));
    } else {
        QVERIFY(shown.shown.isEmpty());
        QCOMPARE(m_Urls.opened, QStringList{QUrl::fromLocalFile(path).toString()});
    }
    QVERIFY(!hub()->m_ModalDialog);
}

void tst_Lumivox5MainFiles::webPage_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QString>("setting"); // written into the Setting cell; "-" leaves it
    QTest::addColumn<QString>("layout");  // "default", "hidden" or "moved"
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<QString>("warning");
    QTest::newRow("one row") << QList<int>{1} << "-" << "default" << QStringList{"http://192.168.0.10/"} << "";
    QTest::newRow("two rows") << QList<int>{1, 2} << "-" << "default" << QStringList() << "";
    QTest::newRow("none") << QList<int>() << "-" << "default" << QStringList() << "";
    QTest::newRow("serial projector") << QList<int>{1} << "---" << "default" << QStringList() << "";
    QTest::newRow("Setting hidden") << QList<int>{2} << "-" << "hidden" << QStringList{"http://192.168.0.9/"} << "";
    QTest::newRow("Setting moved") << QList<int>{2} << "-" << "moved" << QStringList{"http://192.168.0.9/"} << "";
    QTest::newRow("host name") << QList<int>{1} << "pj-hall.local" << "default"
                               << QStringList{"http://pj-hall.local/"} << "";
    QTest::newRow("empty text passed on") << QList<int>{1} << "" << "default" << QStringList{"http:///"} << "";
    const QString notAnAddress = "\"%1\" in the Setting column is not an address a web browser can open.";
    QTest::newRow("host with a port") << QList<int>{1} << "192.168.0.10:8080" << "default" << QStringList()
                                      << notAnAddress.arg("192.168.0.10:8080");
    QTest::newRow("blank in a name") << QList<int>{1} << "proj 1" << "default" << QStringList()
                                     << notAnAddress.arg("proj 1");
    QTest::newRow("IPv6 bracketed") << QList<int>{1} << "fe80::1" << "default"
                                    << QStringList{"http://[fe80::1]/"} << "";
}

// The one selected projector's Setting text, found by its key, is opened
// as a web address; a text that is no host opens nothing and is named in a
// warning.
void tst_Lumivox5MainFiles::webPage()
{
    QFETCH(QList<int>, selected);
    QFETCH(QString, setting);
    QFETCH(QString, layout);
    QFETCH(QStringList, opened);
    QFETCH(QString, warning);
    QVERIFY(m_Fixture->writeUserList(hallUserList()));
    start();
    if (layout == QLatin1String("hidden"))
        showOnly({3, 2});
    else if (layout == QLatin1String("moved"))
        showOnly({3, 7, 5, 2});
    if (setting != QLatin1String("-")) {
        auto* proxy = qobject_cast<QSortFilterProxyModel*>(list()->model());
        auto* source = qobject_cast<QStandardItemModel*>(proxy->sourceModel());
        for (int row = 0; row < source->rowCount(); ++row) {
            if (source->item(row, 0)->data(CProjectorTreeView::ROLE_PJDATA_ID).toInt() == 1)
                source->item(row, modelColumn(5))->setText(setting);
        }
    }
    MainWindowFixture::selectProjectors(m_Window.get(), selected);
    ScriptedMessageBoxes shown;
    m_Window->on_atcMenuPJWeb_triggered();
    QCOMPARE(m_Urls.opened, opened);
    QCOMPARE(shown.shown.size(), warning.isEmpty() ? 0 : 1);
    if (!warning.isEmpty()) {
        QCOMPARE(shown.shown[0].text, warning);
        QCOMPARE(shown.shown[0].icon, QMessageBox::Warning);
    }
    QVERIFY(!hub()->m_ModalDialog);
}

QTEST_MAIN(tst_Lumivox5MainFiles)
#include "tst_Lumivox5MainFiles.moc"
