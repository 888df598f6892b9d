#include <QtTest>

#include "CDataFunctions.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "CProjectorTreeView.h"
#include "CSystemClock.h"
#include "CVirtualTime.h"
#include "GuiTestSupport.h"
#include "Lumivox5Main.h"
#include "MainWindowSelectionRig.h"
#include "ScriptedModalBoxes.h"
#include "SettingsDialogFrame.h"
#include "ui_Lumivox5Main.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QGraphicsPixmapItem>
#include <QGraphicsView>
#include <QHeaderView>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTreeView>

namespace {

QImage Picture(const QIcon& icon)
{
    return icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Works the column chooser as the operator would: "select:<title>",
// the object name of a button to click, "ok" or "cancel".
void Operate(QWidget* dialog, const QStringList& steps)
{
    auto* list = dialog->findChild<QTreeView*>(QStringLiteral("tvDetails"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QVERIFY(list && buttons);
    for (const QString& step : steps) {
        if (step.startsWith(QLatin1String("select:"))) {
            const QModelIndexList found =
                list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, step.mid(7), 1, Qt::MatchExactly);
            QVERIFY2(!found.isEmpty(), qPrintable(step));
            list->setCurrentIndex(found.first());
        } else if (step == QLatin1String("ok")) {
            buttons->button(QDialogButtonBox::Ok)->click();
        } else if (step == QLatin1String("cancel")) {
            buttons->button(QDialogButtonBox::Cancel)->click();
        } else {
            auto* button = dialog->findChild<QPushButton*>(step);
            QVERIFY2(button && button->isEnabled(), qPrintable(step));
            button->click();
        }
    }
}

const QString DEFAULT_HEADER = ", , Setting Name, Setting, Status, Eco Mode, Lamp Used Hours, Filter Used Hours, "
                               "Input Terminal, MAC Address, Serial No.";

} // namespace

// The main window's tray icon, status bar and its column chooser launcher,
// on the selection rig's four projectors.
class tst_Lumivox5MainShell : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindowSelectionRig> m_Rig;

    Lumivox5Main* window() const { return m_Rig->window.get(); }
    CLumivox5Data* hub() const { return window()->m_Lumivox5Data; }
    CProjectorTreeView* list() const { return m_Rig->list(); }
    QSortFilterProxyModel* proxy() const { return qobject_cast<QSortFilterProxyModel*>(list()->model()); }
    QSystemTrayIcon* tray() const { return window()->findChild<QSystemTrayIcon*>(); }

    // The shown header titles from left to right, the icon columns empty.
    QString header() const
    {
        QHeaderView* sections = list()->header();
        QStringList titles;
        for (int visual = 0; visual < sections->count(); ++visual) {
            const int logical = sections->logicalIndex(visual);
            if (!sections->isSectionHidden(logical))
                titles << list()->model()->headerData(logical, Qt::Horizontal).toString();
        }
        return titles.join(QStringLiteral(", "));
    }
    // The titles of the hub's shown columns in display order, the icon columns empty.
    QString stored() const
    {
        QStringList titles;
        for (CListViewColumnStatus* record :
             CListViewColumnStatus::SortedByDisplayIndex(hub()->m_pPjListColumnStatus->values())) {
            if (record->m_Visible)
                titles << (record->m_ID > 1 ? record->m_Title : QString());
        }
        return titles.join(QStringLiteral(", "));
    }

private slots:
    void initTestCase()
    {
        GuiTestSupport::InstallEnglishCatalogue();
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    }

    void init()
    {
        m_Rig.reset(new MainWindowSelectionRig);
        QVERIFY(m_Rig->start());
    }

    void cleanup()
    {
        m_Rig.reset();
        CSystemClock::SetNowFunction(CSystemClock::NowFunction());
    }

    void trayIconIsMadeHiddenWithItsMenu()
    {
        QSystemTrayIcon* icon = tray();
        QVERIFY(icon);
        QVERIFY(!icon->isVisible());
        QVERIFY(icon->icon().isNull());
        QCOMPARE(icon->toolTip(), QString("Lumivox 5"));
        QVERIFY(icon->contextMenu());
        QStringList entries;
        for (QAction* action : icon->contextMenu()->actions()) {
            entries << (action->isSeparator() ? QString("-") : action->text());
            QVERIFY(action->isEnabled());
        }
        QCOMPARE(entries, (QStringList{"Window &Show", "-", "Schedule &Execute", "Schedule &Cancel", "-", "&Help", "-",
                                       "&About Lumivox 5", "-", "E&xit"}));

        // Window Show brings a minimised window back; Exit closes it.
        window()->showMinimized();
        icon->contextMenu()->actions().first()->trigger();
        QVERIFY(!(window()->windowState() & Qt::WindowMinimized));
        QVERIFY(window()->isVisible());
        icon->contextMenu()->actions().last()->trigger();
        QTRY_VERIFY(!window()->isVisible());
    }

    void trayImageFollowsTheSchedule_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("image");
        QTest::newRow("running") << true << ":/icon/ico/NotifyScheduleRunning.ico";
        QTest::newRow("stopped") << false << ":/icon/ico/ProjectorImage.ico";
    }

    void trayImageFollowsTheSchedule()
    {
        QFETCH(bool, running);
        QFETCH(QString, image);
        const QImage expected = Picture(QIcon(image));
        QVERIFY(!QPixmap(image).isNull());
        window()->f_SetNotifyScheduleRunningIcon(!running);
        QVERIFY(Picture(tray()->icon()) != expected);
        window()->f_SetNotifyScheduleRunningIcon(running);
        QCOMPARE(Picture(tray()->icon()), expected);
        QVERIFY(!tray()->isVisible());
    }

    void centreCountsTheSelectedOfTheListed_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("message");
        QTest::newRow("none selected") << "All Projectors" << QList<int>{} << "";
        QTest::newRow("three of four") << "All Projectors" << QList<int>{1, 2, 4} << "3 of 4 selected";
        QTest::newRow("a whole group") << "Floor 1" << QList<int>{1, 2, 3} << "3 of 3 selected";
        QTest::newRow("one of a group") << "Floor 2" << QList<int>{4} << "1 of 1 selected";
        QTest::newRow("selection cleared") << "Floor 1" << QList<int>{} << "";
    }

    void centreCountsTheSelectedOfTheListed()
    {
        QFETCH(QString, node);
        QFETCH(QList<int>, selected);
        QFETCH(QString, message);
        // Something else first, so that the row's own selection sets the text.
        m_Rig->select({1});
        QCOMPARE(window()->m_lblStatus[1]->text(), QString("1 of 4 selected"));
        QVERIFY(m_Rig->selectGroupNode(node));
        m_Rig->select(selected);
        QCOMPARE(window()->m_lblStatus[1]->text(), message);
    }

    void clockShowsTheSchedulerTime()
    {
        // The computer's clock says otherwise: the field reads the scheduler's.
        CSystemClock::SetNowFunction([] { return QDateTime(QDate(2031, 5, 20), QTime(10, 15, 42)); });
        CVirtualTime* clock = window()->m_DataThread->GetVirtualTime();
        clock->Stop();
        clock->m_VirtualTimeAllowed = true;
        clock->m_VirtualTimeOn = true;
        clock->m_BasedOnNow = false;
        clock->m_Acceleration = 1;
        clock->m_Counter = 0;
        clock->m_StartTime = QDateTime(QDate(2026, 12, 9), QTime(8, 34, 24));
        clock->m_LastTime = clock->m_StartTime;
        QLabel* field = window()->m_lblStatus[2];
        QTRY_COMPARE(field->text(), QString("Dec.09, 2026 (Wed) 08:34:24"));
        QVERIFY(field->isHidden());
        clock->f_OnTimerUpdateDelay();
        QTRY_COMPARE(field->text(), QString("Dec.09, 2026 (Wed) 08:34:25"));
    }

    void eventFieldIsMadeHiddenWithItsIcon()
    {
        auto* label = window()->ui->statusBar->findChild<QLabel*>(QStringLiteral("lblEventString"));
        QVERIFY(label);
        QVERIFY(label->isHidden());
        QCOMPARE(label->indent(), 16);
        auto* icon = label->findChild<QGraphicsView*>();
        QVERIFY(icon);
        QVERIFY(!icon->isHidden());
        QCOMPARE(icon->size(), QSize(14, 14));
        QCOMPARE(icon->minimumSize(), QSize(14, 14));
        QCOMPARE(icon->maximumSize(), QSize(14, 14));
        QCOMPARE(icon->focusPolicy(), Qt::NoFocus);
        QCOMPARE(icon->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(icon->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(icon->frameShape(), QFrame::NoFrame);
        QVERIFY(icon->scene());
        const QList<QGraphicsItem*> items = icon->scene()->items();
        QCOMPARE(items.size(), 1);
        auto* picture = qgraphicsitem_cast<QGraphicsPixmapItem*>(items.first());
        QVERIFY(picture && !picture->pixmap().isNull());
        // Scaled so that the picture fills the 14 pixels.
        QCOMPARE(qRound(picture->pixmap().width() * icon->transform().m11()), 14);
        QCOMPARE(label->parentWidget(), window()->ui->statusBar);
        // The centre field is still the only one shown.
        QVERIFY(!window()->m_lblStatus[1]->isHidden());
        QVERIFY(window()->m_lblStatus[0]->isHidden());
    }

    void chooserOpensModalFromMenuAndHeader_data()
    {
        QTest::addColumn<bool>("fromHeader");
        QTest::newRow("View > Edit Column") << false;
        QTest::newRow("the header's Edit Column") << true;
    }

    void chooserOpensModalFromMenuAndHeader()
    {
        QFETCH(bool, fromHeader);
        bool flag = false;
        bool modal = false;
        Qt::WindowFlags flags;
        QString title;
        GuiTestSupport::OnNextPopup([&](QWidget* dialog) {
            flag = hub()->m_ModalDialog;
            modal = dialog->isModal();
            flags = dialog->windowFlags();
            title = dialog->windowTitle();
            Operate(dialog, {"cancel"});
        });
        if (fromHeader)
            emit list()->f_RequestEditColumns();
        else
            window()->ui->actMenuViewEditColumn->trigger();
        QCOMPARE(title, QString("Choose Details"));
        QVERIFY(flag);
        QVERIFY(modal);
        QCOMPARE(flags, SETTINGS_DIALOG_FLAGS);
        QVERIFY(!hub()->m_ModalDialog);
        QVERIFY(window()->findChildren<QDialog*>().isEmpty());
    }

    void chooserResultReachesHeaderAndHub_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("defaultAnswer");
        QTest::addColumn<QString>("expected");
        const QString f1 = ", , Eco Mode, Status, Setting Name, Setting, Lamp Used Hours, Filter Used Hours, "
                           "Input Terminal, MAC Address, Serial No.";
        QTest::newRow("Status up twice, Eco Mode up three times")
            << QStringList{"select:Status", "btnMoveUp",   "btnMoveUp", "select:Eco Mode",
                           "btnMoveUp",     "btnMoveUp",   "btnMoveUp", "ok"}
            << 0 << f1;
        QTest::newRow("moved, hidden and shown, cancelled")
            << QStringList{"select:Status", "btnMoveUp", "btnHide", "select:Remark", "btnShow", "cancel"} << 0
            << QString();
        QTest::newRow("Default, OK") << QStringList{"btnInit", "ok"} << int(QMessageBox::Ok) << DEFAULT_HEADER;
        QTest::newRow("Default, Cancel") << QStringList{"btnInit", "cancel"} << int(QMessageBox::Ok) << QString();
        // From the last row to the first.
        QStringList toTheFront{"select:Remark", "btnShow"};
        for (int row = 22; row > 0; --row)
            toTheFront << "btnMoveUp";
        QTest::newRow("Remark shown at the front")
            << (toTheFront << "ok") << 0 << ", , Remark, " + DEFAULT_HEADER.mid(4);
    }

    void chooserResultReachesHeaderAndHub()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, defaultAnswer);
        QFETCH(QString, expected);
        // A layout other than the default, so that Default shows, and a
        // recorded sort on a hidden column, which the check after the
        // chooser replaces by the last shown column, whatever the answer.
        if (!steps.contains("btnInit")) {
            QCOMPARE(header(), DEFAULT_HEADER);
        } else {
            GuiTestSupport::OnNextPopup(
                [&](QWidget* dialog) { Operate(dialog, {"select:Lamp Used Hours", "btnHide", "ok"}); });
            window()->f_ShowColumnDetail();
            QVERIFY(!header().contains("Lamp Used Hours"));
        }
        const QString before = header();
        hub()->m_PjListSortID = 2;
        QCOMPARE(proxy()->sortColumn(), list()->m_columnIndexByKey.value(3));

        ScriptedMessageBoxes boxes;
        boxes.answers << QMessageBox::StandardButton(defaultAnswer);
        GuiTestSupport::OnNextPopup([&](QWidget* dialog) { Operate(dialog, steps); });
        window()->f_ShowColumnDetail();

        const bool accepted = !expected.isEmpty();
        QCOMPARE(header(), accepted ? expected : before);
        QCOMPARE(stored(), header());
        QCOMPARE(hub()->m_pPjListColumnStatus->size(), CListViewColumnStatus::COLUMN_COUNT);
        for (int key = 0; key < CListViewColumnStatus::COLUMN_COUNT; ++key) {
            const CListViewColumnStatus* record = hub()->m_pPjListColumnStatus->value(key);
            QVERIFY(record);
            QCOMPARE(record->m_ID, key);
        }
        // The sort fell back to the last shown column in key order.
        const int fallback = header().contains("Remark") ? 24 : 21;
        QCOMPARE(proxy()->sortColumn(), list()->m_columnIndexByKey.value(fallback));
    }
};

QTEST_MAIN(tst_Lumivox5MainShell)
#include "tst_Lumivox5MainShell.moc"
