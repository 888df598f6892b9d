#include <QtTest>

#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "Lumivox5Main.h"
#include "MainWindowFixture.h"
#include "MainWindowTestBase.h"
#include "RequestRecorder.h"
#include "ScriptedModalBoxes.h"
#include "StartedMainWindow.h"
#include "ui_Lumivox5Main.h"

#include <QLineEdit>
#include <QMutexLocker>

#include <memory>

namespace {

const char USER_LIST[] = "[Header Info]\n"
                         "MagicCode=258-0017-686-1-5F\n"
                         "RevCode=Rev.1.0\n"
                         "[Setting 001]\nSettingName=Stage\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.11\nLanPort=7142\nEnabled=True\nGroupList=\n"
                         "[Setting 002]\nSettingName=Lobby\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.12\nLanPort=7142\nEnabled=True\nGroupList=\n";

const QString OLD_NAME = QStringLiteral("Stage left");

} // namespace

// The operator edits a projector's name in the list; the window turns the
// finished edit into a request to the projector, or warns.
class tst_Lumivox5MainRename : public MainWindowTestBase
{
    Q_OBJECT

private:
    CProjectorTreeView* list() const { return m_Window->ui->treeViewPJList; }

    QModelIndex nameIndex() const
    {
        const int row = list()->GetDispPjDataIDList().indexOf(1);
        return list()->model()->index(row, list()->m_columnIndexByKey.value(2));
    }
    QString nameCell() const { return nameIndex().data().toString(); }

    // Opens the name editor of projector 1 from the menu entry.
    QLineEdit* startEditing()
    {
        MainWindowFixture::selectProjectors(m_Window.get(), {1});
        m_Window->ui->actMenuPJRename->trigger();
        return qobject_cast<QLineEdit*>(list()->indexWidget(nameIndex()));
    }

    // Types the name and ends the edit with Return, as the operator would.
    void finishEditing(QLineEdit* editor, const QString& typed)
    {
        editor->setText(typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!list()->indexWidget(nameIndex()));
    }

private slots:
    void init()
    {
        MainWindowTestBase::init();
        if (QTest::currentTestFailed())
            return;
        m_Window = StartMainWindow(*m_Fixture, USER_LIST);
        QVERIFY(m_Window);

        // Projector 1 runs and reports its name.
        CProjectorData* record = hub()->GetProjectorData(1);
        QVERIFY(record);
        record->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
        record->m_Status[CProjectorData::StPowerStatus].FromInt(1);
        record->m_Status[CProjectorData::StProjectorName].FromString(OLD_NAME);
        m_Window->OnReceiveUpdateTiming(1, 1, 1, 1);
        m_Window->OnTimerUpdateDelay();
        QCOMPARE(nameCell(), OLD_NAME);
        // The name column is hidden until the operator shows it.
        list()->setColumnHidden(list()->m_columnIndexByKey.value(2), false);

        // When renaming is offered is the menus' rule; here it always is.
        disconnect(list(), &CProjectorTreeView::f_RequestIsSetProjectorNameEnabled, m_Window.get(), nullptr);
        connect(list(), &CProjectorTreeView::f_RequestIsSetProjectorNameEnabled, this,
                [](int, bool& enabled) { enabled = true; }, Qt::DirectConnection);
    }

    void finishedEdit_data()
    {
        QTest::addColumn<QString>("typed");
        // What reached the dispatcher, and the name each request carried.
        QTest::addColumn<QStringList>("requests");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<QString>("cell");
        const QString sixteen = QStringLiteral("Projector-16-chr");
        QTest::newRow("16 characters") << sixteen << QStringList{"93 [0] 1 2 [1] 1 1"} << QStringList{sixteen}
                                       << QStringList() << sixteen;
        QTest::newRow("17 characters") << sixteen + "x" << QStringList() << QStringList()
                                       << QStringList{"The projector name must be 16 characters or less."}
                                       << OLD_NAME;
        QTest::newRow("unchanged") << OLD_NAME << QStringList() << QStringList() << QStringList() << OLD_NAME;
    }
    void finishedEdit()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, requests);
        QFETCH(QStringList, names);
        QFETCH(QStringList, warnings);
        QFETCH(QString, cell);
        ScriptedMessageBoxes boxes;
        RequestRecorder recorder;
        QLineEdit* editor = startEditing();
        QVERIFY(editor);
        finishEditing(editor, typed);
        QCOMPARE(recorder.requests, requests);
        QStringList sent;
        for (const QList<CVariantParameter>& params : qAsConst(recorder.parameters)) {
            QStringList texts;
            for (const CVariantParameter& value : params)
                texts << value.ToString();
            sent << texts.join(',');
        }
        QCOMPARE(sent, names);
        QStringList shown;
        for (const CMessageBoxes::Box& box : qAsConst(boxes.shown)) {
            QCOMPARE(box.icon, QMessageBox::Warning);
            QCOMPARE(box.title, QStringLiteral("Lumivox 5"));
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box.defaultButton, QMessageBox::Ok);
            QVERIFY(box.modalFlag);
            shown << box.text;
        }
        QCOMPARE(shown, warnings);
        QVERIFY(!hub()->m_ModalDialog);
        QCOMPARE(nameCell(), cell);
    }

    // The projector was deleted while its name was being edited.
    void deletedMeanwhileSendsNothing()
    {
        RequestRecorder recorder;
        QLineEdit* editor = startEditing();
        QVERIFY(editor);
        {
            QMutexLocker lock(&hub()->m_Mutex);
            delete hub()->m_pProjectorDatas->take(1);
        }
        finishEditing(editor, QStringLiteral("New name"));
        QVERIFY(recorder.requests.isEmpty());
    }
};

QTEST_MAIN(tst_Lumivox5MainRename)
#include "tst_Lumivox5MainRename.moc"
