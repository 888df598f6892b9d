#include <QtTest>

#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "CProjectorTreeView.h"
#include "Lumivox5Main.h"
#include "MainWindowFixture.h"
#include "MainWindowTestBase.h"
#include "ui_Lumivox5Main.h"

#include <QHeaderView>
#include <QMenu>
#include <QPointer>
#include <QSortFilterProxyModel>

#include <memory>

namespace {

const char USER_LIST[] = "[Header Info]\n"
                         "MagicCode=258-0017-686-1-5F\n"
                         "RevCode=Rev.1.0\n"
                         "[Setting 001]\nSettingName=Bravo\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.13\nLanPort=7142\nEnabled=True\nGroupList=\n"
                         "[Setting 002]\nSettingName=Alpha\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.11\nLanPort=7142\nEnabled=True\nGroupList=\n"
                         "[Setting 003]\nSettingName=Charlie\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.12\nLanPort=7142\nEnabled=True\nGroupList=\n";

// Column ids of the built-in table.
const int SETTING_NAME = 3;
const int SETTING = 5;

QImage picture(const QIcon& icon)
{
    return icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class tst_Lumivox5MainSortMenu : public MainWindowTestBase
{
    Q_OBJECT

private:
    qint64 m_Blank = 0;

    CLumivox5Data* hub() const { return m_Window->m_Lumivox5Data; }
    CProjectorTreeView* list() const { return m_Window->ui->treeViewPJList; }
    QSortFilterProxyModel* proxy() const { return qobject_cast<QSortFilterProxyModel*>(list()->model()); }
    int modelColumn(int id) const { return list()->m_columnIndexByKey.value(id, 0); }

    void start()
    {
        QVERIFY(m_Fixture->writeUserList(USER_LIST));
        m_Window = m_Fixture->makeWindow();
        QVERIFY(m_Window->m_blnProfileLoaded);
        m_Window->f_ShowAllProjectors();
        QVERIFY(proxy());
        QAction probe;
        m_Window->f_SetMenuCheckedDot(&probe, false);
        m_Blank = probe.icon().cacheKey();
    }

    // Opens the sort menu: one entry per column id, read as
    // "title icon" with the icon "up", "down", "blank" or "?", and "(off)"
    // for a disabled entry.
    QStringList openMenu()
    {
        QMenu* menu = m_Window->ui->menuViewSort;
        emit menu->aboutToShow();
        const QImage up = picture(QIcon(QStringLiteral(":/icon/ico/SortAscending24.ico")));
        const QImage down = picture(QIcon(QStringLiteral(":/icon/ico/SortDescending24.ico")));
        QStringList entries;
        for (QAction* entry : menu->actions()) {
            QString icon = QStringLiteral("?");
            if (entry->icon().cacheKey() == m_Blank)
                icon = QStringLiteral("blank");
            else if (!up.isNull() && picture(entry->icon()) == up)
                icon = QStringLiteral("up");
            else if (!down.isNull() && picture(entry->icon()) == down)
                icon = QStringLiteral("down");
            entries << entry->text() + ' ' + icon + (entry->isEnabled() ? QString() : QStringLiteral(" (off)"));
        }
        return entries;
    }

    void choose(int id)
    {
        QAction* entry = m_Window->ui->menuViewSort->actions().value(id);
        QVERIFY(entry);
        QCOMPARE(entry->data().toInt(), modelColumn(id));
        entry->trigger();
    }

    QStringList names() const
    {
        QStringList shown;
        for (int row = 0; row < proxy()->rowCount(); ++row)
            shown << proxy()->index(row, modelColumn(SETTING_NAME)).data().toString();
        return shown;
    }

    void expectSorted(int id, Qt::SortOrder order)
    {
        QCOMPARE(proxy()->sortColumn(), modelColumn(id));
        QCOMPARE(proxy()->sortOrder(), order);
        QCOMPARE(hub()->m_PjListSortID, id);
        QCOMPARE(hub()->m_PjListSortAssending, order == Qt::AscendingOrder);
    }

private slots:
    void everyColumnHasItsEntry()
    {
        start();
        const QStringList titles{"Projector Error", "Communication Error", "Projector Name", "Setting Name",
                                 "Device", "Setting", "Port", "Model Name", "Status", "Picture Blank",
                                 "Sound Mute", "On-screen Display", "Eco Mode", "Lamp Used Hours",
                                 "Lamp2 Used Hours", "Filter Used Hours", "Input Terminal", "MAC Address",
                                 "MAC Address2", "MAC Address3", "Lens Cover/Shutter", "Serial No.",
                                 "User Comment", "Last Update", "Remark"};
        openMenu();
        QStringList texts;
        for (QAction* entry : m_Window->ui->menuViewSort->actions()) {
            texts << entry->text();
            QCOMPARE(entry->parent(), m_Window.get());
            const CListViewColumnStatus* column = hub()->m_pPjListColumnStatus->value(texts.size() - 1);
            QCOMPARE(entry->isEnabled(), column->m_Visible);
        }
        QCOMPARE(texts, titles);
        // Each opening replaces the entries of the last.
        const QPointer<QAction> old = m_Window->ui->menuViewSort->actions().first();
        openMenu();
        QVERIFY(old.isNull());
        QCOMPARE(m_Window->ui->menuViewSort->actions().size(), titles.size());
    }

    void theSameColumnInverts()
    {
        start();
        m_Window->f_SortPjList(modelColumn(SETTING_NAME), Qt::AscendingOrder);
        QCOMPARE(openMenu().at(SETTING_NAME), QStringLiteral("Setting Name up"));
        QCOMPARE(openMenu().filter(QStringLiteral(" up")).size(), 1);
        QCOMPARE(names(), (QStringList{"Alpha", "Bravo", "Charlie"}));
        choose(SETTING_NAME);
        expectSorted(SETTING_NAME, Qt::DescendingOrder);
        QCOMPARE(names(), (QStringList{"Charlie", "Bravo", "Alpha"}));
        QCOMPARE(openMenu().at(SETTING_NAME), QStringLiteral("Setting Name down"));
        choose(SETTING_NAME);
        expectSorted(SETTING_NAME, Qt::AscendingOrder);
    }

    void anotherColumnKeepsTheOrder()
    {
        start();
        m_Window->f_SortPjList(modelColumn(SETTING_NAME), Qt::DescendingOrder);
        openMenu();
        choose(SETTING);
        expectSorted(SETTING, Qt::DescendingOrder);
        // By address, .13 first.
        QCOMPARE(names(), (QStringList{"Bravo", "Charlie", "Alpha"}));
        const QStringList entries = openMenu();
        QCOMPARE(entries.at(SETTING), QStringLiteral("Setting down"));
        QCOMPARE(entries.at(SETTING_NAME), QStringLiteral("Setting Name blank"));
    }

    void aHiddenColumnIsOffWithTheBlank()
    {
        start();
        m_Window->f_SortPjList(modelColumn(SETTING), Qt::AscendingOrder);
        hub()->m_pPjListColumnStatus->value(SETTING)->m_Visible = false;
        hub()->m_pPjListColumnStatus->value(SETTING_NAME)->m_Visible = true;
        const QStringList entries = openMenu();
        // The menu follows the column table; the list's sort is the list's.
        QCOMPARE(entries.at(SETTING), QStringLiteral("Setting up (off)"));
        QCOMPARE(entries.at(SETTING_NAME), QStringLiteral("Setting Name blank"));
        m_Window->f_SortPjList(modelColumn(SETTING_NAME), Qt::AscendingOrder);
        QCOMPARE(openMenu().at(SETTING), QStringLiteral("Setting blank (off)"));
    }

    void beforeAnySort()
    {
        start();
        proxy()->sort(-1);
        QCOMPARE(proxy()->sortColumn(), -1);
        const QStringList entries = openMenu();
        for (const QString& entry : entries)
            QVERIFY2(entry.contains(QLatin1String(" blank")), qPrintable(entry));
        choose(SETTING);
        expectSorted(SETTING, Qt::AscendingOrder);
    }

    void aNegativeColumnSortsAgainAndRecords()
    {
        start();
        m_Window->f_SortPjList(modelColumn(SETTING), Qt::DescendingOrder);
        hub()->m_PjListSortID = SETTING_NAME;
        hub()->m_PjListSortAssending = true;
        m_Window->f_SortPjList();
        expectSorted(SETTING, Qt::DescendingOrder);
        QCOMPARE(names(), (QStringList{"Bravo", "Charlie", "Alpha"}));
    }

    // A header click sorts the list itself; the window only records it.
    void aHeaderClickIsRecorded()
    {
        start();
        m_Window->f_SortPjList(modelColumn(SETTING), Qt::AscendingOrder);
        list()->sortByColumn(modelColumn(SETTING_NAME), Qt::DescendingOrder);
        QCOMPARE(hub()->m_PjListSortID, SETTING);
        emit list()->f_ChangePjListSortConditions();
        expectSorted(SETTING_NAME, Qt::DescendingOrder);
    }
};

QTEST_MAIN(tst_Lumivox5MainSortMenu)
#include "tst_Lumivox5MainSortMenu.moc"
