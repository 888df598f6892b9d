#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QtTest>

#include <memory>
#include <vector>

#include "CProjectorListRig.h"
#include "CProjectorTreeView.h"
#include "GuiTestSupport.h"

namespace {

// Spies on every signal the view declares itself.
class RequestSpies
{
public:
    explicit RequestSpies(CProjectorTreeView* view)
    {
        const QMetaObject& meta = CProjectorTreeView::staticMetaObject;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            const QMetaMethod method = meta.method(i);
            if (method.methodType() == QMetaMethod::Signal)
                m_Spies.emplace_back(method.name(), new QSignalSpy(view, "2" + method.methodSignature()));
        }
    }
    // The names of the signals sent, once per emission.
    QStringList sent() const
    {
        QStringList names;
        for (const auto& spy : m_Spies) {
            for (int n = 0; n < spy.second->count(); ++n)
                names << QString::fromLatin1(spy.first);
        }
        return names;
    }
    const QList<QVariant>& arguments(const QByteArray& name) const
    {
        for (const auto& spy : m_Spies) {
            if (spy.first == name)
                return spy.second->first();
        }
        static const QList<QVariant> none;
        return none;
    }

private:
    std::vector<std::pair<QByteArray, std::unique_ptr<QSignalSpy>>> m_Spies;
};

struct Entry {
    const char* name;
    QAction* CProjectorTreeView::*action;
    QMenu* CProjectorTreeView::*menu;
};

#define A(n) { #n, &CProjectorTreeView::n, nullptr }
#define M(n) { #n, nullptr, &CProjectorTreeView::n }
const Entry ENTRIES[] = {
    A(ctxAdjust), M(ctxControl), M(ctxControlPower), A(ctxControlPowerOn), A(ctxControlPowerOff),
    M(ctxControlSignalSelect), M(ctxControlFreeze), A(ctxControlFreezeOn), A(ctxControlFreezeOff),
    M(ctxControlPictureMute), A(ctxControlPictureMuteOn), A(ctxControlPictureMuteOff), M(ctxControlSoundMute),
    A(ctxControlSoundMuteOn), A(ctxControlSoundMuteOff), M(ctxControlOsdMute), A(ctxControlOsdMuteOn),
    A(ctxControlOsdMuteOff), A(ctxEditPJName), A(ctxRefresh), A(ctxCut), A(ctxCopy), A(ctxPaste), A(ctxDelete),
    A(ctxWeb), A(ctxProperty),
};
#undef A
#undef M

QAction* EntryAction(CProjectorTreeView* view, const QString& name)
{
    for (const Entry& entry : ENTRIES) {
        if (name == QLatin1String(entry.name))
            return entry.action ? view->*entry.action : (view->*entry.menu)->menuAction();
    }
    return nullptr;
}

// The entries of a menu as "text" lines, separators as "-", sub-menus indented.
void Describe(const QMenu* menu, const QString& indent, QStringList& lines)
{
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            lines << indent + "-";
            continue;
        }
        QString line = indent + action->text();
        if (!action->menu())
            line += QString(" [%1]").arg(action->data().toInt());
        if (!action->isVisible())
            line += " hidden";
        lines << line;
        if (action->menu())
            Describe(action->menu(), indent + "  ", lines);
    }
}

} // namespace

class tst_CProjectorTreeView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void emptyList();
    void idsInDisplayAndSelectionOrder();
    void iconColumnsStayPinned_data();
    void iconColumnsStayPinned();
    void pressOnIconHeaderCannotStartMove_data();
    void pressOnIconHeaderCannotStartMove();
    void focusInMakesFirstRowCurrent();
    void headerClickSortsAndReports();
    void headerPopupAsksForColumnEditing();
    void contextMenuLayout();
    void contextActions_data();
    void contextActions();
    void idsWithoutRequestSendNothing_data();
    void idsWithoutRequestSendNothing();
    void renameEntryStartsRenameDirectly();
    void contextMenuOpensOverEmptyList();
    void subMenusAskBeforeShowing_data();
    void subMenusAskBeforeShowing();
};

void tst_CProjectorTreeView::initTestCase()
{
    GuiTestSupport::InstallEnglishCatalogue();
    qRegisterMetaType<QMenu*>();
}

void tst_CProjectorTreeView::emptyList()
{
    CProjectorListRig rig;
    QVERIFY(rig.view->GetDispPjDataIDList().isEmpty());
    QVERIFY(rig.view->GetPjDataIDList(true).isEmpty());
    QVERIFY(rig.view->GetPjDataIDList(false).isEmpty());
    GuiTestSupport::SendFocus(rig.view.get(), QEvent::FocusIn);
    QVERIFY(!rig.view->currentIndex().isValid());
}

void tst_CProjectorTreeView::idsInDisplayAndSelectionOrder()
{
    CProjectorListRig rig;
    for (int id = 100; id < 110; ++id)
        rig.addRecord(id);
    rig.view->sortByColumn(rig.view->m_columnIndexByKey.value(3), Qt::DescendingOrder);
    rig.selectSourceRows({ 5, 2, 9 });

    QCOMPARE(rig.view->GetPjDataIDList(true), QList<int>({ 105, 102, 109 }));
    const QList<int> shown = { 109, 108, 107, 106, 105, 104, 103, 102, 101, 100 };
    QCOMPARE(rig.view->GetDispPjDataIDList(), shown);
    QCOMPARE(rig.view->GetPjDataIDList(false), shown);
}

void tst_CProjectorTreeView::iconColumnsStayPinned_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("expected");
    QTest::newRow("Projector Error to 3") << 0 << 3 << 0;
    QTest::newRow("Communication Error to 5") << 1 << 5 << 1;
    QTest::newRow("Setting onto 0") << 5 << 0 << 5;
    QTest::newRow("Setting onto 1") << 5 << 1 << 5;
    QTest::newRow("Setting to 3 stays") << 5 << 3 << 3;
}

void tst_CProjectorTreeView::iconColumnsStayPinned()
{
    QFETCH(int, section);
    QFETCH(int, to);
    QFETCH(int, expected);
    CProjectorListRig rig;
    QHeaderView* header = rig.view->header();
    header->moveSection(header->visualIndex(section), to);
    QCOMPARE(header->visualIndex(section), expected);
    QCOMPARE(header->visualIndex(0), 0);
    QCOMPARE(header->visualIndex(1), 1);
}

void tst_CProjectorTreeView::pressOnIconHeaderCannotStartMove_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<bool>("movable");
    QTest::newRow("Projector Error") << 0 << false;
    QTest::newRow("Communication Error") << 1 << false;
    QTest::newRow("Setting Name") << 3 << true;
}

void tst_CProjectorTreeView::pressOnIconHeaderCannotStartMove()
{
    QFETCH(int, section);
    QFETCH(bool, movable);
    CProjectorListRig rig;
    rig.view->resize(800, 300);
    rig.view->show();
    QHeaderView* header = rig.view->header();
    const QPoint point(header->sectionViewportPosition(section) + 3, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QCOMPARE(header->sectionsMovable(), movable);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QVERIFY(header->sectionsMovable());
}

void tst_CProjectorTreeView::focusInMakesFirstRowCurrent()
{
    CProjectorListRig rig;
    for (int id = 1; id <= 3; ++id)
        rig.addRecord(id);
    rig.view->sortByColumn(rig.view->m_columnIndexByKey.value(3), Qt::DescendingOrder);
    GuiTestSupport::SendFocus(rig.view.get(), QEvent::FocusIn);
    QCOMPARE(rig.view->currentIndex(), rig.proxy()->index(0, 0));
    QCOMPARE(rig.view->GetDispPjDataIDList().first(), 3);

    // With a selection the current index stays where it is.
    rig.view->setCurrentIndex(rig.proxy()->index(2, 0));
    GuiTestSupport::SendFocus(rig.view.get(), QEvent::FocusIn);
    QCOMPARE(rig.view->currentIndex(), rig.proxy()->index(2, 0));
}

void tst_CProjectorTreeView::headerClickSortsAndReports()
{
    CProjectorListRig rig;
    for (int id : { 2, 11, 5 })
        rig.addRecord(id);
    rig.view->resize(800, 300);
    rig.view->show();
    QSignalSpy changed(rig.view.get(), &CProjectorTreeView::f_ChangePjListSortConditions);
    QHeaderView* header = rig.view->header();
    const int column = rig.view->m_columnIndexByKey.value(3);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(rig.proxy()->sortColumn(), column);
    // The direction of the first click is the style's choice; the rows follow it.
    const QList<int> ascending = { 11, 2, 5 }; // PJ11, PJ2, PJ5 as text
    QList<int> expected = ascending;
    if (rig.proxy()->sortOrder() == Qt::DescendingOrder)
        std::reverse(expected.begin(), expected.end());
    QCOMPARE(rig.view->GetDispPjDataIDList(), expected);
}

void tst_CProjectorTreeView::headerPopupAsksForColumnEditing()
{
    CProjectorListRig rig;
    QSignalSpy editColumns(rig.view.get(), &CProjectorTreeView::f_RequestEditColumns);
    QStringList texts;
    GuiTestSupport::OnNextPopup([&](QWidget* popup) {
        QMenu* menu = qobject_cast<QMenu*>(popup);
        for (QAction* action : menu->actions())
            texts << action->text();
        menu->actions().first()->trigger();
        menu->close();
    });
    emit rig.view->header()->customContextMenuRequested(QPoint(5, 5));
    QCOMPARE(texts, QStringList({ "&Edit Column" }));
    QCOMPARE(editColumns.count(), 1);
}

void tst_CProjectorTreeView::contextMenuLayout()
{
    CProjectorListRig rig;
    QMenu* menu = qobject_cast<QMenu*>(rig.view->ctxControl->parentWidget());
    QVERIFY(menu);
    QStringList lines;
    Describe(menu, "", lines);
    const QStringList expected = {
        "&Adjustment [10] hidden",
        "C&ontrol",
        "  &Power",
        "    Power O&n [11]",
        "    Power O&ff [12]",
        "  -",
        "  &Signal Select",
        "  -",
        "  &Freeze",
        "    Freeze O&n [13]",
        "    Freeze O&ff [14]",
        "  P&icture Blank",
        "    Picture Blank O&n [15]",
        "    Picture Blank O&ff [16]",
        "  So&und Mute",
        "    Sound Mute O&n [17]",
        "    Sound Mute O&ff [18]",
        "  &On-screen Display",
        "    On-screen Display O&ff [19]",
        "    On-screen Display O&n [20]",
        "Re&name [21]",
        "Re&fresh [22]",
        "-",
        "Cu&t [23]",
        "&Copy [24]",
        "&Paste [25]",
        "&Delete [26]",
        "-",
        "&HTTPServer [27]",
        "P&roperty... [28] hidden",
    };
    QCOMPARE(lines, expected);
    // Enabling them is the main window's business; it never shows them.
    rig.view->ctxAdjust->setEnabled(true);
    rig.view->ctxProperty->setEnabled(true);
    QVERIFY(!rig.view->ctxAdjust->isVisible());
    QVERIFY(!rig.view->ctxProperty->isVisible());
}

void tst_CProjectorTreeView::contextActions_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("request");
    QTest::newRow("ctxAdjust") << "ctxAdjust" << "f_RequestAdjust";
    QTest::newRow("ctxControlPowerOn") << "ctxControlPowerOn" << "f_RequestPowerOn";
    QTest::newRow("ctxControlPowerOff") << "ctxControlPowerOff" << "f_RequestPowerOff";
    QTest::newRow("ctxControlFreezeOn") << "ctxControlFreezeOn" << "f_RequestFreezeOn";
    QTest::newRow("ctxControlFreezeOff") << "ctxControlFreezeOff" << "f_RequestFreezeOff";
    QTest::newRow("ctxControlPictureMuteOn") << "ctxControlPictureMuteOn" << "f_RequestPicMuteOn";
    QTest::newRow("ctxControlPictureMuteOff") << "ctxControlPictureMuteOff" << "f_RequestPicMuteOff";
    QTest::newRow("ctxControlSoundMuteOn") << "ctxControlSoundMuteOn" << "f_RequestSoundMuteOn";
    QTest::newRow("ctxControlSoundMuteOff") << "ctxControlSoundMuteOff" << "f_RequestSoundMuteOff";
    QTest::newRow("ctxControlOsdMuteOn") << "ctxControlOsdMuteOn" << "f_RequestOsdMuteOn";
    QTest::newRow("ctxControlOsdMuteOff") << "ctxControlOsdMuteOff" << "f_RequestOsdMuteOff";
    QTest::newRow("ctxRefresh") << "ctxRefresh" << "f_RequestRefresh";
    QTest::newRow("ctxCut") << "ctxCut" << "f_RequestProjectorCut";
    QTest::newRow("ctxCopy") << "ctxCopy" << "f_RequestProjectorCopy";
    QTest::newRow("ctxPaste") << "ctxPaste" << "f_RequestProjectorPaste";
    QTest::newRow("ctxDelete") << "ctxDelete" << "f_RequestProjectorDelete";
    QTest::newRow("ctxWeb") << "ctxWeb" << "f_RequestShowWeb";
    QTest::newRow("ctxProperty") << "ctxProperty" << "f_RequestProperty";
}

void tst_CProjectorTreeView::contextActions()
{
    QFETCH(QString, entry);
    QFETCH(QString, request);
    CProjectorListRig rig;
    RequestSpies spies(rig.view.get());
    QAction* action = EntryAction(rig.view.get(), entry);
    QVERIFY(action);
    action->trigger();
    QCOMPARE(spies.sent(), QStringList({ request }));
}

// An action carrying an id without a request reaches the dispatch and sends
// nothing; 21 is the one id whose request only the main window's own route uses.
void tst_CProjectorTreeView::idsWithoutRequestSendNothing_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("request");
    for (int id = 1; id <= 9; ++id)
        QTest::addRow("id %d", id) << id << "";
    QTest::newRow("id 29") << 29 << "";
    QTest::newRow("id -1") << -1 << "";
    QTest::newRow("id 21") << 21 << "f_RequestProjectorReName";
    QTest::newRow("id 0") << 0 << "f_RequestEditColumns";
}

void tst_CProjectorTreeView::idsWithoutRequestSendNothing()
{
    QFETCH(int, id);
    QFETCH(QString, request);
    CProjectorListRig rig;
    RequestSpies spies(rig.view.get());
    QAction action(nullptr);
    action.setData(id);
    QVERIFY(connect(&action, SIGNAL(triggered()), rig.view.get(), SLOT(f_CtxSendSignal())));
    action.trigger();
    QCOMPARE(spies.sent(), request.isEmpty() ? QStringList() : QStringList({ request }));
}

void tst_CProjectorTreeView::renameEntryStartsRenameDirectly()
{
    CProjectorListRig rig;
    rig.addRecord(7);
    rig.view->setColumnHidden(rig.view->m_columnIndexByKey.value(CProjectorTreeView::KEY_PJ_NAME), false);
    rig.selectSourceRows({ 0 });
    RequestSpies spies(rig.view.get());
    rig.view->ctxEditPJName->trigger();
    // The rename asked the main window at once; no request went round.
    QCOMPARE(spies.sent(), QStringList({ "f_RequestIsSetProjectorNameEnabled" }));
    QCOMPARE(spies.arguments("f_RequestIsSetProjectorNameEnabled").first().toInt(), 7);
}

void tst_CProjectorTreeView::contextMenuOpensOverEmptyList()
{
    CProjectorListRig rig;
    QSignalSpy dropDown(rig.view.get(), &CProjectorTreeView::f_RequestDropDownShow);
    bool shown = false;
    GuiTestSupport::OnNextPopup([&](QWidget* popup) {
        shown = popup->actions().contains(rig.view->ctxRefresh);
        popup->close();
    });
    emit rig.view->customContextMenuRequested(QPoint(10, 10));
    QVERIFY(shown);
    QCOMPARE(dropDown.count(), 1);
}

void tst_CProjectorTreeView::subMenusAskBeforeShowing_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("request");
    QTest::newRow("Control") << "ctxControl" << "f_RequestControlDropDownShow";
    QTest::newRow("Power") << "ctxControlPower" << "f_RequestPowerDropDownShow";
    QTest::newRow("Signal Select") << "ctxControlSignalSelect" << "f_RequestSignalSelectDropDownCreate";
    QTest::newRow("Freeze") << "ctxControlFreeze" << "f_RequestFreezeDropDownShow";
    QTest::newRow("Picture mute") << "ctxControlPictureMute" << "f_RequestPictureMuteDropDownShow";
    QTest::newRow("Sound mute") << "ctxControlSoundMute" << "f_RequestSoundMuteDropDownShow";
    QTest::newRow("OSD mute") << "ctxControlOsdMute" << "f_RequestOSDMuteDropDownShow";
}

void tst_CProjectorTreeView::subMenusAskBeforeShowing()
{
    QFETCH(QString, entry);
    QFETCH(QString, request);
    CProjectorListRig rig;
    RequestSpies spies(rig.view.get());
    QMenu* menu = EntryAction(rig.view.get(), entry)->menu();
    QVERIFY(menu);
    GuiTestSupport::OnNextPopup([](QWidget* popup) { popup->close(); });
    menu->exec(QPoint(0, 0));
    QCOMPARE(spies.sent(), QStringList({ request }));
    if (menu == rig.view->ctxControlSignalSelect) {
        const QList<QVariant>& arguments = spies.arguments("f_RequestSignalSelectDropDownCreate");
        QCOMPARE(arguments.first().value<QMenu*>(), menu);
        QVERIFY(menu->actions().isEmpty());
    }
}

QTEST_MAIN(tst_CProjectorTreeView)
#include "tst_CProjectorTreeView.moc"
