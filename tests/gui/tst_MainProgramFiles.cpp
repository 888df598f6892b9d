#include <QtTest>

#include "AppPaths.h"
#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "COptionSettings.h"
#include "CSimProjectorModel.h"
#include "CSimulatedProjector.h"
#include "CTestFolders.h"
#include "FleetUserList.h"
#include "ProgramCopy.h"
#include "ProjectorTestAddresses.h"
#include "XvfbSession.h"

#include <QRegularExpression>
#include <QTextCodec>

namespace {

const QString FILES_TITLE = QStringLiteral("^Lumivox 5$");

} // namespace

// The built program on a virtual display, driven by keys: File > Export >
// CSV File..., Display log > Transport... with a stub "xdg-open" first on
// the PATH, Projector > HTTPServer on a simulated projector, and File >
// Export > Projector List... for the older program.
class tst_MainProgramFiles : public QObject
{
    Q_OBJECT

private:
    XvfbSession m_Session;

    // A window other than `window` (a dialog or a box) within the time, or empty.
    QString otherWindow(const QString& window, int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        do {
            for (const QString& shown : m_Session.Windows(QStringLiteral(".")))
                if (shown != window)
                    return shown;
            QTest::qWait(100);
        } while (clock.elapsed() < timeoutMs);
        return QString();
    }

    static QStringList typing(const QString& text)
    {
        static const QHash<QChar, QString> signs{{'.', "period"}, {' ', "space"}, {'/', "slash"},
                                                 {'-', "minus"},  {'_', "underscore"}};
        QStringList keys;
        for (const QChar c : text)
            keys << signs.value(c, QString(c));
        return keys;
    }

    static QStringList lines(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(file.readAll().constData() + 2),
                                  int(file.size() - 2) / 2)
            .split(QLatin1Char('\n'));
    }

private slots:
    void initTestCase()
    {
        ProgramCopy::StartDisplayForTestCase(m_Session);
    }

    void csvLogFolderAndWebPage()
    {
        ProgramCopy copy;
        QString error;
        QVERIFY2(copy.Prepare(LUMIVOX_PROGRAM_DIR, &error), qPrintable(error));
        CSimProjectorModel model(CSimModelSpec::Shipped(QStringLiteral("LV-L100")));
        CSimulatedProjector projector(QHostAddress(QStringLiteral("127.0.0.2")), 0);
        projector.SetHandler([&model](const QByteArray& request) { return model.Answer(request); });
        QVERIFY2(projector.Start(), qPrintable(projector.ErrorString()));

        // One projector; the communication log on, into a folder of its own.
        const QString logs = copy.Path(QStringLiteral("logs"));
        QVERIFY(QDir().mkpath(logs));
        AppPaths::setProgramFolder(copy.ProgramFolder());
        AppPaths::setHomeFolder(copy.HomeFolder());
        {
            auto hub = CTestFolders::makeHub();
            QVERIFY2(FleetUserList::Write(hub.get(), 1, QHostAddress(QStringLiteral("127.0.0.2")), projector.Port(),
                                          &error),
                     qPrintable(error));
            hub->m_pOptionSettings->m_SaveLog = true;
            hub->m_pOptionSettings->m_SaveLogPath = logs;
            *hub->m_pReg->m_pOptionSettings = *hub->m_pOptionSettings;
            QVERIFY(!hub->m_pReg->Write(CLumivox5Reg::REG_OPTION));
        }
        AppPaths::setProgramFolder(QString());
        AppPaths::setHomeFolder(QString());

        // The desktop's opener, replaced by one that notes what it was given.
        const QString opened = copy.Path(QStringLiteral("opened.txt"));
        const QString stubs = copy.Path(QStringLiteral("bin"));
        QVERIFY(QDir().mkpath(stubs));
        QVERIFY(CTestFolders::writeFile(stubs + QStringLiteral("/xdg-open"),
                                        QStringLiteral("#!/bin/sh\necho \"$@\" >> '%1'\n").arg(opened).toUtf8()));
        QVERIFY(QFile::setPermissions(stubs + QStringLiteral("/xdg-open"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QProcessEnvironment extra;
        extra.insert(QStringLiteral("PATH"), stubs + QLatin1Char(':') + qEnvironmentVariable("PATH"));
        QProcess* program = copy.Launch(m_Session, extra);
        const QString window = m_Session.WaitForWindow(FILES_TITLE, 60000);
        QVERIFY2(!window.isEmpty(), program->readAllStandardError().right(2000).constData());

        // File > Export > CSV File..., a path, Return: the completion box.
        const QString csv = copy.Path(QStringLiteral("list.csv"));
        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "Down", "Right", "Return"}), qPrintable(m_Session.Error()));
        const QString dialog = otherWindow(window, 20000);
        QVERIFY(!dialog.isEmpty());
        QVERIFY(m_Session.SendKeys(dialog, QStringList{"ctrl+a"} + typing(csv) + QStringList{"Return"}));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(csv), 20000);
        const QString box = otherWindow(window, 20000);
        QVERIFY(!box.isEmpty());
        QVERIFY(m_Session.SendKeys(box, {"Return"}));
        const QStringList csvLines = lines(csv);
        QCOMPARE(csvLines.size(), 4); // line 1, titles, one row, nothing after the last line end
        QVERIFY(csvLines.at(0).endsWith(QStringLiteral(",All Projectors,")));
        QCOMPARE(csvLines.at(1), QStringLiteral(",,Setting Name,Setting,Status,Eco Mode,Lamp Used Hours,"
                                                "Filter Used Hours,Input Terminal,MAC Address,Serial No.,"));
        QCOMPARE(csvLines.at(3), QString());

        // Display log > Transport...: the folder goes to the opener.
        QTRY_VERIFY_WITH_TIMEOUT(otherWindow(window, 0).isEmpty(), 10000);
        QVERIFY(m_Session.SendKeys(window, {"alt+f", "Down", "Down", "Right", "Return"}));
        QTRY_VERIFY_WITH_TIMEOUT(CTestFolders::readFile(opened).contains(QUrl::fromLocalFile(logs).toEncoded()),
                                 20000);

        // The folder removed: the warning, and the opener is not started again.
        QVERIFY(QDir(logs).removeRecursively());
        QVERIFY(m_Session.SendKeys(window, {"alt+f", "Down", "Down", "Right", "Return"}));
        const QString warning = otherWindow(window, 20000);
        QVERIFY(!warning.isEmpty());
        QVERIFY(m_Session.SendKeys(warning, {"Return"}));
        QCOMPARE(CTestFolders::readFile(opened).count('\n'), 1);

        // View > Refresh identifies the projector; Projector > HTTPServer opens its page.
        QTRY_VERIFY_WITH_TIMEOUT(otherWindow(window, 0).isEmpty(), 10000);
        QVERIFY(m_Session.SendKeys(window, {"ctrl+a", "alt+v", "r"}));
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                m_Session.SendKeys(window, {"alt+p", "h", "Escape", "Escape"});
                return CTestFolders::readFile(opened).contains("http://127.0.0.2/");
            }(),
            30000);

        QVERIFY(m_Session.SendKeys(window, {"alt+f", "x"}));
        QVERIFY(ProgramCopy::Finish(program, 30000));
    }

    // File > Export > Projector List... with the filter for the older program:
    // the list written in Shift_JIS, names in Japanese included.
    void projectorListCompatibleExport()
    {
        ProgramCopy copy;
        QString error;
        QVERIFY2(copy.Prepare(LUMIVOX_PROGRAM_DIR, &error), qPrintable(error));
        const QString hall = QStringLiteral("\u6771\u30DB\u30FC\u30EB");
        AppPaths::setProgramFolder(copy.ProgramFolder());
        AppPaths::setHomeFolder(copy.HomeFolder());
        {
            auto hub = CTestFolders::makeHub();
            // Nothing answers there; the list only needs a projector.
            QVERIFY2(FleetUserList::Write(hub.get(), 1, ProjectorTestAddress(1), 7142, &error),
                     qPrintable(error));
            QVERIFY(hub->UpdateGroupDataAtCreateGroup(hall) >= 0);
            QCOMPARE(hub->SaveUserList(), 0);
        }
        AppPaths::setProgramFolder(QString());
        AppPaths::setHomeFolder(QString());

        QProcess* program = copy.Launch(m_Session);
        const QString window = m_Session.WaitForWindow(FILES_TITLE, 60000);
        QVERIFY2(!window.isEmpty(), program->readAllStandardError().right(2000).constData());

        // The file type first, before typing opens the name's completion list:
        // Tab from the name reaches Save, and back from Save the file types,
        // of which the compatible one is the third; Alt+N returns to the name.
        const QString exported = copy.Path(QStringLiteral("older.lst"));
        QVERIFY2(m_Session.SendKeys(window, {"alt+f", "Down", "Right", "Down", "Return"}), qPrintable(m_Session.Error()));
        const QString dialog = otherWindow(window, 20000);
        QVERIFY(!dialog.isEmpty());
        QVERIFY(m_Session.SendKeys(dialog, QStringList{"Tab", "shift+Tab", "Down", "Down", "alt+n", "ctrl+a"}
                                               + typing(exported) + QStringList{"Return"}));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(exported), 20000);
        const QString box = otherWindow(window, 20000);
        QVERIFY(!box.isEmpty());
        QVERIFY(m_Session.SendKeys(box, {"Return"}));

        const QByteArray bytes = CTestFolders::readFile(exported);
        QVERIFY(!bytes.startsWith("\xFF\xFE"));
        QVERIFY(bytes.contains("Projector 1"));
        QVERIFY(bytes.contains(QTextCodec::codecForName("Shift_JIS")->fromUnicode(hall)));

        QTRY_VERIFY_WITH_TIMEOUT(otherWindow(window, 0).isEmpty(), 10000);
        QVERIFY(m_Session.SendKeys(window, {"alt+f", "x"}));
        QVERIFY(ProgramCopy::Finish(program, 30000));
    }
};

QTEST_MAIN(tst_MainProgramFiles)
#include "tst_MainProgramFiles.moc"
