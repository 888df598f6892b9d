#include <QtTest>

#include "AppPaths.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Reg.h"
#include "CMailSettings.h"
#include "CNoOperatingDate.h"
#include "COptionSettings.h"
#include "CPlistSettingsFormat.h"
#include "CTestFolders.h"

namespace {

typedef CLumivox5Reg R;

// Fills the store's column layout with the built-in table.
void useDefaultColumns(CLumivox5Reg& reg)
{
    CListViewColumnStatus::ColumnMap columns;
    CListViewColumnStatus::f_MakePjListColumns(&columns);
    reg.SetPjListColumnStatus(columns);
    CListViewColumnStatus::DeleteColumns(&columns);
}

QByteArray fileBytes()
{
    QFile file(CLumivox5Reg::SettingsFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file as another program sees it: every key with its stored value.
QVariantMap fileContent()
{
    QSettings settings(CLumivox5Reg::SettingsFilePath(), CPlistSettingsFormat::Format());
    QVariantMap content;
    for (const QString& key : settings.allKeys())
        content.insert(key, settings.value(key));
    return content;
}

QString key(const QString& group, const QString& name)
{
    return group + QLatin1Char('/') + name;
}

// Writes keys into the file the way another writer would.
void putRaw(const QString& group, const QString& name, const QVariant& value)
{
    QSettings settings(CLumivox5Reg::SettingsFilePath(), CPlistSettingsFormat::Format());
    settings.setValue(key(group, name), value);
}

QStringList groupsIn(const QVariantMap& content)
{
    QStringList groups;
    const QStringList all = { R::APPREG_KEY_OPTION, R::APPREG_KEY_PATH, R::APPREG_KEY_POSITION,
                              R::APPREG_KEY_VIEWOPTION, R::APPREG_KEY_VIEWPJLIST, R::APPREG_KEY_MAIL,
                              R::APPREG_KEY_SCHEDULE, R::APPREG_KEY_OFFLINE_MODE, R::APPREG_KEY_START_APPDATA };
    for (const QString& group : all) {
        for (auto it = content.constBegin(); it != content.constEnd(); ++it) {
            if (it.key().startsWith(group + QLatin1Char('/'))
                && it.key() != key(R::APPREG_KEY_SCHEDULE, R::APPREG_NAME_AUTOEXECUTESCHEDULE)) {
                groups.append(group.mid(R::APPREG_KEY_BASEPATH.size()));
                break;
            }
        }
    }
    return groups;
}

// A record with every member away from its initial value.
void fillRecord(CLumivox5Reg& reg)
{
    reg.m_PathExportCSV = QStringLiteral("/exports/list.csv");
    reg.m_PathExportUserList = QStringLiteral("/exports/users.lst");
    reg.m_MainX = -20;
    reg.m_MainY = 30;
    reg.m_MainWidth = 1024;
    reg.m_MainHeight = 700;
    reg.m_MainTabVisible = false;
    reg.m_OfflineMenu = true;
    reg.m_Offline = true;
    reg.m_PjListSortID = 8;
    reg.m_PjListSortAssending = false;
    reg.m_ScheduleFilePath = QStringLiteral("/schedules/My.scd");
    reg.m_AutoExecuteSchedule = true;

    CMailSettings& mail = *reg.m_pMailSettings;
    mail.m_Recipients = QList<QString>() << "a@example.org" << "b@example.org" << "c@example.org";
    mail.m_Comment = QStringLiteral("line 1\nline 2");
    mail.m_Enabled = true;
    mail.m_SMTPServer = QStringLiteral("smtp.example.org");
    mail.m_POP3Server = QStringLiteral("pop.example.org");
    mail.m_User = QStringLiteral("operator");
    mail.m_Pass = QStringLiteral("s3cret & <pass>");
    mail.m_Sender = QStringLiteral("lumivox@example.org");
    mail.m_Authority = 2;
    mail.m_SMTPOverSSL = true;

    COptionSettings& option = *reg.m_pOptionSettings;
    option.m_Resident = true;
    option.m_SaveLog = true;
    option.m_AutoUpdate = true;
    option.m_SaveLogPath = QStringLiteral("/logs/comm");
    option.m_AutoUpdateInterval = 45;
    option.m_SaveScheduleLog = true;
    option.m_SaveScheduleLogPath = QStringLiteral("/logs/schedule");
    option.m_Import = true;
    option.m_ImportPath = QStringLiteral("/import/user.lst");
    option.m_SaveEventLog = true;
    option.m_SaveEventLogPath = QStringLiteral("/logs/events");

    reg.m_pNoOperatingDate->Add(0);
    reg.m_pNoOperatingDate->Add(9000);
    reg.m_pNoOperatingDate->Add(R::NO_OPERATING_DAYS - 1);

    reg.m_pStartAppList->append(QStringList{ "Editor", "/usr/bin/editor", "--new" });
    reg.m_pStartAppList->append(QStringList{ "Viewer", "/usr/bin/viewer", "" });

    CListViewColumnStatus* column = reg.m_pPjListColumnStatus->value(5);
    column->m_Visible = false;
    column->m_DisplayIndex = 200;
    column->m_Width = 0x01020304;
    reg.m_pPjListColumnStatus->value(2)->m_Visible = true;
    reg.m_pPjListColumnStatus->value(24)->m_DisplayIndex = -1;
    reg.m_pPjListColumnStatus->value(24)->m_Width = -5;
}

} // namespace

class tst_CLumivox5Reg : public QObject
{
    Q_OBJECT
private:
    QScopedPointer<CTestFolders> m_Folders;

private slots:
    void init()
    {
        // A new folder per test: QSettings caches files by name.
        m_Folders.reset(new CTestFolders);
        QVERIFY(m_Folders->isValid());
    }

    void cleanup() { m_Folders.reset(); }

    void fileLiesInTheProgramFolder()
    {
        QCOMPARE(R::SettingsFilePath(), m_Folders->programFolder() + "/Lumivox 5.plist");
        QCOMPARE(R::APPREG_KEY_MAIL, QStringLiteral("Software/Corvex Projector User Fennick/Lumivox5/Mail"));
        QCOMPARE(R::APPREG_KEY_VIEWPJLIST,
                 QStringLiteral("Software/Corvex Projector User Fennick/Lumivox5/View/PJList"));
    }

    void noFileKeepsTheInitialValues()
    {
        CLumivox5Reg reg;
        useDefaultColumns(reg);
        QCOMPARE(reg.Read(), false);
        QCOMPARE(reg.GetFileStatus(), QSettings::NoError);
        QVERIFY(!QFileInfo::exists(R::SettingsFilePath()));

        QVERIFY(reg.m_PathExportCSV.isEmpty() && reg.m_PathExportUserList.isEmpty());
        QCOMPARE(reg.m_PositionValid, false);
        QCOMPARE(reg.m_SizeValid, false);
        QCOMPARE(reg.m_PainValid, false);
        QCOMPARE(reg.m_ScheduleVisible, true);
        QCOMPARE(reg.m_MainTabVisible, true);
        QCOMPARE(reg.m_OfflineMenu, false);
        QCOMPARE(reg.m_Offline, false);
        QCOMPARE(reg.m_PjListSortID, 3);
        QCOMPARE(reg.m_PjListSortAssending, true);
        QCOMPARE(reg.m_AutoExecuteSchedule, false);
        QVERIFY(reg.m_ScheduleFilePath.isEmpty());
        QVERIFY(reg.m_pStartAppList->isEmpty());
        // Not three empty entries: the list is rebuilt from the keys present.
        QVERIFY(reg.m_pMailSettings->m_Recipients.isEmpty());
        QCOMPARE(reg.m_pMailSettings->m_Enabled, false);
        QCOMPARE(reg.m_pOptionSettings->m_AutoUpdateInterval, 10);
        QCOMPARE(reg.m_pOptionSettings->m_SaveEventLogPath, m_Folders->homeFolder() + "/Application Data/");
        QCOMPARE(reg.m_pNoOperatingDate->IsNoOperatingDate(0), false);
        QCOMPARE(reg.m_pPjListColumnStatus->value(2)->m_Visible, false);
        QCOMPARE(reg.m_pPjListColumnStatus->value(2)->m_Width, 131);
    }

    void everyGroupRoundTrips()
    {
        {
            CLumivox5Reg reg;
            useDefaultColumns(reg);
            fillRecord(reg);
            QCOMPARE(reg.Write(R::REG_ALL), false);
            QCOMPARE(reg.GetFileStatus(), QSettings::NoError);
        }
        CLumivox5Reg reg;
        useDefaultColumns(reg);
        reg.Read();

        QCOMPARE(reg.m_PathExportCSV, QStringLiteral("/exports/list.csv"));
        QCOMPARE(reg.m_PathExportUserList, QStringLiteral("/exports/users.lst"));
        QCOMPARE(reg.m_MainX, -20);
        QCOMPARE(reg.m_MainY, 30);
        QCOMPARE(reg.m_MainWidth, 1024);
        QCOMPARE(reg.m_MainHeight, 700);
        QCOMPARE(reg.m_PositionValid, true);
        QCOMPARE(reg.m_SizeValid, true);
        QCOMPARE(reg.m_PainValid, false);     // pane sizes are never written
        QCOMPARE(reg.m_MainTabVisible, false);
        QCOMPARE(reg.m_OfflineMenu, true);
        QCOMPARE(reg.m_Offline, true);
        QCOMPARE(reg.m_PjListSortID, 8);
        QCOMPARE(reg.m_PjListSortAssending, false);
        QCOMPARE(reg.m_ScheduleFilePath, QStringLiteral("/schedules/My.scd"));
        QCOMPARE(reg.m_AutoExecuteSchedule, false);   // written only by 0x200

        const CMailSettings& mail = *reg.m_pMailSettings;
        QCOMPARE(mail.m_Recipients, (QList<QString>() << "a@example.org" << "b@example.org" << "c@example.org"));
        QCOMPARE(mail.m_Comment, QStringLiteral("line 1\nline 2"));
        QCOMPARE(mail.m_Enabled, true);
        QCOMPARE(mail.m_SMTPServer, QStringLiteral("smtp.example.org"));
        QCOMPARE(mail.m_POP3Server, QStringLiteral("pop.example.org"));
        QCOMPARE(mail.m_User, QStringLiteral("operator"));
        QCOMPARE(mail.m_Pass, QStringLiteral("s3cret & <pass>"));
        QCOMPARE(mail.m_Sender, QStringLiteral("lumivox@example.org"));
        QCOMPARE(mail.m_Authority, 2);
        QCOMPARE(mail.m_SMTPOverSSL, true);

        const COptionSettings& option = *reg.m_pOptionSettings;
        QCOMPARE(option.m_Resident, false);           // written, never read
        QCOMPARE(option.m_SaveLog, true);
        QCOMPARE(option.m_AutoUpdate, true);
        QCOMPARE(option.m_SaveLogPath, QStringLiteral("/logs/comm"));
        QCOMPARE(option.m_AutoUpdateInterval, 45);
        QCOMPARE(option.m_SaveScheduleLog, true);
        QCOMPARE(option.m_SaveScheduleLogPath, QStringLiteral("/logs/schedule"));
        QCOMPARE(option.m_Import, true);
        QCOMPARE(option.m_ImportPath, QStringLiteral("/import/user.lst"));
        QCOMPARE(option.m_SaveEventLog, true);
        QCOMPARE(option.m_SaveEventLogPath, QStringLiteral("/logs/events"));

        QVERIFY(reg.m_pNoOperatingDate->IsNoOperatingDate(0));
        QVERIFY(reg.m_pNoOperatingDate->IsNoOperatingDate(9000));
        QVERIFY(reg.m_pNoOperatingDate->IsNoOperatingDate(R::NO_OPERATING_DAYS - 1));
        QVERIFY(!reg.m_pNoOperatingDate->IsNoOperatingDate(1));
        QVERIFY(!reg.m_pNoOperatingDate->IsNoOperatingDate(8999));

        QCOMPARE(*reg.m_pStartAppList, (QList<QStringList>{ { "Editor", "/usr/bin/editor", "--new" },
                                                            { "Viewer", "/usr/bin/viewer", "" } }));

        const CListViewColumnStatus* five = reg.m_pPjListColumnStatus->value(5);
        QCOMPARE(five->m_Visible, false);
        QCOMPARE(five->m_DisplayIndex, -56);          // 200 as a signed byte
        QCOMPARE(five->m_Width, 0x01020304);
        QCOMPARE(reg.m_pPjListColumnStatus->value(2)->m_Visible, true);
        QCOMPARE(reg.m_pPjListColumnStatus->value(24)->m_DisplayIndex, -1);
        QCOMPARE(reg.m_pPjListColumnStatus->value(24)->m_Width, -5);
        QCOMPARE(reg.m_pPjListColumnStatus->value(0)->m_Width, 28);
        // Titles are not stored: they come from the table given to the store.
        QCOMPARE(reg.m_pPjListColumnStatus->value(0)->m_Title, QStringLiteral("MainPjListColumnPjError"));
    }

    void writeMaskSelectsTheGroups_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<QStringList>("groups");
        QTest::addColumn<bool>("autoExecute");

        const QStringList window = { "View/Position", "View/Option", "View/PJList" };
        QTest::newRow("0x001 option") << 0x001 << QStringList{ "Option" } << false;
        QTest::newRow("0x002 path") << 0x002 << QStringList{ "Path" } << false;
        QTest::newRow("0x004 window") << 0x004 << window << false;
        QTest::newRow("0x010 window") << 0x010 << window << false;
        QTest::newRow("0x020 mail") << 0x020 << QStringList{ "Mail" } << false;
        QTest::newRow("0x080 schedule") << 0x080 << QStringList{ "Schedule" } << false;
        QTest::newRow("0x100 offline") << 0x100 << QStringList{ "OfflineMode" } << false;
        QTest::newRow("0x400 launch list") << 0x400 << QStringList{ "StartApp" } << false;
        QTest::newRow("0x200 alone") << 0x200 << QStringList() << true;
        QTest::newRow("0x300") << 0x300 << QStringList{ "OfflineMode" } << false;
        QTest::newRow("0x220") << 0x220 << QStringList{ "Mail" } << false;
        QTest::newRow("-1") << -1
                            << QStringList{ "Option", "Path", "View/Position", "View/Option", "View/PJList",
                                            "Mail", "Schedule", "OfflineMode", "StartApp" }
                            << false;
        QTest::newRow("0") << 0 << QStringList() << false;
    }

    void writeMaskSelectsTheGroups()
    {
        QFETCH(int, mask);
        QFETCH(QStringList, groups);
        QFETCH(bool, autoExecute);
        CLumivox5Reg reg;
        useDefaultColumns(reg);
        fillRecord(reg);
        QCOMPARE(reg.Write(mask), false);

        const QVariantMap content = fileContent();
        QCOMPARE(groupsIn(content), groups);
        const QString autoKey = key(R::APPREG_KEY_SCHEDULE, R::APPREG_NAME_AUTOEXECUTESCHEDULE);
        QCOMPARE(content.contains(autoKey), autoExecute);
        if (autoExecute) {
            QCOMPARE(content.size(), 1);
            QCOMPARE(content.value(autoKey), QVariant(QStringLiteral("True")));
        }
    }

    void storedKeysAndEncodings()
    {
        CLumivox5Reg reg;
        useDefaultColumns(reg);
        fillRecord(reg);
        reg.Write(R::REG_ALL);
        const QVariantMap content = fileContent();

        // Never written: pane sizes, the schedule view flag.
        for (const QString& name : { R::APPREG_NAME_POSMAINPAIN_LEFTW, R::APPREG_NAME_POSMAINPAIN_TOPH,
                                     R::APPREG_NAME_POSMAINPAIN_LEFTH })
            QVERIFY(!content.contains(key(R::APPREG_KEY_POSITION, name)));
        QVERIFY(!content.contains(key(R::APPREG_KEY_VIEWOPTION, R::APPREG_NAME_SCHEDULEVISIBLE)));

        // Booleans as text, integers as integers.
        QCOMPARE(content.value(key(R::APPREG_KEY_MAIL, R::APPREG_NAME_MAILENABLED)), QVariant("True"));
        QCOMPARE(content.value(key(R::APPREG_KEY_VIEWOPTION, R::APPREG_NAME_MAINTABVISIBLE)), QVariant("False"));
        QCOMPARE(content.value(key(R::APPREG_KEY_OPTION, R::APPREG_NAME_OPTRESIDENT)), QVariant("True"));
        QCOMPARE(content.value(key(R::APPREG_KEY_POSITION, R::APPREG_NAME_POSMAINX)), QVariant(-20));
        QCOMPARE(content.value(key(R::APPREG_KEY_MAIL, R::APPREG_NAME_MAILAUTHORITY)), QVariant(2));

        // Column arrays: hex pairs, signed display index, widths least significant byte first.
        const QString visible = content.value(key(R::APPREG_KEY_VIEWPJLIST, R::APPREG_NAME_COLUMNVISIBLE)).toString();
        QCOMPARE(visible, QStringLiteral("01,01,01,01,00,00,00,00,01,00,00,00,01,01,00,01,01,01,00,00,00,01,00,00,00"));
        const QString index =
            content.value(key(R::APPREG_KEY_VIEWPJLIST, R::APPREG_NAME_COLUMNDISPLAYINDEX)).toString();
        QCOMPARE(index, QStringLiteral("00,01,02,03,04,C8,06,07,08,09,0A,0B,0C,0D,0E,0F,10,11,12,13,14,15,16,17,FF"));
        const QString width = content.value(key(R::APPREG_KEY_VIEWPJLIST, R::APPREG_NAME_COLUMNWIDTH)).toString();
        QVERIFY2(width.startsWith(QStringLiteral("1C,00,00,00,1C,00,00,00,83,00,00,00,78,00,00,00,3C,00,00,00,"
                                                 "04,03,02,01,")), qPrintable(width));
        QVERIFY2(width.endsWith(QStringLiteral(",FB,FF,FF,FF")), qPrintable(width));
        QCOMPARE(width.size(), 4 * 25 * 3 - 1);

        // The day table: 18,628 pairs, 55,883 characters.
        const QString days = content.value(key(R::APPREG_KEY_SCHEDULE, R::APPREG_NAME_SCHEDULENOOPE)).toString();
        QCOMPARE(days.size(), 55883);
        QVERIFY(days.startsWith(QStringLiteral("01,00,")));
        QVERIFY(days.endsWith(QStringLiteral(",00,01")));

        // Ten launch slots, empty texts past the list's end.
        QCOMPARE(content.value(key(R::APPREG_KEY_START_APPDATA, "StartAppArguments0")), QVariant("--new"));
        QCOMPARE(content.value(key(R::APPREG_KEY_START_APPDATA, "StartAppDisplayName9")), QVariant(""));
        QVERIFY(!content.contains(key(R::APPREG_KEY_START_APPDATA, "StartAppDisplayName10")));
    }

    void binEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("three bytes") << QByteArray("\x0a\xff\x01", 3) << "0A,FF,01";
        QTest::newRow("one zero") << QByteArray(1, '\0') << "00";
        QTest::newRow("empty") << QByteArray() << "";
    }

    void binEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(R::EncodeBin(bytes), text);
    }

    void binDecoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("upper") << "0A,FF,01" << QByteArray("\x0a\xff\x01", 3);
        QTest::newRow("lower") << "0a,ff" << QByteArray("\x0a\xff", 2);
        QTest::newRow("empty text is one zero byte") << "" << QByteArray(1, '\0');
        QTest::newRow("empty parts are zero") << "01,,02," << QByteArray("\x01\x00\x02\x00", 4);
        QTest::newRow("not hex is zero") << "zz,7" << QByteArray("\x00\x07", 2);
        QTest::newRow("low eight bits") << "1FF,-1" << QByteArray("\xff\xff", 2);
    }

    void binDecoding()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(R::DecodeBin(text), bytes);
    }

    void emptyArrayRoundTripsAsOneZeroByte()
    {
        CLumivox5Reg reg;
        QCOMPARE(reg.WriteSettingsBin(R::APPREG_KEY_VIEWPJLIST, QStringLiteral("Empty"), QByteArray()), 0);
        QCOMPARE(fileContent().value(key(R::APPREG_KEY_VIEWPJLIST, QStringLiteral("Empty"))), QVariant(""));
        QByteArray read("untouched");
        QCOMPARE(reg.ReadSettingsBin(R::APPREG_KEY_VIEWPJLIST, QStringLiteral("Empty"), read), 0);
        QCOMPARE(read, QByteArray(1, '\0'));
        QCOMPARE(reg.ReadSettingsBin(R::APPREG_KEY_VIEWPJLIST, QStringLiteral("Absent"), read), 1);
        QCOMPARE(read, QByteArray(1, '\0'));
    }

    void booleanReading_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("expected");
        QTest::newRow("true") << QVariant("true") << true;
        QTest::newRow("TRUE") << QVariant("TRUE") << true;
        QTest::newRow("True") << QVariant("True") << true;
        QTest::newRow("plist true") << QVariant(true) << true;
        QTest::newRow("1") << QVariant("1") << false;
        QTest::newRow("integer 1") << QVariant(1) << false;
        QTest::newRow("empty") << QVariant("") << false;
        QTest::newRow("yes") << QVariant("yes") << false;
    }

    void booleanReading()
    {
        QFETCH(QVariant, stored);
        QFETCH(bool, expected);
        putRaw(R::APPREG_KEY_MAIL, R::APPREG_NAME_MAILENABLED, stored);
        CLumivox5Reg reg;
        bool flag = !expected;
        QCOMPARE(reg.ReadSettingsBoolean(R::APPREG_KEY_MAIL, R::APPREG_NAME_MAILENABLED, &flag, !expected), 0);
        QCOMPARE(flag, expected);

        // Absent: the default, and result 1.
        flag = false;
        QCOMPARE(reg.ReadSettingsBoolean(R::APPREG_KEY_MAIL, QStringLiteral("Absent"), &flag, true), 1);
        QCOMPARE(flag, true);
    }

    void integerReading()
    {
        putRaw(R::APPREG_KEY_POSITION, R::APPREG_NAME_POSMAINX, QStringLiteral("abc"));
        putRaw(R::APPREG_KEY_POSITION, R::APPREG_NAME_POSMAINY, QStringLiteral("77"));
        CLumivox5Reg reg;
        int value = 5;
        QCOMPARE(reg.ReadSettingsInt(R::APPREG_KEY_POSITION, R::APPREG_NAME_POSMAINX, &value), 0);
        QCOMPARE(value, 0);
        QCOMPARE(reg.ReadSettingsInt(R::APPREG_KEY_POSITION, R::APPREG_NAME_POSMAINY, &value), 0);
        QCOMPARE(value, 77);
        value = 5;
        QCOMPARE(reg.ReadSettingsInt(R::APPREG_KEY_POSITION, QStringLiteral("Absent"), &value), 1);
        QCOMPARE(value, 5);
    }

    void onlyBooleansBecomeTrueOrFalse()
    {
        {
            CLumivox5Reg reg;
            reg.m_pMailSettings->m_Pass = QStringLiteral("true");
            reg.m_pMailSettings->m_Comment = QStringLiteral("false");
            reg.m_pMailSettings->m_User = QStringLiteral("TRUE");
            reg.m_pOptionSettings->m_SaveLogPath = QStringLiteral("False");
            reg.Write(R::REG_MAIL | R::REG_OPTION);
        }
        const QVariantMap content = fileContent();
        QCOMPARE(content.value(key(R::APPREG_KEY_MAIL, R::APPREG_NAME_MAILPASS)), QVariant("true"));
        QCOMPARE(content.value(key(R::APPREG_KEY_MAIL, R::APPREG_NAME_MAILCOMMENT)), QVariant("false"));
        QCOMPARE(content.value(key(R::APPREG_KEY_MAIL, R::APPREG_NAME_MAILENABLED)), QVariant("False"));

        CLumivox5Reg reg;
        reg.Read();
        QCOMPARE(reg.m_pMailSettings->m_Pass, QStringLiteral("true"));
        QCOMPARE(reg.m_pMailSettings->m_Comment, QStringLiteral("false"));
        QCOMPARE(reg.m_pMailSettings->m_User, QStringLiteral("TRUE"));
        QCOMPARE(reg.m_pOptionSettings->m_SaveLogPath, QStringLiteral("False"));
    }

    void lengthCutsOnReading_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("limit");
        QTest::newRow("comment") << R::APPREG_KEY_MAIL << R::APPREG_NAME_MAILCOMMENT << 1000;
        QTest::newRow("communication log") << R::APPREG_KEY_OPTION << R::APPREG_NAME_OPTSAVELOGPATH << 242;
        QTest::newRow("schedule log") << R::APPREG_KEY_OPTION << R::APPREG_NAME_OPTSAVESCHEDULELOGPATH << 242;
        QTest::newRow("event log") << R::APPREG_KEY_OPTION << R::APPREG_NAME_OPTSAVEEVENTLOGPATH << 242;
        QTest::newRow("import") << R::APPREG_KEY_OPTION << R::APPREG_NAME_OPTIMPORTPATH << 259;
    }

    void lengthCutsOnReading()
    {
        QFETCH(QString, group);
        QFETCH(QString, name);
        QFETCH(int, limit);
        QString text;
        for (int i = 0; text.size() < 1500; ++i)
            text += QString::number(i % 10);
        {
            // Stored whole.
            CLumivox5Reg reg;
            QCOMPARE(reg.WriteSettings(group, name, text), 0);
            QCOMPARE(fileContent().value(key(group, name)).toString(), text);
        }
        CLumivox5Reg reg;
        reg.Read();
        const QString read = group == R::APPREG_KEY_MAIL ? reg.m_pMailSettings->m_Comment
            : name == R::APPREG_NAME_OPTSAVELOGPATH      ? reg.m_pOptionSettings->m_SaveLogPath
            : name == R::APPREG_NAME_OPTSAVESCHEDULELOGPATH ? reg.m_pOptionSettings->m_SaveScheduleLogPath
            : name == R::APPREG_NAME_OPTSAVEEVENTLOGPATH ? reg.m_pOptionSettings->m_SaveEventLogPath
                                                         : reg.m_pOptionSettings->m_ImportPath;
        QCOMPARE(read, text.left(limit));

        // Exactly at the limit nothing is cut.
        putRaw(group, name, text.left(limit));
        CLumivox5Reg again;
        again.Read();
        QCOMPARE(again.ReadSettings(group, name).toString().size(), limit);
    }

    // The recipients read back are the ones stored: a shorter list removes
    // what an earlier write stored, and no empty recipient is made up.
    void recipientsReadBackAsStored_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("readBack");
        QTest::newRow("none") << QStringList() << QStringList();
        QTest::newRow("one") << QStringList{"one@example.org"} << QStringList{"one@example.org"};
        QTest::newRow("an empty one between") << QStringList{"a@x", "", "c@x"} << QStringList{"a@x", "", "c@x"};
        QTest::newRow("a fourth is not stored") << QStringList{"1", "2", "3", "4"} << QStringList{"1", "2", "3"};
    }

    void recipientsReadBackAsStored()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, readBack);
        {
            CLumivox5Reg reg;
            reg.m_pMailSettings->m_Recipients = QList<QString>() << "old1" << "old2" << "old3";
            reg.Write(R::REG_MAIL);
            reg.m_pMailSettings->m_Recipients = stored;
            reg.Write(R::REG_MAIL);
        }
        const QVariantMap content = fileContent();
        const QString names[] = {R::APPREG_NAME_MAILRECIPIENT1, R::APPREG_NAME_MAILRECIPIENT2,
                                 R::APPREG_NAME_MAILRECIPIENT3, QStringLiteral("Recipient4")};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(content.value(key(R::APPREG_KEY_MAIL, names[i])), i < readBack.size() ? QVariant(readBack.at(i)) : QVariant());
        for (int start = 0; start < 2; ++start) {
            CLumivox5Reg reg;
            reg.Read();
            QCOMPARE(reg.m_pMailSettings->m_Recipients, QList<QString>(readBack));
            reg.Write(R::REG_MAIL);
        }
    }

    void unknownMethodReadsAsNone()
    {
        {
            CLumivox5Reg reg;
            reg.m_pMailSettings->m_Authority = 5;
            reg.Write(R::REG_MAIL);
        }
        QCOMPARE(fileContent().value(key(R::APPREG_KEY_MAIL, R::APPREG_NAME_MAILAUTHORITY)), QVariant(5));
        CLumivox5Reg reg;
        reg.m_pMailSettings->m_Authority = 1;
        reg.Read();
        QCOMPARE(reg.m_pMailSettings->m_Authority, 0);
    }

    void onlyPresentRecipientsAreTaken()
    {
        putRaw(R::APPREG_KEY_MAIL, R::APPREG_NAME_MAILRECIPIENT2, QStringLiteral("second"));
        CLumivox5Reg reg;
        reg.Read();
        QCOMPARE(reg.m_pMailSettings->m_Recipients, QList<QString>() << "second");
    }

    void windowPartnersAndValidity_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<bool>("positionValid");
        QTest::addColumn<bool>("sizeValid");
        QTest::addColumn<bool>("painValid");
        QTest::addColumn<int>("mainX");
        QTest::addColumn<int>("mainY");
        QTest::addColumn<int>("leftWidth");
        QTest::addColumn<int>("topHeight");

        QTest::newRow("all") << QStringList{ "MainX", "MainY", "MainWidth", "MainHeight", "MainPainLeftWidth",
                                             "MainPainTopHeight", "MainPainLeftHeight" }
                             << true << true << true << 1 << 2 << 5 << 6;
        QTest::newRow("Y without X: neither") << QStringList{ "MainY" } << false << false << false << 0 << 0 << 0 << 0;
        QTest::newRow("X without Y: X taken") << QStringList{ "MainX" } << false << false << false << 1 << 0 << 0 << 0;
        QTest::newRow("size only") << QStringList{ "MainWidth", "MainHeight" } << false << true << false
                                   << 0 << 0 << 0 << 0;
        QTest::newRow("pane chain broken at top")
            << QStringList{ "MainPainLeftWidth", "MainPainLeftHeight" } << false << false << false << 0 << 0 << 5 << 0;
        QTest::newRow("pane chain without the last")
            << QStringList{ "MainPainLeftWidth", "MainPainTopHeight" } << false << false << false << 0 << 0 << 5 << 6;
    }

    void windowPartnersAndValidity()
    {
        QFETCH(QStringList, present);
        QFETCH(bool, positionValid);
        QFETCH(bool, sizeValid);
        QFETCH(bool, painValid);
        QFETCH(int, mainX);
        QFETCH(int, mainY);
        QFETCH(int, leftWidth);
        QFETCH(int, topHeight);
        const QMap<QString, int> values = { { "MainX", 1 }, { "MainY", 2 }, { "MainWidth", 3 }, { "MainHeight", 4 },
                                            { "MainPainLeftWidth", 5 }, { "MainPainTopHeight", 6 },
                                            { "MainPainLeftHeight", 7 } };
        for (const QString& name : present)
            putRaw(R::APPREG_KEY_POSITION, name, values.value(name));
        CLumivox5Reg reg;
        reg.Read();
        QCOMPARE(reg.m_PositionValid, positionValid);
        QCOMPARE(reg.m_SizeValid, sizeValid);
        QCOMPARE(reg.m_PainValid, painValid);
        QCOMPARE(reg.m_MainX, mainX);
        QCOMPARE(reg.m_MainY, mainY);
        QCOMPARE(reg.m_MainPainLeftWidth, leftWidth);
        QCOMPARE(reg.m_MainPainTopHeight, topHeight);
        if (painValid)
            QCOMPARE(reg.m_MainPainLeftHeight, 7);
    }

    void scheduleVisibleIsReadButNeverWritten()
    {
        putRaw(R::APPREG_KEY_VIEWOPTION, R::APPREG_NAME_SCHEDULEVISIBLE, QStringLiteral("False"));
        CLumivox5Reg reg;
        reg.Read();
        QCOMPARE(reg.m_ScheduleVisible, false);
        reg.m_ScheduleVisible = true;
        reg.Write(R::REG_ALL);
        QCOMPARE(fileContent().value(key(R::APPREG_KEY_VIEWOPTION, R::APPREG_NAME_SCHEDULEVISIBLE)),
                 QVariant("False"));
    }

    void columnArraysOfTheWrongLengthAreIgnored_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("bytes");
        QTest::newRow("width one byte short") << R::APPREG_NAME_COLUMNWIDTH << 99;
        QTest::newRow("width one byte long") << R::APPREG_NAME_COLUMNWIDTH << 101;
        QTest::newRow("visible short") << R::APPREG_NAME_COLUMNVISIBLE << 24;
        QTest::newRow("index long") << R::APPREG_NAME_COLUMNDISPLAYINDEX << 26;
    }

    void columnArraysOfTheWrongLengthAreIgnored()
    {
        QFETCH(QString, name);
        QFETCH(int, bytes);
        putRaw(R::APPREG_KEY_VIEWPJLIST, name, R::EncodeBin(QByteArray(bytes, '\x07')));
        CLumivox5Reg reg;
        useDefaultColumns(reg);
        reg.Read();
        for (int id = 0; id < 25; ++id) {
            const CListViewColumnStatus* column = reg.m_pPjListColumnStatus->value(id);
            QCOMPARE(column->m_DisplayIndex, id);
        }
        QCOMPARE(reg.m_pPjListColumnStatus->value(0)->m_Width, 28);
        QCOMPARE(reg.m_pPjListColumnStatus->value(2)->m_Visible, false);
    }

    void columnArraysWithoutColumnsAreIgnored()
    {
        putRaw(R::APPREG_KEY_VIEWPJLIST, R::APPREG_NAME_COLUMNVISIBLE, QStringLiteral(""));
        CLumivox5Reg reg;
        reg.Read();
        QVERIFY(reg.m_pPjListColumnStatus->isEmpty());
    }

    void anyNonZeroVisibleByteShows()
    {
        QByteArray visible(25, '\0');
        visible[4] = '\x02';
        visible[6] = '\xff';
        putRaw(R::APPREG_KEY_VIEWPJLIST, R::APPREG_NAME_COLUMNVISIBLE, R::EncodeBin(visible));
        CLumivox5Reg reg;
        useDefaultColumns(reg);
        reg.Read();
        QCOMPARE(reg.m_pPjListColumnStatus->value(4)->m_Visible, true);
        QCOMPARE(reg.m_pPjListColumnStatus->value(6)->m_Visible, true);
        QCOMPARE(reg.m_pPjListColumnStatus->value(0)->m_Visible, false);
    }

    void noOperatingDaysOnlyAdd_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("marked");
        QTest::newRow("00,01 marks 2000-01-02") << "00,01" << QList<int>{ 1 };
        QTest::newRow("non-zero means marked") << "00,00,7F" << QList<int>{ 2 };
        QTest::newRow("empty text") << "" << QList<int>();
        QString tooLong = R::EncodeBin(QByteArray(R::NO_OPERATING_DAYS + 5, '\x01'));
        QList<int> all;
        for (int day = 0; day < R::NO_OPERATING_DAYS; ++day) {
            if (day != 5000)
                all.append(day);
        }
        QTest::newRow("longer than the table") << tooLong << all;
    }

    void noOperatingDaysOnlyAdd()
    {
        QFETCH(QString, stored);
        QFETCH(QList<int>, marked);
        putRaw(R::APPREG_KEY_SCHEDULE, R::APPREG_NAME_SCHEDULENOOPE, stored);
        CLumivox5Reg reg;
        reg.m_pNoOperatingDate->Add(5000);    // already marked days stay marked
        reg.Read();
        QList<int> found;
        for (int day = 0; day < R::NO_OPERATING_DAYS; ++day) {
            if (reg.m_pNoOperatingDate->IsNoOperatingDate(day) && day != 5000)
                found.append(day);
        }
        QCOMPARE(found, marked);
        QVERIFY(reg.m_pNoOperatingDate->IsNoOperatingDate(5000));
        QVERIFY(!reg.m_pNoOperatingDate->IsNoOperatingDate(R::NO_OPERATING_DAYS));
    }

    void launchListSlots()
    {
        {
            CLumivox5Reg reg;
            for (int i = 0; i < 12; ++i)
                reg.m_pStartAppList->append(
                    QStringList{ QStringLiteral("App %1").arg(i), QStringLiteral("/bin/app%1").arg(i), QString() });
            reg.Write(R::REG_START_APP);
        }
        QVariantMap content = fileContent();
        QCOMPARE(content.value(key(R::APPREG_KEY_START_APPDATA, "StartAppDisplayName9")), QVariant("App 9"));
        QVERIFY(!content.contains(key(R::APPREG_KEY_START_APPDATA, "StartAppDisplayName10")));

        // Slot 4 without a display name is skipped; 5 to 9 are still read.
        putRaw(R::APPREG_KEY_START_APPDATA, "StartAppDisplayName4", QString(""));
        // Slot 6 without its arguments key is no entry either.
        {
            QSettings settings(R::SettingsFilePath(), CPlistSettingsFormat::Format());
            settings.remove(key(R::APPREG_KEY_START_APPDATA, "StartAppArguments6"));
        }
        CLumivox5Reg reg;
        reg.m_pStartAppList->append(QStringList{ "kept", "/bin/kept", "" });   // not cleared first
        reg.Read();
        QStringList names;
        for (const QStringList& entry : qAsConst(*reg.m_pStartAppList))
            names.append(entry.value(0));
        QCOMPARE(names, (QStringList{ "kept", "App 0", "App 1", "App 2", "App 3", "App 5", "App 7", "App 8",
                                      "App 9" }));
        QCOMPARE(reg.m_pStartAppList->value(1), (QStringList{ "App 0", "/bin/app0", "" }));
    }

    void residentIsIgnoredAtStart()
    {
        putRaw(R::APPREG_KEY_OPTION, R::APPREG_NAME_OPTRESIDENT, QStringLiteral("True"));
        CLumivox5Reg reg;
        reg.Read();
        QCOMPARE(reg.m_pOptionSettings->m_Resident, false);
    }

    void autoExecuteIsReadFromTheScheduleGroup()
    {
        CLumivox5Reg writer;
        writer.m_AutoExecuteSchedule = true;
        writer.Write(R::REG_AUTO_EXECUTE);
        CLumivox5Reg reg;
        reg.Read();
        QCOMPARE(reg.m_AutoExecuteSchedule, true);
    }

    void stringListReading()
    {
        putRaw(R::APPREG_KEY_PATH, QStringLiteral("List"), QStringList{ "a", "b" });
        CLumivox5Reg reg;
        QStringList list{ "old" };
        QCOMPARE(reg.ReadSettingsStringList(R::APPREG_KEY_PATH, QStringLiteral("List"), &list), 0);
        QCOMPARE(list, (QStringList{ "a", "b" }));
        QCOMPARE(reg.ReadSettingsStringList(R::APPREG_KEY_PATH, QStringLiteral("Absent"), &list), 1);
        QCOMPARE(list, (QStringList{ "a", "b" }));
        QStringList ports{ "x" };
        QCOMPARE(reg.ReadPortNames(&ports), 0);
        QCOMPARE(ports, QStringList{ "x" });
    }

    void setColumnsCopiesTheGivenMap()
    {
        CListViewColumnStatus::ColumnMap columns;
        CListViewColumnStatus::f_MakePjListColumns(&columns);
        CLumivox5Reg reg;
        reg.SetPjListColumnStatus(columns);
        QCOMPARE(reg.m_pPjListColumnStatus->size(), 25);
        QVERIFY(reg.m_pPjListColumnStatus->value(7) != columns.value(7));
        reg.m_pPjListColumnStatus->value(7)->m_Width = 1;
        QCOMPARE(columns.value(7)->m_Width, 120);
        // A second call replaces the first copies.
        reg.SetPjListColumnStatus(columns);
        QCOMPARE(reg.m_pPjListColumnStatus->value(7)->m_Width, 120);
        CListViewColumnStatus::DeleteColumns(&columns);
        QCOMPARE(reg.m_pPjListColumnStatus->size(), 25);
    }

    void ourFileIsAWellFormedPropertyList()
    {
        {
            CLumivox5Reg reg;
            useDefaultColumns(reg);
            fillRecord(reg);
            reg.m_pMailSettings->m_Pass = QStringLiteral("true");
            reg.Write(R::REG_ALL);
            reg.Write(R::REG_AUTO_EXECUTE);
        }
        // An independent XML reader walks the whole file.
        const QByteArray bytes = fileBytes();
        QXmlStreamReader xml(bytes);
        QStringList path;
        QStringList keysSeen;
        int depth = 0;
        int maxDepth = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                ++depth;
                maxDepth = qMax(maxDepth, depth);
                if (xml.name() == QLatin1String("key"))
                    keysSeen.append(xml.readElementText()), --depth;
            } else if (xml.isEndElement()) {
                --depth;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(depth, 0);
        for (const char* segment : { "Software", "Corvex Projector User Fennick", "Lumivox5", "Mail", "Pass",
                                        "View", "PJList", "Position", "StartApp", "AutoExecuteSchedule" })
            QVERIFY2(keysSeen.contains(QLatin1String(segment)), segment);
        // plist > top dict > Software > Corvex… > Lumivox5 > View > PJList > value
        QCOMPARE(maxDepth, 8);

        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            QSKIP("python3 is not installed");
        const char* script =
            "import plistlib, sys\n"
            "d = plistlib.load(open(sys.argv[1], 'rb'))\n"
            "l = d['Software']['Corvex Projector User Fennick']['Lumivox5']\n"
            "assert l['Mail']['Pass'] == 'true'\n"
            "assert l['Mail']['Enabled'] == 'True'\n"
            "assert l['View']['Position']['MainX'] == -20\n"
            "assert len(l['Schedule']['NoOperatingDate']) == 55883\n"
            "assert l['Schedule']['AutoExecuteSchedule'] == 'True'\n"
            "assert l['StartApp']['StartAppPath1'] == '/usr/bin/viewer'\n"
            "print('ok')\n";
        QProcess process;
        process.start(python, { QStringLiteral("-c"), QString::fromLatin1(script), R::SettingsFilePath() });
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()), QString());
        QCOMPARE(process.readAllStandardOutput().trimmed(), QByteArray("ok"));
    }

    void newFileIsPrivate()
    {
        CLumivox5Reg reg;
        reg.m_pMailSettings->m_Pass = QStringLiteral("secret");
        reg.Write(R::REG_MAIL);
        const QFileDevice::Permissions permissions = QFileInfo(R::SettingsFilePath()).permissions();
        QVERIFY(permissions & QFileDevice::ReadOwner);
        QVERIFY(permissions & QFileDevice::WriteOwner);
        QVERIFY(!(permissions & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                                 | QFileDevice::WriteOther)));
        // A later write keeps them.
        reg.Write(R::REG_ALL);
        QCOMPARE(QFileInfo(R::SettingsFilePath()).permissions(), permissions);
        // No stray files are left beside it.
        QCOMPARE(QDir(m_Folders->programFolder()).entryList(QDir::Files), QStringList{ "Lumivox 5.plist" });
    }

    // A file made readable by others since it was created is private again
    // after the next write.
    void everyWriteMakesTheFilePrivate()
    {
        CLumivox5Reg reg;
        reg.Write(R::REG_MAIL);
        QVERIFY(QFile::setPermissions(R::SettingsFilePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                                 | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        QCOMPARE(reg.WriteSettings(R::APPREG_KEY_MAIL, R::APPREG_NAME_MAILPASS, QStringLiteral("secret")), 0);
        const QFileDevice::Permissions permissions = QFileInfo(R::SettingsFilePath()).permissions();
        QVERIFY(permissions & QFileDevice::ReadOwner);
        QVERIFY(!(permissions & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                                 | QFileDevice::WriteOther | QFileDevice::ExeOwner)));
    }

    // Each damaged file is kept: a second one never replaces the first copy.
    void damagedCopiesAreNumbered()
    {
        const QList<QByteArray> damaged = { "<plist><dict><key>first</key>", "<plist><dict><key>second</key>",
                                            "<plist><dict><key>third</key>" };
        for (const QByteArray& bytes : damaged) {
            QVERIFY(CTestFolders::writeFile(R::SettingsFilePath(), bytes));
            CLumivox5Reg reg;
            reg.Read();
            QCOMPARE(reg.GetFileStatus(), QSettings::FormatError);
            QCOMPARE(reg.WriteSettings(R::APPREG_KEY_PATH, R::APPREG_NAME_PATHEXPORTCSV, QStringLiteral("a")), 0);
            QCOMPARE(reg.GetFileStatus(), QSettings::NoError);
        }
        const QString path = R::SettingsFilePath();
        QCOMPARE(CTestFolders::readFile(path + ".damaged"), damaged.at(0));
        QCOMPARE(CTestFolders::readFile(path + ".damaged.2"), damaged.at(1));
        QCOMPARE(CTestFolders::readFile(path + ".damaged.3"), damaged.at(2));
    }

    void damagedFileIsReportedAndLeftInPlace()
    {
        const QByteArray damaged = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Software</key><dict>"
                                   "<key>Pass</key><string>keep me</str";
        {
            QFile file(R::SettingsFilePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(damaged);
        }
        CLumivox5Reg reg;
        useDefaultColumns(reg);
        reg.Read();
        QCOMPARE(reg.GetFileStatus(), QSettings::FormatError);
        QVERIFY(reg.m_pMailSettings->m_Recipients.isEmpty());
        QCOMPARE(reg.m_PjListSortID, 3);
        QCOMPARE(fileBytes(), damaged);

        // Reading again does not touch it either.
        CLumivox5Reg second;
        second.Read();
        QCOMPARE(second.GetFileStatus(), QSettings::FormatError);
        QCOMPARE(fileBytes(), damaged);

        // Writing the settings replaces it and keeps the damaged one beside.
        reg.m_pMailSettings->m_User = QStringLiteral("after");
        reg.Write(R::REG_ALL);
        QCOMPARE(reg.GetFileStatus(), QSettings::NoError);
        QFile aside(R::SettingsFilePath() + ".damaged");
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), damaged);
        QCOMPARE(CPlistSettingsFormat::CheckFile(R::SettingsFilePath()), QSettings::NoError);
        QCOMPARE(groupsIn(fileContent()).size(), 9);

        CLumivox5Reg third;
        third.Read();
        QCOMPARE(third.GetFileStatus(), QSettings::NoError);
        QCOMPARE(third.m_pMailSettings->m_User, QStringLiteral("after"));
    }

    void fileDamagedWhileRunningIsSetAsideAtTheNextWrite()
    {
        CLumivox5Reg reg;
        reg.Read();
        QCOMPARE(reg.GetFileStatus(), QSettings::NoError);
        QCOMPARE(reg.WriteSettings(R::APPREG_KEY_PATH, R::APPREG_NAME_PATHEXPORTCSV, QStringLiteral("a")), 0);

        const QByteArray damaged = "<plist><dict><key>x</key>";
        {
            QFile file(R::SettingsFilePath());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(damaged);
        }
        QVERIFY(!reg.ReadSettings(R::APPREG_KEY_PATH, R::APPREG_NAME_PATHEXPORTCSV).isValid());

        QCOMPARE(reg.WriteSettings(R::APPREG_KEY_PATH, R::APPREG_NAME_PATHEXPORTUSERLIST, QStringLiteral("b")), 0);
        QCOMPARE(reg.GetFileStatus(), QSettings::NoError);
        QFile aside(R::SettingsFilePath() + ".damaged");
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), damaged);
        const QVariantMap content = fileContent();
        QCOMPARE(content.size(), 1);
        QCOMPARE(content.value(key(R::APPREG_KEY_PATH, R::APPREG_NAME_PATHEXPORTUSERLIST)), QVariant("b"));
    }

    void failedWriteIsReported()
    {
        // A program folder that is a file: nothing can be stored there.
        const QString blocker = m_Folders->path(QStringLiteral("program/blocker"));
        {
            QFile file(blocker);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        AppPaths::setProgramFolder(blocker);
        CLumivox5Reg reg;
        QCOMPARE(reg.WriteSettings(R::APPREG_KEY_PATH, R::APPREG_NAME_PATHEXPORTCSV, QStringLiteral("x")), 1);
        QCOMPARE(reg.GetFileStatus(), QSettings::AccessError);
        QVERIFY(!QFileInfo::exists(R::SettingsFilePath()));

        // Every group and the whole store report the failure, whichever group is written last.
        QVERIFY(reg.WriteOptionSettings() != 0);
        QVERIFY(reg.WriteMailSettings() != 0);
        QVERIFY(reg.WriteStartAppSettings() != 0);
        QCOMPARE(reg.Write(R::REG_MAIL), true);
        QCOMPARE(reg.Write(R::REG_ALL), true);
    }

    // A whole write stores every group at once; the file comes out as the
    // groups written one value at a time leave it.
    void oneWholeWriteLeavesTheBytesOfValueByValueWrites_data()
    {
        QTest::addColumn<QByteArray>("before"); // empty: no file
        QTest::addColumn<bool>("others");       // values no group writes
        QTest::newRow("no file") << QByteArray() << false;
        QTest::newRow("other values") << QByteArray() << true;
        QTest::newRow("damaged file") << QByteArray("<plist><dict><key>cut") << false;
    }

    void oneWholeWriteLeavesTheBytesOfValueByValueWrites()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, others);
        QByteArray written[2];
        for (int pass = 0; pass < 2; ++pass) {
            m_Folders.reset(new CTestFolders);
            if (!before.isEmpty())
                QVERIFY(CTestFolders::writeFile(R::SettingsFilePath(), before));
            if (others) {
                putRaw(R::APPREG_KEY_SCHEDULE, R::APPREG_NAME_AUTOEXECUTESCHEDULE, QStringLiteral("True"));
                putRaw(QStringLiteral("Elsewhere"), QStringLiteral("Kept"), 7);
            }
            CLumivox5Reg reg;
            useDefaultColumns(reg);
            fillRecord(reg);
            if (pass == 0) {
                QCOMPARE(reg.Write(R::REG_ALL), false);
            } else {
                // The groups of Write(-1) in its order, each value on its own.
                QCOMPARE(reg.WriteOptionSettings(), 0);
                QCOMPARE(reg.WritePathSettings(), 0);
                QCOMPARE(reg.WriteWndSettings(), 0);
                QCOMPARE(reg.WriteMailSettings(), 0);
                QCOMPARE(reg.WriteScheduleSettings(), 0);
                QCOMPARE(reg.WriteOfflineModeSettings(), 0);
                QCOMPARE(reg.WriteStartAppSettings(), 0);
            }
            written[pass] = fileBytes();
        }
        QVERIFY(written[0].contains("Elsewhere") == others);
        QVERIFY(written[0].size() > 50000);
        QCOMPARE(written[0], written[1]);
    }

    void changesByAnotherWriterAreSeen()
    {
        CLumivox5Reg reg;
        QCOMPARE(reg.WriteSettings(R::APPREG_KEY_PATH, R::APPREG_NAME_PATHEXPORTCSV, QStringLiteral("mine")), 0);
        putRaw(R::APPREG_KEY_PATH, R::APPREG_NAME_PATHEXPORTUSERLIST, QStringLiteral("theirs"));
        QCOMPARE(reg.ReadSettings(R::APPREG_KEY_PATH, R::APPREG_NAME_PATHEXPORTUSERLIST).toString(),
                 QStringLiteral("theirs"));
        QCOMPARE(reg.WriteSettings(R::APPREG_KEY_PATH, QStringLiteral("Third"), 3), 0);
        const QVariantMap content = fileContent();
        QCOMPARE(content.value(key(R::APPREG_KEY_PATH, R::APPREG_NAME_PATHEXPORTCSV)), QVariant("mine"));
        QCOMPARE(content.value(key(R::APPREG_KEY_PATH, R::APPREG_NAME_PATHEXPORTUSERLIST)), QVariant("theirs"));
        QCOMPARE(content.value(key(R::APPREG_KEY_PATH, QStringLiteral("Third"))), QVariant(3));
    }
};

QTEST_GUILESS_MAIN(tst_CLumivox5Reg)
#include "tst_CLumivox5Reg.moc"
