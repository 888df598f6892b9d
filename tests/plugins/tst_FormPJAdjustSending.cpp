#include <QtTest>

#include "CDataFunctions.h"
#include "CGainInfo.h"
#include "CGeneralSlider.h"
#include "CLumivox5Data.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CProjectorListRig.h"
#include "CProjectorTreeView.h"
#include "CTestFolders.h"
#include "FormPJAdjust.h"
#include "GuiTestSupport.h"
#include "QPushButtonEx.h"
#include "RequestRecorder.h"
#include "ui_FormPJAdjust.h"

#include <QLabel>
#include <QPushButton>
#include <QWheelEvent>

#include <memory>

namespace {

// A projector as the panel may find it: connected or not, powered or not,
// with a model profile or not, and its six gains 0..255 at `current`
// (default 128, known, status 2) unless told otherwise.
struct Projector
{
    bool connected = true;
    bool powered = true;
    bool profiled = true;
    int current = 100;
};

} // namespace

// The adjustment panel on a real data hub and projector list: which
// projectors it sends to, what it sends, how it refreshes and resets, what
// it shows and allows, and how input becomes an adjustment.
class tst_FormPJAdjustSending : public QObject
{
    Q_OBJECT

    std::unique_ptr<CTestFolders> m_Folders;
    std::unique_ptr<CLumivox5Data> m_Hub;
    std::unique_ptr<CProjectorListRig> m_List;
    std::unique_ptr<FormPJAdjust> m_Panel;
    CProfile m_Profile;
    QList<CProjectorData*> m_Records;
    QStringList m_Sent;

    CProjectorData* add(const Projector& p)
    {
        CProjectorData* pj = m_Hub->AddProjector(QString(), 0, CProjectorData::TYPE_LAN::IP,
                                                 QStringLiteral("10.0.0.%1").arg(m_Records.size() + 1),
                                                 QStringLiteral("7142"), true, QString());
        pj->m_ConnectState = p.connected ? CProjectorData::CONNECT_STATE_CONNECTED : 0;
        pj->m_Status[CProjectorData::StPowerStatus].FromInt(p.powered ? 1 : 0);
        pj->m_Profile = p.profiled ? &m_Profile : nullptr;
        for (int type = 0; type < CGainInfo::KindCount; ++type)
            setGain(pj, type, 0, 255, p.current);
        m_List->view->Add(pj);
        m_Records << pj;
        return pj;
    }

    static void setGain(CProjectorData* pj, int type, int lower, int upper, int current, int status = 2,
                        bool defaultKnown = true, int defaultValue = 128)
    {
        CGainInfo* gain = pj->m_GainInfo.value(CGainInfo::Key(type, 0));
        gain->m_Min.FromInt(lower);
        gain->m_Max.FromInt(upper);
        gain->m_Current.FromInt(current);
        gain->m_DefaultKnown.FromBool(defaultKnown);
        gain->m_Default.FromInt(defaultValue);
        gain->m_Status.FromInt(status);
    }

    // Selects the projectors by their place in m_Records and tells the panel.
    void select(const QList<int>& places)
    {
        m_List->selectSourceRows(places);
        m_Panel->MainTabChanged();
        m_Sent.clear();
    }

    QStringList takeSent()
    {
        const QStringList sent = m_Sent;
        m_Sent.clear();
        return sent;
    }

    // "id [params] from act [targets] cache log" with the projectors' places for ids.
    QString request(int command, const QList<int>& params, int act, const QList<int>& places)
    {
        QList<CVariantParameter> values;
        for (int v : params)
            values << CVariantParameter().FromInt(v);
        QList<int> ids;
        for (int place : places)
            ids << m_Records.at(place)->m_Id;
        return RequestRecorder::Describe(command, &values, 7, act, &ids, false, true);
    }

    Ui_FormPJAdjust* ui() { return m_Panel->ui; }

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        GuiTestSupport::InstallEnglishCatalogue();
    }

    void init()
    {
        m_Folders.reset(new CTestFolders);
        m_Hub = CTestFolders::makeHub();
        m_List.reset(new CProjectorListRig);
        m_Panel.reset(new FormPJAdjust);
        m_Panel->m_Lumivox5Data = m_Hub.get();
        m_Panel->m_pTreeViewPJList = m_List->view.get();
        m_Panel->m_pTreeViewPJListSub = m_List->view.get();
        m_Records.clear();
        m_Sent.clear();
        // The receiver may keep neither list: describe them at once.
        connect(m_Panel.get(), &FormPJAdjust::SendCommand, this,
                [this](int id, QList<CVariantParameter>* param, int from, int act, QList<int>* target, bool cache,
                       bool log) { m_Sent << RequestRecorder::Describe(id, param, from, act, target, cache, log); },
                Qt::DirectConnection);
    }

    void cleanup()
    {
        m_Panel.reset();
        m_List.reset();
        m_Hub.reset();
        m_Folders.reset();
    }

    void whoMayReceiveAValue_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("powered");
        QTest::addColumn<int>("gainState"); // 0 set, 1 missing, 2 unset, 3 status 1
        QTest::addColumn<int>("slider");
        QTest::addColumn<bool>("relative");
        QTest::addColumn<bool>("sendable");
        QTest::newRow("inside the range") << true << true << 0 << 50 << false << true;
        QTest::newRow("at the lower limit") << true << true << 0 << 10 << false << true;
        QTest::newRow("at the upper limit") << true << true << 0 << 90 << false << true;
        QTest::newRow("below the range") << true << true << 0 << 9 << false << false;
        QTest::newRow("above the range") << true << true << 0 << 91 << false << false;
        QTest::newRow("not connected") << false << true << 0 << 50 << false << false;
        QTest::newRow("powered off") << true << false << 0 << 50 << false << false;
        QTest::newRow("gain missing") << true << true << 1 << 50 << false << false;
        QTest::newRow("gain not read") << true << true << 2 << 50 << false << false;
        QTest::newRow("gain not adjustable") << true << true << 3 << 50 << false << false;
        QTest::newRow("relative, outside and unread") << true << true << 2 << -80 << true << true;
        QTest::newRow("relative, powered off") << true << false << 0 << 5 << true << false;
    }

    void whoMayReceiveAValue()
    {
        QFETCH(bool, connected);
        QFETCH(bool, powered);
        QFETCH(int, gainState);
        QFETCH(int, slider);
        QFETCH(bool, relative);
        QFETCH(bool, sendable);
        CProjectorData* pj = add({connected, powered, true, 50});
        setGain(pj, CGainInfo::KindPictureHue, 10, 90, 50, gainState == 3 ? 1 : 2);
        if (gainState == 1)
            delete pj->m_GainInfo.take(CGainInfo::Key(CGainInfo::KindPictureHue, 0));
        if (gainState == 2)
            pj->m_GainInfo.value(CGainInfo::Key(CGainInfo::KindPictureHue, 0))->m_Current.ClearSetState(false);
        ui()->hSlidePictureHue->setRange(-100, 255);
        ui()->hSlidePictureHue->setValue(slider);
        QCOMPARE(m_Panel->f_IsSendable(pj->m_Id, CGainInfo::KindPictureHue, 0, relative), sendable);
    }

    void aDecidedValueGoesToTheTargetsThatMayReceiveIt_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("second"); // "on", "off", or "no profile" (and Refresh pressed first)
        QTest::addColumn<int>("slider");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<int>("shownAfter"); // the one target's stored value afterwards, -1: several
        QTest::newRow("the stored value again") << QList<int>{0} << "on" << 100 << QStringList() << 100;
        QTest::newRow("one target, a new value")
            << QList<int>{0} << "on" << 60 << QStringList{"24 [0,60] 7 2 [T0] 0 1", "24 [0,60] 7 1 [T0] 0 1"} << 60;
        QTest::newRow("two targets, one off")
            << QList<int>{0, 1} << "off" << 7 << QStringList{"24 [1,7] 7 2 [T0] 0 1", "24 [1,7] 7 1 [T0] 0 1"}
            << -1;
        QTest::newRow("two targets, a relative step")
            << QList<int>{1, 0} << "on" << -3
            << QStringList{"24 [1,-3] 7 2 [T1,T0] 0 1", "24 [1,-3] 7 1 [T1,T0] 0 1"} << -1;
        // Refresh keeps the one with a profile in the list; the step equals
        // its stored value and is an offset all the same.
        QTest::newRow("refreshed, one of two without a profile")
            << QList<int>{0, 1} << "no profile" << 100
            << QStringList{"24 [1,100] 7 2 [T0] 0 1", "24 [1,100] 7 1 [T0] 0 1"} << -1;
    }

    void aDecidedValueGoesToTheTargetsThatMayReceiveIt()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QString, second);
        QFETCH(int, slider);
        QFETCH(QStringList, sent);
        QFETCH(int, shownAfter);
        add({});
        add({true, second != QLatin1String("off"), second != QLatin1String("no profile")});
        select(selected);
        if (second == QLatin1String("no profile")) {
            QTest::mouseClick(ui()->pushButtonUpdate, Qt::LeftButton);
            takeSent();
        }
        ui()->hSlidePictureBrightness->setValue(slider);
        m_Panel->f_SetData(CCommandIF::Brightness, nullptr, false);
        for (QString& line : sent)
            line.replace(QLatin1String("T0"), QString::number(m_Records.at(0)->m_Id))
                .replace(QLatin1String("T1"), QString::number(m_Records.at(1)->m_Id));
        QCOMPARE(takeSent(), sent);
        const int stored =
            m_Records.at(0)->m_GainInfo.value(CGainInfo::Key(CGainInfo::KindPictureBrightness, 0))->m_Current.ToInt();
        QCOMPARE(stored, shownAfter < 0 ? 100 : shownAfter);
    }

    // A value the one target cannot take (it is off) is neither sent nor shown as its value.
    void aValueNotSentIsNotStored()
    {
        CProjectorData* pj = add({true, false});
        select({0});
        ui()->hSlidePictureContrast->setValue(70);
        m_Panel->f_SetData(CCommandIF::Contrast, nullptr, false);
        QCOMPARE(takeSent(), QStringList());
        QCOMPARE(pj->m_GainInfo.value(CGainInfo::Key(CGainInfo::KindPictureContrast, 0))->m_Current.ToInt(), 100);
    }

    // While received values are written into the controls, a decide fired by
    // that writing sends nothing.
    void nothingIsSentWhileTheDisplayIsWritten()
    {
        add({});
        select({0});
        // A handler of the written slider that decides another gain's new value.
        connect(ui()->hSlidePictureColor, &QSlider::valueChanged, this, [this] {
            ui()->hSlidePictureHue->setValue(42);
            m_Panel->f_SetData(CCommandIF::Hue, nullptr, false);
        });
        setGain(m_Records.at(0), CGainInfo::KindPictureColor, 0, 255, 140);
        m_Panel->UpdateTiming(0, 0, 0, 0);
        QTRY_COMPARE(ui()->hSlidePictureColor->value(), 140);
        QCOMPARE(takeSent(), QStringList());
    }

    void aRefreshReadsTheSelectedProjectorsWithAProfile_data()
    {
        QTest::addColumn<QList<bool>>("profiled");
        QTest::addColumn<QList<int>>("asked");
        QTest::newRow("two of three") << QList<bool>{true, false, true} << QList<int>{0, 2};
        QTest::newRow("none with a profile") << QList<bool>{false} << QList<int>{};
    }

    void aRefreshReadsTheSelectedProjectorsWithAProfile()
    {
        QFETCH(QList<bool>, profiled);
        QFETCH(QList<int>, asked);
        QList<int> all;
        for (bool p : profiled) {
            all << m_Records.size();
            add({true, true, p});
        }
        select(all);
        // The dispatcher has no creator for the whole-set reads: it must
        // refuse them, and nothing may wait for a projector afterwards.
        CDataFunctions dispatcher(m_Hub.get());
        QStringList answers;
        connect(m_Panel.get(), &FormPJAdjust::SendCommand, &dispatcher,
                [&](int id, QList<CVariantParameter>* param, int from, int act, QList<int>* target, bool cache,
                    bool log) {
                    if (id != 11 && id != 12)
                        return;
                    // The lists die after the emit: hand the dispatcher copies.
                    QList<CVariantParameter> params = param ? *param : QList<CVariantParameter>();
                    QList<int> targets = target ? *target : QList<int>();
                    answers << QStringLiteral("%1:%2").arg(id).arg(dispatcher.SetDataThreadEvent(
                                   id, param ? &params : nullptr, from, act, &targets, cache, log));
                },
                Qt::DirectConnection);
        QTest::mouseClick(ui()->pushButtonUpdate, Qt::LeftButton);
        QStringList expected;
        if (!asked.isEmpty()) {
            for (int command : {11, 12, 23, 24, 25, 26, 27, 42})
                expected << request(command, {}, 1, asked);
        }
        QCOMPARE(takeSent(), expected);
        QCOMPARE(m_Panel->m_pTargetList->size(), asked.size());
        for (CProjectorData* pj : qAsConst(m_Records))
            QVERIFY(pj->m_PendingEvents.isEmpty());
        QCOMPARE(answers, asked.isEmpty() ? QStringList() : QStringList({"11:6", "12:6"}));
    }

    void aResetSendsTheDefaultsThatDiffer_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("change"); // 0 none, 1 all at default, 2 brightness default unknown,
                                         // 3 hue not read, 4 error for it, 5 deleted
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<int>("waiting");
        const QStringList all{"23 [0,128] 7 2 [T0] 0 1", "23 [0,128] 7 1 [T0] 0 1", "24 [0,128] 7 2 [T0] 0 1",
                              "24 [0,128] 7 1 [T0] 0 1", "25 [0,128] 7 2 [T0] 0 1", "25 [0,128] 7 1 [T0] 0 1",
                              "26 [0,128] 7 2 [T0] 0 1", "26 [0,128] 7 1 [T0] 0 1", "27 [0,128] 7 2 [T0] 0 1",
                              "27 [0,128] 7 1 [T0] 0 1", "42 [0,128] 7 2 [T0] 0 1", "42 [0,128] 7 1 [T0] 0 1"};
        QStringList withoutBrightness = all;
        withoutBrightness.removeAt(2);
        withoutBrightness.removeAt(2);
        QTest::newRow("one target") << QList<int>{0} << 1 << 0 << all << 0;
        QTest::newRow("pressed twice, reset once") << QList<int>{0} << 2 << 0 << all << 0;
        QTest::newRow("two targets") << QList<int>{0, 1} << 1 << 0 << QStringList() << 0;
        QTest::newRow("all at their defaults") << QList<int>{0} << 1 << 1 << QStringList() << 0;
        QTest::newRow("a default unknown") << QList<int>{0} << 1 << 2 << withoutBrightness << 0;
        QTest::newRow("a gain not read yet") << QList<int>{0} << 1 << 3 << QStringList() << 1;
        QTest::newRow("an error for it") << QList<int>{0} << 1 << 4 << QStringList() << 0;
        QTest::newRow("deleted meanwhile") << QList<int>{0} << 1 << 5 << QStringList() << 0;
    }

    void aResetSendsTheDefaultsThatDiffer()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, presses);
        QFETCH(int, change);
        QFETCH(QStringList, sent);
        QFETCH(int, waiting);
        CProjectorData* pj = add({true, true, true, change == 1 ? 128 : 100});
        add({});
        select(selected);
        for (int i = 0; i < presses; ++i)
            QTest::mouseClick(ui()->pushButtonReset, Qt::LeftButton);
        takeSent();
        const int id = pj->m_Id;
        if (change == 2)
            pj->m_GainInfo.value(CGainInfo::Key(CGainInfo::KindPictureBrightness, 0))->m_DefaultKnown.FromBool(false);
        if (change == 3)
            pj->m_GainInfo.value(CGainInfo::Key(CGainInfo::KindPictureHue, 0))->m_Status.ClearSetState(false);
        if (change == 4)
            QMetaObject::invokeMethod(m_Panel.get(), "UpdateError", Q_ARG(QString, "Error"),
                                      Q_ARG(QString, pj->m_Address), Q_ARG(int, 1), Q_ARG(int, 24), Q_ARG(int, 7),
                                      Q_ARG(int, 1), Q_ARG(int, id));
        if (change == 5) {
            m_List.reset(new CProjectorListRig);
            m_Panel->m_pTreeViewPJList = m_Panel->m_pTreeViewPJListSub = m_List->view.get();
            delete m_Hub->m_pProjectorDatas->take(id);
        }
        m_Panel->UpdateTiming(0, 7, 1, id);
        for (QString& line : sent)
            line.replace(QLatin1String("T0"), QString::number(id));
        QCOMPARE(takeSent(), sent);
        QCOMPARE(m_Panel->m_pResetList->size(), waiting);
    }

    // The third projector has no profile (it was never identified).
    void theDisplayAndWhatItAllows_data()
    {
        QTest::addColumn<QList<int>>("before"); // selected first
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("gain"); // 0 set, 1 not read, 2 not adjustable, 3 as 2 and under the operator's hand
        QTest::addColumn<bool>("connected");
        QTest::addColumn<QString>("shown"); // brightness: "lower..upper value enabled bold relative"
        QTest::addColumn<bool>("refresh");
        QTest::addColumn<bool>("reset");
        const QList<int> none, first{0}, two{0, 1}, third{2};
        const QString noValue = QStringLiteral("0..100 0 off normal hidden");
        QTest::newRow("none") << none << none << 0 << true << noValue << false << false;
        QTest::newRow("one, set") << none << first << 0 << true << "10..200 128 on bold hidden" << true << true;
        QTest::newRow("one, not read") << none << first << 1 << true << noValue << true << true;
        QTest::newRow("one, not adjustable") << none << first << 2 << true << "10..200 128 off bold hidden" << true
                                             << true;
        QTest::newRow("one, being adjusted") << none << first << 3 << true << "0..100 33 on normal hidden" << true
                                             << true;
        QTest::newRow("one, off") << none << first << 0 << false << "10..200 128 off bold hidden" << true << false;
        QTest::newRow("two, one connected") << none << two << 0 << true << "-100..100 0 on normal shown" << true
                                            << false;
        QTest::newRow("two, none connected") << none << two << 0 << false << "-100..100 0 off normal shown" << true
                                             << false;
        QTest::newRow("none, after one") << first << none << 0 << true << noValue << false << false;
        QTest::newRow("one without a profile, after one") << first << third << 0 << true << noValue << true << false;
        QTest::newRow("one without a profile, after two") << two << third << 0 << true << noValue << true << false;
    }

    void theDisplayAndWhatItAllows()
    {
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, selected);
        QFETCH(int, gain);
        QFETCH(bool, connected);
        QFETCH(QString, shown);
        QFETCH(bool, refresh);
        QFETCH(bool, reset);
        CProjectorData* first = add({connected, true, true, 128});
        add({false, false});
        add({false, false, false});
        setGain(first, CGainInfo::KindPictureBrightness, 10, 200, 128, gain >= 2 ? 1 : 2);
        if (gain == 1)
            first->m_GainInfo.value(CGainInfo::Key(CGainInfo::KindPictureBrightness, 0))->m_Min.ClearSetState(false);
        CGeneralSlider* slider = ui()->hSlidePictureBrightness;
        if (gain == 3) {
            slider->setValue(33);
            m_Panel->f_StartAdjustControl(CGainInfo::KindPictureBrightness, 0);
        }
        if (!before.isEmpty())
            select(before);
        select(selected);
        const QString seen = QStringLiteral("%1..%2 %3 %4 %5 %6")
                                 .arg(slider->minimum())
                                 .arg(slider->maximum())
                                 .arg(slider->value())
                                 .arg(slider->isEnabled() && ui()->btnPictureIncBrightness->isEnabled() ? "on" : "off")
                                 .arg(ui()->lblPictureBrightness->font().bold() ? "bold" : "normal")
                                 .arg(ui()->lblRelativeBrightness->isVisibleTo(m_Panel.get()) ? "shown" : "hidden");
        QCOMPARE(seen, shown);
        QCOMPARE(ui()->lblParamPictureBrightness->text(), QString::number(slider->value()));
        QCOMPARE(ui()->pushButtonUpdate->isEnabled(), refresh);
        QCOMPARE(ui()->pushButtonReset->isEnabled(), reset);
        QCOMPARE(takeSent(), QStringList());
    }

    // A held "+" steps at the press and every 100 ms, and sends once, at the release.
    void aHeldStepButtonSendsOnceAtTheRelease()
    {
        add({true, true, true, 100});
        select({0});
        QPushButtonEx* plus = ui()->btnPictureIncSharpness;
        QTest::mousePress(plus, Qt::LeftButton);
        QCOMPARE(ui()->hSlidePictureSharpness->value(), 101);
        QTest::qWait(350);
        QCOMPARE(takeSent(), QStringList());
        QTest::mouseRelease(plus, Qt::LeftButton);
        const int value = ui()->hSlidePictureSharpness->value();
        QVERIFY2(value >= 103 && value <= 105, qPrintable(QString::number(value)));
        QCOMPARE(takeSent(), (QStringList{request(25, {0, value}, 2, {0}), request(25, {0, value}, 1, {0})}));
        QTest::qWait(150);
        QCOMPARE(ui()->hSlidePictureSharpness->value(), value);
        QCOMPARE(ui()->lblParamPictureSharpness->text(), QString::number(value));
    }

    void aPressDuringAnotherAdjustmentOnlyGrabs()
    {
        add({});
        select({0});
        m_Panel->f_StartAdjustControl(CGainInfo::KindPictureHue, 0);
        QTest::mousePress(ui()->btnPictureIncColor, Qt::LeftButton);
        QCOMPARE(ui()->hSlidePictureColor->value(), 100);
        QCOMPARE(QWidget::mouseGrabber(), ui()->btnPictureIncColor);
        QTest::mouseRelease(ui()->btnPictureIncColor, Qt::LeftButton);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QCOMPARE(takeSent(), (QStringList{}));
    }

    // Escape on a step button restores the display and sends nothing; a
    // Space release afterwards decides all the same.
    void escapeCancelsAndSpaceDecides()
    {
        add({});
        select({0});
        QPushButtonEx* minus = ui()->btnAudioDecVolume;
        QTest::keyPress(minus, Qt::Key_Space);
        QCOMPARE(ui()->hSlideAudioVolume->value(), 99);
        QTest::keyPress(minus, Qt::Key_Escape);
        QCOMPARE(ui()->hSlideAudioVolume->value(), 100);
        QCOMPARE(takeSent(), QStringList());
        ui()->hSlideAudioVolume->setValue(90);
        QTest::keyRelease(minus, Qt::Key_Space);
        QCOMPARE(takeSent(), (QStringList{request(42, {0, 90}, 2, {0}), request(42, {0, 90}, 1, {0})}));
    }

    void keysOnASlider_data()
    {
        QTest::addColumn<QList<int>>("keys"); // pressed in order; negative: auto-repeated
        QTest::addColumn<int>("sends");
        QTest::newRow("Right") << QList<int>{Qt::Key_Right} << 1;
        QTest::newRow("Tab keeps it") << QList<int>{Qt::Key_Right, Qt::Key_Tab} << 1;
        QTest::newRow("Shift keeps it") << QList<int>{Qt::Key_Right, Qt::Key_Shift} << 1;
        QTest::newRow("AltGr keeps it") << QList<int>{Qt::Key_Right, Qt::Key_AltGr} << 1;
        QTest::newRow("A cancels") << QList<int>{Qt::Key_Right, Qt::Key_A} << 0;
        QTest::newRow("repeated Right") << QList<int>{-Qt::Key_Right, -Qt::Key_Right, -Qt::Key_Right,
                                                      -Qt::Key_Right, Qt::Key_Right}
                                        << 1;
    }

    void keysOnASlider()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, sends);
        add({});
        select({0});
        CGeneralSlider* slider = ui()->hSlidePictureContrast;
        // Held keys: the first press, then repeats of release and press, then
        // the final release. Others: each pressed in turn, then the first let go.
        if (keys.first() < 0) {
            QKeyEvent first(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
            QApplication::sendEvent(slider, &first);
            for (int i = 1; i < keys.size(); ++i) {
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(slider, &release);
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(slider, &press);
                QCOMPARE(takeSent(), QStringList());
            }
            QKeyEvent last(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
            QApplication::sendEvent(slider, &last);
        } else {
            QKeyEvent first(QEvent::KeyPress, keys.first(), Qt::NoModifier);
            QApplication::sendEvent(slider, &first);
            // The later keys as the slider reports them: a Tab the window
            // takes for moving the focus never reaches it.
            for (int i = 1; i < keys.size(); ++i) {
                QKeyEvent press(QEvent::KeyPress, keys.at(i), Qt::NoModifier);
                emit slider->keyPressed(&press);
            }
            QKeyEvent release(QEvent::KeyRelease, keys.first(), Qt::NoModifier);
            QApplication::sendEvent(slider, &release);
        }
        QCOMPARE(takeSent().size(), 2 * sends);
    }

    // Wheel steps 50 ms apart are one adjustment, sent about 100 ms after the last.
    void wheelStepsAreSentOnceAtRest()
    {
        add({});
        select({0});
        CGeneralSlider* slider = ui()->hSlidePictureBrightness;
        QElapsedTimer clock;
        for (int i = 0; i < 4; ++i) {
            const QPointF at(slider->width() / 2.0, slider->height() / 2.0);
            QWheelEvent wheel(at, slider->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(slider, &wheel);
            clock.start();
            QTest::qWait(50);
            QCOMPARE(takeSent(), QStringList());
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_Sent.size(), 2, 1000);
        QVERIFY2(clock.elapsed() >= 90, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(m_Sent.first(), request(24, {0, slider->value()}, 2, {0}));
        QVERIFY(slider->value() != 100);
    }

    void focusLossOrARightPressCancels_data()
    {
        QTest::addColumn<bool>("rightPress");
        QTest::newRow("focus lost") << false;
        QTest::newRow("right press") << true;
    }

    void focusLossOrARightPressCancels()
    {
        QFETCH(bool, rightPress);
        add({});
        select({0});
        CGeneralSlider* slider = ui()->hSlidePictureHue;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
        QApplication::sendEvent(slider, &press);
        QCOMPARE(slider->value(), 99);
        if (rightPress)
            QTest::mousePress(slider, Qt::RightButton);
        else
            GuiTestSupport::SendFocus(slider, QEvent::FocusOut);
        QCOMPARE(slider->value(), 100);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
        QApplication::sendEvent(slider, &release);
        QCOMPARE(takeSent(), QStringList());
    }

    // With several targets each start puts the slider back to 0, after its own move.
    void aRelativeStartBeginsAtZero()
    {
        add({});
        add({});
        select({0, 1});
        QPushButtonEx* plus = ui()->btnPictureIncHue;
        QTest::keyPress(plus, Qt::Key_Space);
        QTest::keyRelease(plus, Qt::Key_Space);
        QCOMPARE(takeSent().value(0), request(27, {1, 1}, 2, {0, 1}));
        QCOMPARE(ui()->hSlidePictureHue->value(), 0);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(ui()->hSlidePictureHue, &press);
        QCOMPARE(ui()->hSlidePictureHue->value(), 0);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(ui()->hSlidePictureHue, &release);
        QCOMPARE(takeSent().value(0), request(27, {1, 0}, 2, {0, 1}));
    }
};

QTEST_MAIN(tst_FormPJAdjustSending)
#include "tst_FormPJAdjustSending.moc"
