// The property pane, the detail view below the group tree, the tab area
// below the projector list (shown or hidden, and its pages).
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "ExceptionTrace.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTabWidget>

namespace {

using Formatter = QString (*)(CProjectorData*);

// The property pane's value labels, filled in this order for one projector.
struct PropertyLabel
{
    QLabel* Ui_Lumivox5Main::*label;
    Formatter text;
};

const PropertyLabel PROPERTY_LABELS[] = {
    {&Ui_Lumivox5Main::lblPropPJNameParamTemp, [](CProjectorData* r) { return r->GetProjectorNameString(); }},
    {&Ui_Lumivox5Main::lblPropMdlNameParamTemp, [](CProjectorData* r) { return r->GetModelNameString(); }},
    {&Ui_Lumivox5Main::lblPropStatusParamTemp, [](CProjectorData* r) { return r->GetStatusString(); }},
    {&Ui_Lumivox5Main::lblPropLampRemainTimeParamTemp,
     [](CProjectorData* r) { return r->GetRemainingLampTimeString(true); }},
    {&Ui_Lumivox5Main::lblPropLamp2RemainTimeParamTemp,
     [](CProjectorData* r) { return r->GetRemainingLamp2TimeString(true); }},
    {&Ui_Lumivox5Main::lblPropFilterRemainTimeParamTemp,
     [](CProjectorData* r) { return r->GetFilterUsageString(true); }},
    {&Ui_Lumivox5Main::lblPropSignalNameParamTemp, [](CProjectorData* r) { return r->GetSignalNameString(); }},
    {&Ui_Lumivox5Main::lblPropInputTerminalParamTemp, [](CProjectorData* r) { return r->GetInputTerminalString(); }},
    {&Ui_Lumivox5Main::lblPropHoriznParamTemp, [](CProjectorData* r) { return r->GetFreqHorizontalString(); }},
    {&Ui_Lumivox5Main::lblPropVerticalParamTemp, [](CProjectorData* r) { return r->GetFreqVerticalString(); }},
    {&Ui_Lumivox5Main::lblPropSyncPolicyParamTemp, [](CProjectorData* r) { return r->GetSyncPolString(); }},
};

// The two text boxes, filled after the labels.
struct PropertyBox
{
    QPlainTextEdit* Ui_Lumivox5Main::*box;
    Formatter text;
};

const PropertyBox PROPERTY_BOXES[] = {
    {&Ui_Lumivox5Main::pteRemarkTemp, [](CProjectorData* r) { return r->GetRemarkString(false, false); }},
    {&Ui_Lumivox5Main::pteGroupTemp, [](CProjectorData* r) { return r->GetGroupString(); }},
};

// Writes the property pane from `record`, or empties it without one.
void FillProperty(Ui_Lumivox5Main* ui, CProjectorData* record)
{
    for (const PropertyLabel& row : PROPERTY_LABELS) {
        const QString text = record ? row.text(record) : QString();
        QLabel* label = ui->*row.label;
        label->setText(text);
        if (row.label == &Ui_Lumivox5Main::lblPropPJNameParamTemp)
            label->setToolTip(text);
    }
    for (const PropertyBox& row : PROPERTY_BOXES)
        (ui->*row.box)->setPlainText(record ? row.text(record) : QString());
}

// The detail view's rows: caption key, caption label, value label, value.
struct DetailRow
{
    const char* caption;
    QLabel* Ui_Lumivox5Main::*captionLabel;
    QLabel* Ui_Lumivox5Main::*valueLabel;
    Formatter text;
};

const DetailRow DETAIL_ROWS[] = {
    {QT_TRANSLATE_NOOP("Lumivox5Main", "DetailSetting"), &Ui_Lumivox5Main::lblDetail1, &Ui_Lumivox5Main::lblDetail1Param,
     [](CProjectorData* r) { return r->GetSettingString(); }},
    {QT_TRANSLATE_NOOP("Lumivox5Main", "DetailPort"), &Ui_Lumivox5Main::lblDetail2, &Ui_Lumivox5Main::lblDetail2Param,
     [](CProjectorData* r) { return r->GetPortString(); }},
    {QT_TRANSLATE_NOOP("Lumivox5Main", "DetailProjectorName"), &Ui_Lumivox5Main::lblDetail3,
     &Ui_Lumivox5Main::lblDetail3Param, [](CProjectorData* r) { return r->GetProjectorNameString(); }},
    {QT_TRANSLATE_NOOP("Lumivox5Main", "DetailStatus"), &Ui_Lumivox5Main::lblDetail4, &Ui_Lumivox5Main::lblDetail4Param,
     [](CProjectorData* r) { return r->GetStatusString(); }},
    {QT_TRANSLATE_NOOP("Lumivox5Main", "DetailInputTerminal"), &Ui_Lumivox5Main::lblDetail5,
     &Ui_Lumivox5Main::lblDetail5Param, [](CProjectorData* r) { return r->GetInputTerminalString(); }},
};

} // namespace

void Lumivox5Main::f_UpdateProperty()
{
    RunTraced([&] {
        const QList<CProjectorData*> records = f_GetSelectedPjDataList();
        if (records.size() == 1)
            FillProperty(ui, records.first());
        else
            f_ClearPropertyParam();
    });
}

void Lumivox5Main::f_ClearPropertyParam()
{
    RunTraced([&] { FillProperty(ui, nullptr); });
}

void Lumivox5Main::f_On_UpdateShowDetail()
{
    RunTraced([&] {
        const QList<CProjectorData*> records = f_GetSelectedPjDataList();
        CProjectorData* first = records.isEmpty() ? nullptr : records.first();
        // Several projectors: the first one's values, each marked.
        const QString mark = records.size() > 1 ? QString(QChar(0x3000)) + QStringLiteral("/...") : QString();
        for (const DetailRow& row : DETAIL_ROWS) {
            const QString caption = first ? tr(row.caption) : QString();
            const QString value = first ? row.text(first) + mark : QString();
            (ui->*row.captionLabel)->setText(caption);
            QLabel* label = ui->*row.valueLabel;
            label->setText(value);
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(value));
        }
    });
}

void Lumivox5Main::on_actMenuViewDetail_triggered()
{
    RunTraced([&] {
        const bool on = ui->actMenuViewDetail->isChecked();
        QScrollArea* tabArea = ui->scrollAreaTabMain;
        tabArea->setVisible(on);
        m_Lumivox5Data->m_MainTabVisible = on;

        // The clock and its blank neighbour belong to the schedule page.
        const bool schedule = on && ui->tabMain->currentWidget() == ui->tabSchedule;
        if (schedule)
            f_UpdateScheduleList();
        for (QLabel* label : {m_lblStatus[0], m_lblStatus[2]}) {
            if (label)
                label->setVisible(schedule);
        }

        // The list takes the freed room at once, before the splitter's next layout.
        if (!on) {
            QRect room = ui->treeViewPJList->geometry();
            room.setBottom(room.bottom() + tabArea->height());
            ui->treeViewPJList->setGeometry(room);
        }
    });
}

void Lumivox5Main::on_tabMain_currentChanged(int index)
{
    // Building the form and removing its pages change the page before the
    // dispatcher exists.
    if (!m_DataThread)
        return;
    RunTraced([&] {
        QWidget* page = ui->tabMain->widget(index);
        const QString name = page ? page->objectName() : QString();
        const bool schedule = name == QLatin1String("tabSchedule");
        if (schedule)
            f_UpdateScheduleList();
        if (m_lblStatus[2]) {
            m_lblStatus[2]->setVisible(schedule);
            m_lblStatus[0]->setVisible(schedule);
        }
        if (!schedule && name == QLatin1String("tabPropery"))
            f_UpdateProperty();
    });
}

void Lumivox5Main::on_actMenuPJProperty_triggered()
{
    ui->tabMain->setCurrentIndex(ui->tabMain->indexOf(ui->tabPropery));
}
