#include <QtTest>

#include "CLumivox5Data.h"
#include "CLumivox5Reg.h"
#include "CProjectorData.h"
#include "CScheduleData.h"
#include "CScheduleManager.h"
#include "Lumivox5Main.h"
#include "MainWindowTestBase.h"
#include "ScriptedModalBoxes.h"
#include "WindowPlacement.h"
#include "ui_Lumivox5Main.h"

#include <QSplitter>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QTextCodec>
#include <QToolBar>

class tst_Lumivox5MainWindowState : public MainWindowTestBase
{
    Q_OBJECT

private:
    QString settingsPath() const { return CLumivox5Reg::SettingsFilePath(); }

    void start()
    {
        m_Window = m_Fixture->makeWindow();
        QVERIFY(m_Window->m_blnProfileLoaded);
        QVERIFY(QTest::qWaitForWindowExposed(m_Window.get()));
        QVERIFY(m_Window->m_blnFirstShowDone);
    }
    // Closes the window, its saves asking nothing, and starts it again.
    void restart()
    {
        ScriptedMessageBoxes script;
        QVERIFY(m_Window->close());
        QVERIFY(script.shown.isEmpty());
        m_Window.reset();
        start();
    }
    // Both files of the exit gone, so that a write shows.
    void removeSavedFiles()
    {
        QFile::remove(settingsPath());
        QFile::remove(m_Fixture->userListPath());
    }

private slots:
    void cleanup()
    {
        MainWindowTestBase::cleanup();
        QApplication::setQuitOnLastWindowClosed(true);
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("desktop");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<bool>("positionValid");
        QTest::addColumn<bool>("sizeValid");
        QTest::addColumn<QRect>("expected");
        const QRect d1280(0, 0, 1280, 800);
        const QRect d1920(0, 0, 1920, 1080);
        QTest::newRow("first start, centred") << d1280 << d1280 << QRect() << false << false
                                              << QRect(240, 100, 800, 600);
        QTest::newRow("centred, offset of the available area not added")
            << d1280 << QRect(100, 30, 1180, 770) << QRect() << false << false << QRect(190, 85, 800, 600);
        QTest::newRow("stored inside") << d1920 << d1920 << QRect(50, 60, 700, 500) << true << true
                                       << QRect(50, 60, 700, 500);
        QTest::newRow("width 3000 on 1920") << d1920 << d1920 << QRect(0, 0, 3000, 700) << true << true
                                            << QRect(0, 0, 1920, 700);
        QTest::newRow("X = -5000") << d1920 << d1920 << QRect(-5000, 10, 800, 600) << true << true
                                   << QRect(0, 10, 800, 600);
        QTest::newRow("partly off the left stays") << d1920 << d1920 << QRect(-300, 10, 800, 600) << true << true
                                                   << QRect(-300, 10, 800, 600);
        QTest::newRow("off the right") << d1920 << d1920 << QRect(1500, 10, 800, 600) << true << true
                                       << QRect(1120, 10, 800, 600);
        QTest::newRow("above the top") << d1920 << d1920 << QRect(10, -40, 800, 600) << true << true
                                       << QRect(10, 0, 800, 600);
        QTest::newRow("below the bottom") << d1920 << d1920 << QRect(10, 1200, 800, 600) << true << true
                                          << QRect(10, 480, 800, 600);
        QTest::newRow("position without size") << d1920 << d1920 << QRect(30, 40, 100, 100) << true << false
                                               << QRect(30, 40, 800, 600);
        QTest::newRow("size without position") << d1920 << d1920 << QRect(30, 40, 1000, 700) << false << true
                                               << QRect(560, 240, 1000, 700);
    }

    void placement()
    {
        QFETCH(QRect, desktop);
        QFETCH(QRect, available);
        QFETCH(QRect, stored);
        QFETCH(bool, positionValid);
        QFETCH(bool, sizeValid);
        QFETCH(QRect, expected);
        QCOMPARE(WindowPlacement::Place(desktop, available, stored, positionValid, sizeValid), expected);
    }

    void firstShowStoresTheDefaultPlace()
    {
        start();
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(m_Window->frameGeometry().size(), QSize(800, 600));
        QCOMPARE(hub()->m_MainWidth, 800);
        QCOMPARE(hub()->m_MainHeight, 600);
        QCOMPARE(hub()->m_MainX, (available.width() - 800) / 2);
        QCOMPARE(hub()->m_MainY, (available.height() - 600) / 2);
    }

    // The splitters: set on the first start, kept from one run to the next;
    // stored sizes that do not fit a splitter are not used.
    void splitterSizes_data()
    {
        QTest::addColumn<QString>("stored"); // the right column's, as in the file; empty: none
        QTest::addColumn<bool>("used");
        QTest::newRow("first start") << QString() << false;
        QTest::newRow("stored") << "300,170" << true;
        QTest::newRow("one pane only") << "470" << false;
        QTest::newRow("not a number") << "300,x" << false;
        QTest::newRow("a negative size") << "300,-170" << false;
    }

    void splitterSizes()
    {
        QFETCH(QString, stored);
        QFETCH(bool, used);
        if (!stored.isEmpty()) {
            m_Fixture->saveSettings([](CLumivox5Data* h) {
                h->m_MainWidth = 800;
                h->m_MainHeight = 600;
                h->m_SplitterSizes[2] = {300, 170};
            });
            QByteArray file = CTestFolders::readFile(settingsPath());
            QVERIFY(file.contains("<string>300,170</string>"));
            file.replace("<string>300,170</string>", "<string>" + stored.toUtf8() + "</string>");
            QVERIFY(CTestFolders::writeFile(settingsPath(), file));
        }
        start();
        const QList<int> right = m_Window->ui->splitter_3->sizes();
        if (used) {
            // Fitted to this window's room, in the stored proportion.
            const int room = right.at(0) + right.at(1);
            QVERIFY2(qAbs(right.at(1) - 170 * room / 470) <= 1, qPrintable(QString::number(right.at(1))));
        } else {
            // The projector list takes what the tab area's 280 leave.
            QCOMPARE(right.at(1), 280);
            QVERIFY2(right.at(0) > 100, qPrintable(QString::number(right.at(0))));
        }
        QCOMPARE(m_Window->ui->splitter_2->sizes().at(0), 240);
        QCOMPARE(m_Window->ui->splitter->sizes().at(2), 145);

        // The operator's sizes are there at the next start, the left
        // column's with its hidden middle pane too.
        m_Window->ui->splitter_2->setSizes({200, m_Window->ui->splitter_2->width() - 200});
        m_Window->ui->splitter->setSizes({m_Window->ui->splitter->height() - 200, 0, 200});
        m_Window->ui->splitter_3->setSizes({250, m_Window->ui->splitter_3->height() - 250});
        const QList<int> left = m_Window->ui->splitter->sizes();
        const QList<int> main = m_Window->ui->splitter_2->sizes();
        const QList<int> list = m_Window->ui->splitter_3->sizes();
        restart();
        QCOMPARE(m_Window->ui->splitter_2->sizes(), main);
        QCOMPARE(m_Window->ui->splitter->sizes(), left);
        QCOMPARE(m_Window->ui->splitter_3->sizes(), list);
    }

    // The detail tab area hidden at exit: after a restart the list has all
    // the room again, and the tab area, shown again, has its room back.
    void aHiddenTabAreaShowsWithItsRoom()
    {
        start();
        m_Window->ui->actMenuViewDetail->trigger();
        QVERIFY(!m_Window->ui->scrollAreaTabMain->isVisible());
        QTRY_COMPARE(m_Window->ui->splitter_3->sizes().at(1), 0);
        const QList<int> hidden = m_Window->ui->splitter_3->sizes();
        restart();
        QCOMPARE(m_Window->ui->splitter_3->sizes(), hidden);
        m_Window->ui->actMenuViewDetail->trigger();
        // Its first 280, less its share of the handle that shows with it.
        QTRY_VERIFY(m_Window->ui->splitter_3->sizes().at(1) > 0);
        const int tabs = m_Window->ui->splitter_3->sizes().at(1);
        QVERIFY2(qAbs(tabs - 280) <= m_Window->ui->splitter_3->handleWidth(), qPrintable(QString::number(tabs)));
    }

    void aStoredPlaceIsUsed()
    {
        m_Fixture->saveSettings([](CLumivox5Data* settings) {
            settings->m_MainX = 20;
            settings->m_MainY = 30;
            settings->m_MainWidth = 500;
            settings->m_MainHeight = 400;
        });
        start();
        QCOMPARE(m_Window->frameGeometry(), QRect(20, 30, 500, 400));
    }

    void movingAndResizingAreStored()
    {
        start();
        m_Window->move(40, 50);
        m_Window->resize(510, 420);
        QTRY_COMPARE(hub()->m_MainX, m_Window->frameGeometry().x());
        QCOMPARE(hub()->m_MainY, m_Window->frameGeometry().y());
        QCOMPARE(hub()->m_MainWidth, m_Window->frameGeometry().width());
        QCOMPARE(hub()->m_MainHeight, m_Window->frameGeometry().height());
        QCOMPARE(hub()->m_LastWidth, 800);
    }

    void exitQuestion_data()
    {
        QTest::addColumn<bool>("schedule");
        QTest::addColumn<bool>("mail");
        QTest::addColumn<QString>("question");
        QTest::newRow("neither") << false << false << QString();
        QTest::newRow("mail") << false << true
                              << QString("Stop a mail function and exit the application.\nAre you sure?");
        QTest::newRow("schedule") << true << false
                                  << QString("Stop a schedule and exit the application.\nThe schedule will be "
                                             "executed automatically the next time the application is "
                                             "launched.\nAre you sure?");
        QTest::newRow("both") << true << true
                              << QString("Stop a mail function and a schedule, then exit the application.\nThe "
                                         "schedule will be executed automatically the next time the application "
                                         "is launched.\nAre you sure?");
    }

    void exitQuestion()
    {
        QFETCH(bool, schedule);
        QFETCH(bool, mail);
        QFETCH(QString, question);
        start();
        hub()->m_ScheduleRunning = schedule;
        hub()->m_pMailSettings->m_Enabled = mail;
        removeSavedFiles();

        ScriptedMessageBoxes script;
        script.answers << QMessageBox::Cancel;
        if (!question.isEmpty()) {
            // Cancel: the window stays, nothing is saved, quitting stays off.
            QVERIFY(!m_Window->close());
            QCOMPARE(script.shown.size(), 1);
            const CMessageBoxes::Box box = script.shown.first();
            QCOMPARE(box.icon, QMessageBox::Question);
            QCOMPARE(box.title, QString("Lumivox 5"));
            QCOMPARE(box.text, question);
            QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
            QCOMPARE(box.defaultButton, QMessageBox::Cancel);
            QVERIFY(box.modalFlag);
            QVERIFY(!hub()->m_ModalDialog);
            QVERIFY(m_Window->isVisible());
            QVERIFY(!QApplication::quitOnLastWindowClosed());
            QVERIFY(!QFile::exists(settingsPath()));
            QVERIFY(!QFile::exists(m_Fixture->userListPath()));
            script.answers << QMessageBox::Ok;
        }
        QVERIFY(m_Window->close());
        QCOMPARE(script.shown.size(), question.isEmpty() ? 0 : 2);
        QVERIFY(QApplication::quitOnLastWindowClosed());
        QVERIFY(QFile::exists(settingsPath()));
        QVERIFY(CTestFolders::readFile(m_Fixture->userListPath()).startsWith("\xFF\xFE"));
    }

    // Maximised or full screen, however often the screen resizes the
    // window: the size before is saved, at (0, 0).
    void maximiseThenQuitSavesTheEarlierSize_data()
    {
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<int>("laterResizes");
        QTest::newRow("maximised") << false << 0;
        QTest::newRow("maximised, resized again") << false << 2;
        QTest::newRow("full screen, resized again") << true << 1;
    }

    void maximiseThenQuitSavesTheEarlierSize()
    {
        QFETCH(bool, fullScreen);
        QFETCH(int, laterResizes);
        start();
        m_Window->move(40, 50);
        m_Window->resize(500, 400);
        QTRY_COMPARE(hub()->m_MainWidth, m_Window->frameGeometry().width());
        const QSize before = m_Window->frameGeometry().size();
        if (fullScreen)
            m_Window->showFullScreen();
        else
            m_Window->showMaximized();
        if (!QTest::qWaitFor([&] { return m_Window->frameGeometry().size() != before; }, 3000))
            QSKIP("this display maximises nothing (no window manager)");
        // As when the screen or its panels change under the maximised window.
        for (int n = 1; n <= laterResizes; ++n) {
            QResizeEvent resize(m_Window->size(), m_Window->size());
            QCoreApplication::sendEvent(m_Window.get(), &resize);
            QVERIFY(m_Window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
        }
        ScriptedMessageBoxes script;
        QVERIFY(m_Window->close());
        QVERIFY(script.shown.isEmpty());

        std::unique_ptr<CLumivox5Data> saved = CTestFolders::makeHub();
        QCOMPARE(saved->m_MainX, 0);
        QCOMPARE(saved->m_MainY, 0);
        QCOMPARE(saved->m_MainWidth, before.width());
        QCOMPARE(saved->m_MainHeight, before.height());
    }

    // A file of the exit cannot be written (a folder has its name) after a
    // projector and a schedule were added: the operator chooses, and no
    // answer loses either silently.
    void aFailedSaveAtExitAsks_data()
    {
        QTest::addColumn<QString>("blocked"); // "user list" or "schedule"
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("mendBeforeRetry");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        for (const QString& blocked : {QStringLiteral("user list"), QStringLiteral("schedule")}) {
            const QByteArray name = blocked.toUtf8();
            QTest::newRow(name + ": cancel keeps the program running")
                << blocked << QList<int>{QMessageBox::Cancel} << false << false << false;
            QTest::newRow(name + ": exit anyway") << blocked << QList<int>{QMessageBox::Ignore} << false << true << false;
            QTest::newRow(name + ": retry once mended")
                << blocked << QList<int>{QMessageBox::Retry} << true << true << true;
            QTest::newRow(name + ": retry, failing again, cancel")
                << blocked << QList<int>{QMessageBox::Retry, QMessageBox::Cancel} << false << false << false;
        }
    }

    void aFailedSaveAtExitAsks()
    {
        QFETCH(QString, blocked);
        QFETCH(QList<int>, answers);
        QFETCH(bool, mendBeforeRetry);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        start();
        removeSavedFiles();
        const QString schedulePath = hub()->GetDefaultScheduleFilePath();
        const QString path = blocked == QLatin1String("schedule") ? schedulePath : m_Fixture->userListPath();
        const QString other = path == schedulePath ? m_Fixture->userListPath() : schedulePath;
        QVERIFY(QDir().mkpath(path));
        QVERIFY(hub()->AddProjector(QStringLiteral("Echo"), 0, CProjectorData::TYPE_LAN::IP,
                                    QStringLiteral("192.168.0.15"), QStringLiteral("7142"), true, QString()));
        auto* schedule = new CScheduleData(QDateTime(QDate(2030, 1, 9), QTime(12, 0)));
        schedule->TargetName = QStringLiteral("192.168.0.15");
        schedule->Comment = QStringLiteral("Echo");
        QVERIFY(hub()->m_pScheduleManager->f_AddSchedule(schedule, true));
        // Both files hold the edits, as UTF-16 text.
        const auto holdsTheEdit = [](const QString& file) {
            return QTextCodec::codecForName("UTF-16")->toUnicode(CTestFolders::readFile(file)).contains(
                QLatin1String("Echo"));
        };
        ScriptedMessageBoxes script;
        CMessageBoxes::SetScript([&](const CMessageBoxes::Box& box) {
            script.shown << box;
            const auto answer = QMessageBox::StandardButton(answers.at(script.shown.size() - 1));
            if (answer == QMessageBox::Retry && mendBeforeRetry)
                QDir(path).removeRecursively();
            return answer;
        });
        QCOMPARE(m_Window->close(), closed);
        QCOMPARE(script.shown.size(), answers.size());
        for (const CMessageBoxes::Box& box : qAsConst(script.shown)) {
            QCOMPARE(box.icon, QMessageBox::Warning);
            QCOMPARE(box.buttons, QMessageBox::Retry | QMessageBox::Ignore | QMessageBox::Cancel);
            QCOMPARE(box.defaultButton, QMessageBox::Retry);
            QCOMPARE(box.buttonTexts.value(QMessageBox::Ignore), QStringLiteral("Exit anyway"));
            QVERIFY2(box.text.contains(QDir::toNativeSeparators(path)), qPrintable(box.text));
            QVERIFY2(!box.text.contains(QDir::toNativeSeparators(other)), qPrintable(box.text));
        }
        QCOMPARE(m_Window->isVisible(), !closed);
        QCOMPARE(QApplication::quitOnLastWindowClosed(), closed);
        // The settings and the other file were written in every case; the
        // blocked one only once it could be.
        QVERIFY(QFileInfo(settingsPath()).isFile());
        QVERIFY(holdsTheEdit(other));
        QCOMPARE(QFileInfo(path).isFile(), saved);
        if (saved)
            QVERIFY(holdsTheEdit(path));
        if (!closed) {
            // Still running with the edits: the next close saves them.
            QVERIFY(m_Window->m_tmrUpdateDelay);
            QCOMPARE(hub()->m_pScheduleManager->f_GetScheduleMap().size(), 1);
            QVERIFY(QDir(path).removeRecursively());
            CMessageBoxes::SetScript(CMessageBoxes::Script());
            ScriptedMessageBoxes quiet;
            QVERIFY(m_Window->close());
            QVERIFY(quiet.shown.isEmpty());
            QVERIFY(holdsTheEdit(path));
        }
    }

    void contextMenuFilter_data()
    {
        QTest::addColumn<bool>("toolBar");
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("consumed");
        QTest::newRow("menu bar, mouse") << false << int(QContextMenuEvent::Mouse) << true;
        QTest::newRow("toolbar, mouse") << true << int(QContextMenuEvent::Mouse) << true;
        QTest::newRow("menu bar, keyboard") << false << int(QContextMenuEvent::Keyboard) << false;
        QTest::newRow("toolbar, keyboard") << true << int(QContextMenuEvent::Keyboard) << false;
    }

    void contextMenuFilter()
    {
        QFETCH(bool, toolBar);
        QFETCH(int, reason);
        QFETCH(bool, consumed);
        start();
        QWidget* target = toolBar ? static_cast<QWidget*>(m_Window->ui->mainToolBar)
                                  : static_cast<QWidget*>(m_Window->ui->menuBar);
        QContextMenuEvent event(QContextMenuEvent::Reason(reason), QPoint(5, 5));
        QObject* filter = m_Window.get();
        QCOMPARE(filter->eventFilter(target, &event), consumed);
        QMoveEvent other(QPoint(1, 1), QPoint(0, 0));
        QVERIFY(!filter->eventFilter(target, &other));
    }

    void enableWindowProc_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("expected");
        QTest::newRow("minimised") << int(Qt::WindowMinimized) << int(Qt::WindowNoState);
        QTest::newRow("maximised") << int(Qt::WindowMaximized) << int(Qt::WindowMaximized);
        QTest::newRow("both") << int(Qt::WindowMinimized | Qt::WindowMaximized)
                              << int(Qt::WindowMinimized | Qt::WindowMaximized);
        QTest::newRow("normal") << int(Qt::WindowNoState) << int(Qt::WindowNoState);
    }

    void enableWindowProc()
    {
        QFETCH(int, state);
        QFETCH(int, expected);
        start();
        m_Window->setWindowState(Qt::WindowStates(state));
        QApplication::setQuitOnLastWindowClosed(false);
        QMetaObject::invokeMethod(m_Window.get(), "f_EnableWindowProc", Qt::QueuedConnection);
        QTRY_VERIFY(QApplication::quitOnLastWindowClosed());
        QCOMPARE(int(m_Window->windowState()), expected);
        QVERIFY(m_Window->isVisible());
    }
};

QTEST_MAIN(tst_Lumivox5MainWindowState)
#include "tst_Lumivox5MainWindowState.moc"
