#include <QtTest>

#include "CLumivox5Data.h"
#include "CProfile.h"
#include "CProfileList.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "CSectionItem.h"
#include "CSectionItemList.h"
#include "Lumivox5Main.h"
#include "MainWindowFixture.h"
#include "MainWindowTestBase.h"
#include "StartedMainWindow.h"
#include "ui_Lumivox5Main.h"

#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>

#include <memory>

namespace {

// Three projectors; the first two belong to "Floor 1".
const char USER_LIST[] = "[Header Info]\n"
                         "MagicCode=258-0017-686-1-5F\n"
                         "RevCode=Rev.1.0\n"
                         "[Setting 001]\nSettingName=North\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.11\nLanPort=7142\nEnabled=True\nGroupList=1\n"
                         "[Setting 002]\nSettingName=South\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.12\nLanPort=7143\nEnabled=True\nGroupList=1\n"
                         "[Setting 003]\nSettingName=West\nDeviceType=LAN\nLanType=IP\n"
                         "IPAddress=192.168.0.13\nLanPort=7144\nEnabled=True\nGroupList=\n"
                         "[Group]\n"
                         "001=\"Floor 1\"\n";

const QString SEVERAL = QString(QChar(0x3000)) + QStringLiteral("/...");

using Formatter = std::function<QString(CProjectorData*)>;

} // namespace

Q_DECLARE_METATYPE(Formatter)

class tst_Lumivox5MainProperty : public MainWindowTestBase
{
    Q_OBJECT

private:
    Ui_Lumivox5Main* ui() const { return m_Window->ui; }
    CProjectorTreeView* list() const { return m_Window->ui->treeViewPJList; }
    CProjectorData* record(int id) const { return hub()->GetProjectorData(id); }

    // A shipped model, as the poll of a running projector leaves it.
    void identify(int id, const QString& name, int hours)
    {
        CProjectorData* r = record(id);
        QVERIFY(r);
        CProfile* model = nullptr;
        for (auto it = hub()->m_pProfileList->m_ProfileMap.cbegin(); it != hub()->m_pProfileList->m_ProfileMap.cend();
             ++it) {
            if (it.key() != -1 && it.value()->InputTerminals() && !it.value()->InputTerminals()->isEmpty()) {
                model = it.value();
                break;
            }
        }
        QVERIFY(model);
        r->m_Profile = model;
        r->m_ConnectState = CProjectorData::CONNECT_STATE_CONNECTED;
        auto& st = r->m_Status;
        st[CProjectorData::StStatusValid].FromBool(true);
        st[CProjectorData::StPowerStatus].FromInt(1);
        st[CProjectorData::StProjectorName].FromString(name);
        st[CProjectorData::StModelName].FromString(QStringLiteral("Model of ") + name);
        st[CProjectorData::StLamp1Info].FromUChar(0);
        st[CProjectorData::StLamp1Usage].FromLong(hours * 3600);
        st[CProjectorData::StLamp2Info].FromUChar(0);
        st[CProjectorData::StLamp2Usage].FromLong((hours + 1) * 3600);
        st[CProjectorData::StFilterInfo].FromUChar(0);
        st[CProjectorData::StFilterUsed].FromLong((hours + 2) * 3600);
        st[CProjectorData::StSignalName].FromString(QStringLiteral("Signal ") + name);
        st[CProjectorData::StFreqHorizontal].FromString(QStringLiteral("31.47kHz"));
        st[CProjectorData::StFreqVertical].FromString(QStringLiteral("59.94Hz"));
        st[CProjectorData::StSyncPolarity].FromString(QStringLiteral("H(-) V(-)"));
        st[CProjectorData::StInputTerminal].FromInt(model->InputTerminals()->values().first()->code);
        r->m_InputTerminalKnown = true;
    }

    // Selects the rows of these projectors, as the operator's clicks would.
    void select(const QList<int>& ids) { MainWindowFixture::selectProjectors(m_Window.get(), ids); }

    QLabel* label(const QString& name) const { return m_Window->findChild<QLabel*>(name); }

    static void propertyTable()
    {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<Formatter>("formatter");
        const struct {
            const char* widget;
            Formatter formatter;
        } rows[] = {
            {"lblPropPJNameParamTemp", [](CProjectorData* r) { return r->GetProjectorNameString(); }},
            {"lblPropMdlNameParamTemp", [](CProjectorData* r) { return r->GetModelNameString(); }},
            {"lblPropStatusParamTemp", [](CProjectorData* r) { return r->GetStatusString(); }},
            {"lblPropLampRemainTimeParamTemp", [](CProjectorData* r) { return r->GetRemainingLampTimeString(true); }},
            {"lblPropLamp2RemainTimeParamTemp", [](CProjectorData* r) { return r->GetRemainingLamp2TimeString(true); }},
            {"lblPropFilterRemainTimeParamTemp", [](CProjectorData* r) { return r->GetFilterUsageString(true); }},
            {"lblPropSignalNameParamTemp", [](CProjectorData* r) { return r->GetSignalNameString(); }},
            {"lblPropInputTerminalParamTemp", [](CProjectorData* r) { return r->GetInputTerminalString(); }},
            {"lblPropHoriznParamTemp", [](CProjectorData* r) { return r->GetFreqHorizontalString(); }},
            {"lblPropVerticalParamTemp", [](CProjectorData* r) { return r->GetFreqVerticalString(); }},
            {"lblPropSyncPolicyParamTemp", [](CProjectorData* r) { return r->GetSyncPolString(); }},
            {"pteRemarkTemp", [](CProjectorData* r) { return r->GetRemarkString(false, false); }},
            {"pteGroupTemp", [](CProjectorData* r) { return r->GetGroupString(); }},
        };
        for (const auto& row : rows)
            QTest::newRow(row.widget) << QString::fromLatin1(row.widget) << row.formatter;
    }

    QString propertyText(const QString& widget) const
    {
        if (auto* box = m_Window->findChild<QPlainTextEdit*>(widget))
            return box->toPlainText();
        QLabel* value = label(widget);
        return value ? value->text() : QStringLiteral("(no such widget)");
    }

private slots:
    void init()
    {
        MainWindowTestBase::init();
        if (QTest::currentTestFailed())
            return;
        m_Window = StartMainWindow(*m_Fixture, USER_LIST);
        QVERIFY(m_Window);
        QCOMPARE(list()->GetDispPjDataIDList().size(), 3);
        identify(1, QStringLiteral("Hall A"), 1200);
        identify(2, QStringLiteral("Hall B"), 300);
    }

    // Every value of the one selected projector, from its formatter, none empty
    // and no two alike, so that a widget fed by the wrong formatter shows.
    void propertyShowsTheOneSelected_data() { propertyTable(); }
    void propertyShowsTheOneSelected()
    {
        QFETCH(QString, widget);
        QFETCH(Formatter, formatter);
        select({1});
        // A text box keeps its lines with plain line feeds.
        const QString text = formatter(record(1)).replace(QLatin1String("\r\n"), QLatin1String("\n"));
        QVERIFY(!text.isEmpty());
        QCOMPARE(propertyText(widget), text);
        if (widget == QLatin1String("lblPropPJNameParamTemp"))
            QCOMPARE(label(widget)->toolTip(), QStringLiteral("Hall A"));
        QStringList others;
        for (const char* name : {"lblPropPJNameParamTemp", "lblPropMdlNameParamTemp", "lblPropStatusParamTemp",
                                    "lblPropLampRemainTimeParamTemp", "lblPropLamp2RemainTimeParamTemp",
                                    "lblPropFilterRemainTimeParamTemp", "lblPropSignalNameParamTemp",
                                    "lblPropInputTerminalParamTemp", "lblPropHoriznParamTemp",
                                    "lblPropVerticalParamTemp", "lblPropSyncPolicyParamTemp", "pteRemarkTemp",
                                    "pteGroupTemp"}) {
            if (widget != QLatin1String(name))
                others << propertyText(QLatin1String(name));
        }
        QVERIFY2(!others.contains(text), qPrintable(text));
    }

    // Caption and value of each row of the pane as the form lays them out.
    void propertyRows_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value");
        QTest::newRow("name") << "lblPropPJNameTemp" << "Projector Name" << "lblPropPJNameParamTemp";
        QTest::newRow("model") << "lblPropMdlNameTemp" << "Model Name" << "lblPropMdlNameParamTemp";
        QTest::newRow("status") << "lblPropStatusTemp" << "Status" << "lblPropStatusParamTemp";
        QTest::newRow("lamp") << "lblPropLampRemainTimeTemp" << "Lamp Used Hours" << "lblPropLampRemainTimeParamTemp";
        QTest::newRow("lamp 2") << "lblPropLamp2RemainTimeTemp" << "Lamp2 Used Hours"
                                << "lblPropLamp2RemainTimeParamTemp";
        QTest::newRow("filter") << "lblPropFilterRemainTimeTemp" << "Filter Used Hours"
                                << "lblPropFilterRemainTimeParamTemp";
        QTest::newRow("source") << "lblPropSignalNameTemp" << "Source Name" << "lblPropSignalNameParamTemp";
        QTest::newRow("input") << "lblPropInputTerminalTemp" << "Input Terminal" << "lblPropInputTerminalParamTemp";
        QTest::newRow("horizontal") << "lblPropHoriznTemp" << "Horizontal Frequency" << "lblPropHoriznParamTemp";
        QTest::newRow("vertical") << "lblPropVerticalTemp" << "Vertical Frequency" << "lblPropVerticalParamTemp";
        QTest::newRow("sync") << "lblPropSyncPolicyTemp" << "Sync Polarity" << "lblPropSyncPolicyParamTemp";
    }
    void propertyRows()
    {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QString, value);
        QLabel* captionLabel = label(caption);
        QVERIFY(captionLabel);
        QCOMPARE(captionLabel->text(), text);
        QCOMPARE(captionLabel->minimumWidth(), 136);
        QCOMPARE(captionLabel->maximumWidth(), 136);
        QCOMPARE(captionLabel->minimumHeight(), 16);
        QVERIFY(captionLabel->wordWrap());
        int row = -1;
        QFormLayout::ItemRole role;
        ui()->formLayout_4->getWidgetPosition(captionLabel, &row, &role);
        QCOMPARE(role, QFormLayout::LabelRole);
        QCOMPARE(ui()->formLayout_4->itemAt(row, QFormLayout::FieldRole)->widget(), label(value));
    }

    void propertyEmptyUnlessOneSelected_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::newRow("none") << QList<int>();
        QTest::newRow("two") << QList<int>{1, 2};
    }
    void propertyEmptyUnlessOneSelected()
    {
        QFETCH(QList<int>, selected);
        select({1});
        QCOMPARE(ui()->lblPropPJNameParamTemp->toolTip(), QStringLiteral("Hall A"));
        select(selected);
        QCOMPARE(m_Window->f_GetSelectedPjDataList().size(), selected.size());
        for (QLabel* value : {ui()->lblPropPJNameParamTemp, ui()->lblPropMdlNameParamTemp,
                              ui()->lblPropStatusParamTemp, ui()->lblPropLampRemainTimeParamTemp,
                              ui()->lblPropLamp2RemainTimeParamTemp, ui()->lblPropFilterRemainTimeParamTemp,
                              ui()->lblPropSignalNameParamTemp, ui()->lblPropInputTerminalParamTemp,
                              ui()->lblPropHoriznParamTemp, ui()->lblPropVerticalParamTemp,
                              ui()->lblPropSyncPolicyParamTemp})
            QVERIFY2(value->text().isEmpty(), qPrintable(value->objectName()));
        QVERIFY(ui()->lblPropPJNameParamTemp->toolTip().isEmpty());
        QVERIFY(ui()->pteRemarkTemp->toPlainText().isEmpty());
        QVERIFY(ui()->pteGroupTemp->toPlainText().isEmpty());
    }

    // The captions the operator reads beside the first selected projector's
    // values; several selected mark each value; each value label is as wide
    // as its text.
    void detailView_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("captions");
        // Setting, port and name; status and input come from their formatters.
        QTest::addColumn<QStringList>("values");
        const QStringList captions{"Setting", "Port", "Projector Name", "Status", "Input Terminal"};
        QTest::newRow("none") << QList<int>() << QStringList{"", "", "", "", ""} << QStringList{"", "", ""};
        QTest::newRow("one") << QList<int>{2} << captions << QStringList{"192.168.0.12", "7143", "Hall B"};
        QTest::newRow("two") << QList<int>{1, 2} << captions << QStringList{"192.168.0.11", "7142", "Hall A"};
        // Not identified: the name is empty, the captions stay.
        QTest::newRow("one not polled") << QList<int>{3} << captions << QStringList{"192.168.0.13", "7144", ""};
    }
    void detailView()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, values);
        select({3});
        select(selected);
        CProjectorData* first = m_Window->f_GetSelectedPjDataList().value(0);
        if (first) {
            values << first->GetStatusString() << first->GetInputTerminalString();
            if (selected.size() > 1) {
                for (QString& value : values)
                    value += SEVERAL;
            }
        } else {
            values << QString() << QString();
        }
        for (int row = 0; row < 5; ++row) {
            QLabel* caption = label(QStringLiteral("lblDetail%1").arg(row + 1));
            QLabel* value = label(QStringLiteral("lblDetail%1Param").arg(row + 1));
            QCOMPARE(caption->text(), captions.at(row));
            QCOMPARE(value->text(), values.at(row));
            QCOMPARE(value->minimumWidth(), value->fontMetrics().horizontalAdvance(values.at(row)));
        }
    }

    // The status and input of an identified projector are texts of their own.
    void detailStatusAndInputOfAPolledProjector()
    {
        select({1});
        QCOMPARE(ui()->lblDetail4Param->text(), record(1)->GetStatusString());
        QCOMPARE(ui()->lblDetail5Param->text(), record(1)->GetInputTerminalString());
        QVERIFY(!ui()->lblDetail4Param->text().isEmpty());
        QVERIFY(!ui()->lblDetail5Param->text().isEmpty());
        QVERIFY(ui()->lblDetail4Param->text() != ui()->lblDetail5Param->text());
    }

    // Projector > Property brings the property page up from any other page.
    void propertyEntryShowsThePropertyPage()
    {
        for (QWidget* page : {ui()->tabSchedule, ui()->tabPropery}) {
            ui()->tabMain->setCurrentWidget(page);
            m_Window->on_actMenuPJProperty_triggered();
            QCOMPARE(ui()->tabMain->currentWidget(), ui()->tabPropery);
        }
    }

    void detailToggledTwiceKeepsThePage()
    {
        ui()->tabMain->setCurrentWidget(ui()->tabSchedule);
        QVERIFY(ui()->actMenuViewDetail->isChecked());
        ui()->actMenuViewDetail->trigger();
        QVERIFY(ui()->scrollAreaTabMain->isHidden());
        QVERIFY(!hub()->m_MainTabVisible);
        ui()->actMenuViewDetail->trigger();
        QVERIFY(!ui()->scrollAreaTabMain->isHidden());
        QVERIFY(hub()->m_MainTabVisible);
        QCOMPARE(ui()->tabMain->currentWidget(), ui()->tabSchedule);
        // Back on the schedule page the clock shows again.
        QVERIFY(!m_Window->m_lblStatus[0]->isHidden());
        QVERIFY(!m_Window->m_lblStatus[2]->isHidden());
    }

    void detailOffHidesTheScheduleClock_data()
    {
        QTest::addColumn<bool>("schedulePage");
        QTest::newRow("schedule page") << true;
        QTest::newRow("property page") << false;
    }
    void detailOffHidesTheScheduleClock()
    {
        QFETCH(bool, schedulePage);
        ui()->tabMain->setCurrentWidget(schedulePage ? ui()->tabSchedule : ui()->tabPropery);
        QCOMPARE(!m_Window->m_lblStatus[2]->isHidden(), schedulePage);
        ui()->actMenuViewDetail->trigger();
        QVERIFY(m_Window->m_lblStatus[0]->isHidden());
        QVERIFY(m_Window->m_lblStatus[2]->isHidden());
        QVERIFY(!m_Window->m_lblStatus[1]->isHidden());
    }

    void detailOffGivesTheListTheTabAreasHeight()
    {
        m_Window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_Window.get()));
        QCoreApplication::processEvents();
        const QRect before = list()->geometry();
        const int tabArea = ui()->scrollAreaTabMain->height();
        QVERIFY(tabArea > 0);
        ui()->actMenuViewDetail->trigger();
        QCOMPARE(list()->geometry().top(), before.top());
        QCOMPARE(list()->height(), before.height() + tabArea);
        QCOMPARE(list()->width(), before.width());
    }

    // The form's own texts never reach the screen: the window writes the
    // detail view at once, and the property pane's values start blank.
    void noFormKeysAfterStart()
    {
        QList<QLabel*> shown = ui()->scrollAreaDetail->findChildren<QLabel*>();
        // The pane's own page; the hidden pages below it never show.
        shown += ui()->widget->findChildren<QLabel*>();
        QCOMPARE(shown.size(), 10 + 25);
        for (const QLabel* text : qAsConst(shown))
            QVERIFY2(!text->text().startsWith(QLatin1String("lbl")), qPrintable(text->objectName()));
    }
};

QTEST_MAIN(tst_Lumivox5MainProperty)
#include "tst_Lumivox5MainProperty.moc"
