#include "FormPJAdjust.h"
#include "ui_FormPJAdjust.h"

#include "CCommandFunctions.h"
#include "CDeviceAccess.h"
#include "CGainInfo.h"
#include "CGeneralSlider.h"
#include "CGetTickMSec.h"
#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "CProjectorTreeView.h"
#include "ExceptionTrace.h"
#include "FormPJAdjustDetail.h"
#include "LogCategories.h"
#include "QPushButtonEx.h"

#include <QAbstractProxyModel>
#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QTimer>

namespace {

// A connection state of 3 means connected; gains with status 2 may be changed.
const int CONNECTED = 3;
const int ADJUSTABLE = 2;
// What a missing gain reads as.
const int MISSING_GAIN_VALUE = 50;
// The sliders' span in relative mode (several targets).
const int RELATIVE_SPAN = 100;

} // namespace

FormPJAdjust::FormPJAdjust(QWidget* parent)
    : QWidget(parent)
    , m_Lumivox5Data(nullptr)
    , m_pTreeViewPJList(nullptr)
    , m_pTreeViewPJListSub(nullptr)
    , ui(new Ui_FormPJAdjust)
    , m_pFormPJAdjustDetail(nullptr)
    , m_blnDisplayUpdate(false)
    , m_blnRelative(false)
    , m_blnAdjusting(false)
    , m_AdjustingKey(-1)
    , m_AdjustedValue(0)
    , m_pTargetList(new QList<int>)
    , m_pResetList(new QList<int>)
    , m_pTimerStepChange(nullptr)
    , m_pTimerMouseWheel(nullptr)
    , m_pStepSlider(nullptr)
    , m_blnStepIncrement(true)
    , m_LastRefreshTick(0)
    , m_blnDisplayQueued(false)
    , m_ShownTargetId(-1)
{
    RunTraced([&] {
        ui->setupUi(this);

        m_pTimerStepChange = new QTimer(this);
        m_pTimerStepChange->setInterval(100);
        connect(m_pTimerStepChange, &QTimer::timeout, this, &FormPJAdjust::f_On_TimerStepChange);
        m_pTimerMouseWheel = new QTimer(this);
        m_pTimerMouseWheel->setInterval(100);
        m_pTimerMouseWheel->setSingleShot(true);
        connect(m_pTimerMouseWheel, &QTimer::timeout, this, &FormPJAdjust::f_On_TimerMouseWheel);

        m_Gains = {
            {CGainInfo::KindPictureContrast, CCommandIF::Contrast, ui->hSlidePictureContrast,
             ui->btnPictureDecContrast, ui->btnPictureIncContrast, ui->lblParamPictureContrast,
             ui->lblPictureContrast, ui->lblRelativeContrast},
            {CGainInfo::KindPictureBrightness, CCommandIF::Brightness, ui->hSlidePictureBrightness,
             ui->btnPictureDecBrightness, ui->btnPictureIncBrightness, ui->lblParamPictureBrightness,
             ui->lblPictureBrightness, ui->lblRelativeBrightness},
            {CGainInfo::KindPictureSharpness, CCommandIF::Sharpness, ui->hSlidePictureSharpness,
             ui->btnPictureDecSharpness, ui->btnPictureIncSharpness, ui->lblParamPictureSharpness,
             ui->lblPictureSharpness, ui->lblRelativeSharpness},
            {CGainInfo::KindPictureColor, CCommandIF::Color, ui->hSlidePictureColor, ui->btnPictureDecColor,
             ui->btnPictureIncColor, ui->lblParamPictureColor, ui->lblPictureColor, ui->lblRelativeColor},
            {CGainInfo::KindPictureHue, CCommandIF::Hue, ui->hSlidePictureHue, ui->btnPictureDecHue,
             ui->btnPictureIncHue, ui->lblParamPictureHue, ui->lblPictureHue, ui->lblRelativeHue},
            {CGainInfo::KindAudioVolume, CCommandIF::Volume, ui->hSlideAudioVolume, ui->btnAudioDecVolume,
             ui->btnAudioIncVolume, ui->lblParamAudioVolume, ui->lblAudioVolume, ui->lblRelativeVolume},
        };
        for (const GainRow& row : qAsConst(m_Gains)) {
            row.relative->hide();
            f_ConnectGainRow(row);
        }

        // Only the gain rows with the refresh and reset buttons are shown.
        for (QWidget* page : {ui->tabPicture2, ui->tabImageOption, ui->tabVideo, ui->tabAudio})
            ui->tabAdjust->removeTab(ui->tabAdjust->indexOf(page));
        ui->frame->hide();
        ui->tabAdjust->hide();
    });
}

FormPJAdjust::~FormPJAdjust()
{
    delete m_pFormPJAdjustDetail;
    if (m_pTimerStepChange && m_pTimerStepChange->isActive())
        m_pTimerStepChange->stop();
    delete m_pTimerStepChange;
    delete m_pTargetList;
    delete m_pResetList;
    delete ui;
}

const FormPJAdjust::GainRow* FormPJAdjust::f_Gain(int type) const
{
    for (const GainRow& row : m_Gains) {
        if (row.type == type)
            return &row;
    }
    return nullptr;
}

const FormPJAdjust::GainRow* FormPJAdjust::f_GainOfCommand(int cmd) const
{
    for (const GainRow& row : m_Gains) {
        if (row.command == cmd)
            return &row;
    }
    return nullptr;
}

void FormPJAdjust::f_GetTarget(QList<int>* list)
{
    list->clear();
    // Before the plug-in hands over the list view, or with a model that is
    // no sorting proxy over the list's items, nothing is selected.
    QItemSelectionModel* selection = m_pTreeViewPJList ? m_pTreeViewPJList->selectionModel() : nullptr;
    auto* proxy = m_pTreeViewPJList ? qobject_cast<QAbstractProxyModel*>(m_pTreeViewPJList->model()) : nullptr;
    if (!selection || !proxy || !qobject_cast<QStandardItemModel*>(proxy->sourceModel()))
        return;
    // The selected rows' projector ids, in the selection model's order.
    *list = m_pTreeViewPJList->GetPjDataIDList(true);
}

CProjectorData* FormPJAdjust::f_SingleTarget()
{
    if (!m_Lumivox5Data || m_pTargetList->size() != 1)
        return nullptr;
    return m_Lumivox5Data->GetProjectorData(m_pTargetList->first());
}

bool FormPJAdjust::f_IsSingleConnected(CProjectorData* pj)
{
    return pj && pj->m_ConnectState == CONNECTED && pj->m_Status[CProjectorData::StPowerStatus].ToBool();
}

bool FormPJAdjust::f_IsSet(CGainInfo* gain, bool bDefault)
{
    if (!gain || !gain->m_Min.IsSet() || !gain->m_Max.IsSet() || !gain->m_Current.IsSet()
        || !gain->m_DefaultKnown.IsSet() || !gain->m_Status.IsSet())
        return false;
    return !bDefault || gain->m_Default.IsSet();
}

bool FormPJAdjust::f_IsSendable(int id, int type, int sub, bool bRelative)
{
    CProjectorData* pj = m_Lumivox5Data ? m_Lumivox5Data->GetProjectorData(id) : nullptr;
    if (!f_IsSingleConnected(pj))
        return false;
    if (bRelative)
        return true;
    CGainInfo* gain = pj->m_GainInfo.value(CGainInfo::Key(type, sub), nullptr);
    if (!f_IsSet(gain, false) || gain->m_Status.ToInt() != ADJUSTABLE)
        return false;
    const GainRow* row = f_Gain(type);
    const int value = row ? row->slider->value() : 0;
    return gain->m_Min.ToInt() <= value && value <= gain->m_Max.ToInt();
}

bool FormPJAdjust::f_IsGainOperating(int type, int sub)
{
    return m_blnAdjusting && m_AdjustingKey == CGainInfo::Key(type, sub);
}

// The engine marks a read by its own command key and the keys it reads, not
// by the request's number: it is asked whether this gain is among them.
bool FormPJAdjust::f_IsGainParameterReceiving(CProjectorData* pj, int type, int)
{
    if (!pj || !f_Gain(type) || !m_Lumivox5Data || !m_Lumivox5Data->m_pDeviceAccess)
        return false;
    return m_Lumivox5Data->m_pDeviceAccess->IsCommunicating(pj->m_Id)
           && CCommandFunctions::f_IsReadingGain(pj, CGainInfo::Key(type, 0));
}

bool FormPJAdjust::f_IsRowKept(int type, CProjectorData* pj)
{
    return f_IsGainOperating(type, 0)
           || (pj && pj->m_Id == m_ShownTargetId && f_IsGainParameterReceiving(pj, type, 0));
}

void FormPJAdjust::f_SetSendData(QList<CVariantParameter>* param, bool bRelative, int value)
{
    param->append(CVariantParameter().FromInt(bRelative ? 1 : 0));
    param->append(CVariantParameter().FromInt(value));
}

void FormPJAdjust::f_SetData(CCommandIF::Command cmd, CProjectorData* pj, bool bDefault)
{
    qCDebug(lcAdjust, "FormPJAdjust::f_SetData");
    RunTraced([&] {
        if (m_blnDisplayUpdate) {
            qCDebug(lcAdjust, "Stopping set Gain for setting Data");
            return;
        }
        // An offset is no projector's value: it is neither compared with nor
        // stored as that of the one target a refresh may leave in the list
        // (it keeps those with a profile).
        CProjectorData* single = m_blnRelative ? nullptr : f_SingleTarget();
        bool same = true;
        CProjectorData* working = single;
        if (pj) {
            same = single == pj;
            working = pj;
        }
        if (m_blnAdjusting)
            same = false;

        const GainRow* row = f_GainOfCommand(cmd);
        if (!row) {
            f_UpdateDefaultValueView();
            return;
        }
        CGainInfo* gain = working ? working->m_GainInfo.value(CGainInfo::Key(row->type, 0), nullptr) : nullptr;
        if (working && (gain ? gain->m_Current.ToInt() : MISSING_GAIN_VALUE) == row->slider->value())
            return;

        const bool relative = bDefault ? false : m_blnRelative;
        const int value = bDefault ? (gain ? gain->m_Default.ToInt() : MISSING_GAIN_VALUE) : row->slider->value();
        QList<CVariantParameter> parameters;
        f_SetSendData(&parameters, relative, value);

        QList<int> targets;
        if (pj) {
            if (f_IsSendable(pj->m_Id, row->type, 0, false))
                targets << pj->m_Id;
        } else {
            for (int id : qAsConst(*m_pTargetList)) {
                if (f_IsSendable(id, row->type, 0, m_blnRelative))
                    targets << id;
            }
        }
        // The value shows at once, until the read that follows corrects it;
        // only in a record the value goes to, or it would show one never sent.
        if (working && same && gain && targets.contains(working->m_Id))
            gain->m_Current.FromInt(value);

        if (!targets.isEmpty()) {
            // The receiver may keep neither list beyond its handling.
            auto* list = new QList<int>(targets);
            emit SendCommand(cmd, &parameters, 7, 2, list, false, true);
            delete list;
        }
        f_UpdateDefaultValueView();
        if (!targets.isEmpty()) {
            qCDebug(lcAdjust, "FormPJAdjust::f_SetData Get LastData after sendData");
            auto* list = new QList<int>(targets);
            emit SendCommand(cmd, &parameters, 7, 1, list, false, true);
            delete list;
        }
    });
}

void FormPJAdjust::f_ResetExecute(CProjectorData* pj)
{
    if (!pj)
        return;
    for (const GainRow& row : qAsConst(m_Gains)) {
        CGainInfo* gain = pj->m_GainInfo.value(CGainInfo::Key(row.type, 0), nullptr);
        // A default the projector does not know is no value to send.
        if (!gain || !gain->m_DefaultKnown.ToBool())
            continue;
        row.slider->setValue(gain->m_Default.ToInt());
        f_SetData(row.command, pj, true);
    }
}

void FormPJAdjust::f_ResetExecute()
{
    if (m_pResetList->isEmpty() || !m_Lumivox5Data)
        return;
    // A projector is reset once all six of its gains have been read again.
    // It leaves the list first: the requests may bring completions (and
    // this call) back before they return.
    QList<int> ready;
    for (int id : QList<int>(*m_pResetList)) {
        CProjectorData* pj = m_Lumivox5Data->GetProjectorData(id);
        if (!pj) {
            // Ids are given again to new projectors: a gone one is forgotten.
            m_pResetList->removeOne(id);
            continue;
        }
        bool complete = true;
        for (const GainRow& row : qAsConst(m_Gains))
            complete = complete && f_IsSet(pj->m_GainInfo.value(CGainInfo::Key(row.type, 0), nullptr), false);
        if (complete) {
            m_pResetList->removeOne(id);
            ready << id;
        }
    }
    for (int id : qAsConst(ready))
        f_ResetExecute(m_Lumivox5Data->GetProjectorData(id));
}

void FormPJAdjust::f_RemoveResetList(int id)
{
    m_pResetList->removeAll(id);
}

void FormPJAdjust::MainTabChanged()
{
    qCDebug(lcAdjust, "FormPJAdjust::MainTabChanged");
    RunTraced([&] {
        f_GetTarget(m_pTargetList);
        for (QLabel* label : {ui->lblPictureContrast, ui->lblPictureBrightness, ui->lblPictureSharpness,
                              ui->lblPictureColor, ui->lblPictureHue, ui->lblAudioVolume, ui->lblAudioVolume_2})
            f_ChangeDefaultValueView(label, false);
        f_CheckEnable();
        // The newly selected projectors' stored values show at once.
        f_ShowTargets();
    });
}

void FormPJAdjust::f_ShowTargets()
{
    // Nothing is sent while the controls are written.
    m_blnDisplayUpdate = true;
    f_UpdateParam();
    f_UpdateDefaultValueView();
    m_blnDisplayUpdate = false;
}

void FormPJAdjust::UpdateTiming(int, int, int, int)
{
    qCDebug(lcAdjust, "FormPJAdjust::UpdateTiming");
    RunTraced([&] {
        f_ResetExecute();
        // One display refresh per batch: a status pass relays one completion
        // per projector, and each would walk the whole selection.
        if (m_blnDisplayQueued)
            return;
        m_blnDisplayQueued = true;
        QMetaObject::invokeMethod(this, &FormPJAdjust::f_UpdateAfterTiming, Qt::QueuedConnection);
    });
}

void FormPJAdjust::f_UpdateAfterTiming()
{
    m_blnDisplayQueued = false;
    RunTraced([&] {
        f_GetTarget(m_pTargetList);
        if (m_pTargetList->size() != 1) {
            qCDebug(lcAdjust, "FormPJAdjust::UpdateTiming NO ONE Selected");
            // Several targets: what they allow may have changed all the same.
            if (!m_pTargetList->isEmpty())
                f_CheckEnable();
            return;
        }
        f_CheckEnable();
        CProjectorData* pj = f_SingleTarget();
        if (!pj || !pj->m_Profile)
            return;
        f_ShowTargets();
    });
}

void FormPJAdjust::UpdateError(QString msg, QString strTarget, int code, int, int, int, int nTargetID)
{
    qCDebug(lcAdjust, "FormPJAdjust::UpdateError msg[%s] target[%s] code[%d]", qUtf8Printable(msg),
            qUtf8Printable(strTarget), code);
    RunTraced([&] {
        f_RemoveResetList(nTargetID);
        if (!m_blnAdjusting)
            f_CheckEnable();
    });
}

void FormPJAdjust::f_On_TargetChanged(int tabIndex)
{
    qCDebug(lcAdjust, " FormPJAdjust::f_On_TargetChanged (%d)", tabIndex);
    RunTraced([&] {
        if (!m_pTreeViewPJList || !m_pTreeViewPJListSub)
            return;
        // The mode starts again from the selection, with the display that
        // goes with it: several selected stay relative, whatever is read.
        f_GetTarget(m_pTargetList);
        f_CheckEnable();
        f_ShowTargets();

        QList<int> kept;
        for (int id : qAsConst(*m_pTargetList)) {
            CProjectorData* pj = m_Lumivox5Data ? m_Lumivox5Data->GetProjectorData(id) : nullptr;
            if (pj && pj->m_Profile)
                kept << id;
            else
                qCDebug(lcAdjust, "!!! pjData was not connected !!! keyId[%d]", id);
        }
        *m_pTargetList = kept;

        static const QList<int> pageCommands[] = {
            {11, 12, 23, 24, 25, 26, 27, 42},
            {28, 29, 30, 31, 32, 33, 34},
            {35, 36, 37, 38, 39, 40},
            {42, 43, 44, 45, 46},
        };
        const QList<int>& commands = pageCommands[tabIndex >= 1 && tabIndex <= 3 ? tabIndex : 0];
        if (m_pTargetList->isEmpty())
            return;
        m_LastRefreshTick = CGetTickMSec::GetTickMSec();
        for (int id : commands) {
            QList<CVariantParameter> parameters;
            emit SendCommand(id, &parameters, 7, 1, m_pTargetList, false, true);
        }
    });
}

void FormPJAdjust::on_pushButtonUpdate_clicked()
{
    f_On_TargetChanged(ui->tabAdjust->currentIndex());
}

void FormPJAdjust::on_pushButtonReset_clicked()
{
    RunTraced([&] {
        if (m_pTargetList->size() > 1)
            return;
        if (m_pTargetList->size() == 1 && !m_pResetList->contains(m_pTargetList->first()))
            m_pResetList->append(m_pTargetList->first());
        f_On_TargetChanged(ui->tabAdjust->currentIndex());
    });
}

void FormPJAdjust::f_SetValueStringInt(QLabel* label, int value)
{
    label->setText(QString::number(value));
}

// One target with a record and profile: the sliders span each gain's range
// at its current value (0..100 at 0 for a gain not read yet). Several: the
// sliders show an offset from 0 (-100..100) over every target. None, or one
// without a profile: no value (0..100 at 0). The relative-mode flag is set
// here alone, with the display that shows it. The row under the operator's
// hand keeps its slider, and so does the one target's row whose value is
// being read again.
void FormPJAdjust::f_UpdateParam()
{
    m_blnRelative = m_pTargetList->size() > 1;
    CProjectorData* pj = f_SingleTarget();
    if (pj && !pj->m_Profile)
        pj = nullptr;
    for (const GainRow& row : qAsConst(m_Gains)) {
        row.relative->setVisible(m_blnRelative);
        if (f_IsRowKept(row.type, pj))
            continue;
        int lower = 0, upper = 100, value = 0;
        if (m_blnRelative) {
            lower = -RELATIVE_SPAN;
            upper = RELATIVE_SPAN;
        } else if (pj) {
            CGainInfo* gain = pj->m_GainInfo.value(CGainInfo::Key(row.type, 0), nullptr);
            if (f_IsSet(gain, false)) {
                lower = gain->m_Min.ToInt();
                upper = gain->m_Max.ToInt();
                value = gain->m_Current.ToInt();
            }
        }
        row.slider->setRange(lower, upper);
        row.slider->setValue(value);
        f_SetValueStringInt(row.value, row.slider->value());
    }
    m_ShownTargetId = pj ? pj->m_Id : -1;
}

void FormPJAdjust::f_UpdateDefaultValueView()
{
    for (const GainRow& row : qAsConst(m_Gains))
        f_ChangeDefaultValueView(row.type, 0, row.slider->value());
}

// A gain's name is bold while the one target's value is its known default.
void FormPJAdjust::f_ChangeDefaultValueView(int type, int sub, int value)
{
    const GainRow* row = f_Gain(type);
    if (!row)
        return;
    CProjectorData* pj = f_SingleTarget();
    CGainInfo* gain = pj ? pj->m_GainInfo.value(CGainInfo::Key(type, sub), nullptr) : nullptr;
    f_ChangeDefaultValueView(row->name, gain && gain->m_DefaultKnown.ToBool() && gain->m_Default.IsSet()
                                            && gain->m_Default.ToInt() == value);
}

void FormPJAdjust::f_ChangeDefaultValueView(QLabel* label, bool bDefault)
{
    if (label->font().bold() == bDefault)
        return;
    QFont font = label->font();
    font.setBold(bDefault);
    label->setFont(font);
}

// A row may be operated when its one target is connected, powered and has
// the gain adjustable, or, for several targets, when any of them is
// connected and powered. The row being adjusted is left alone (disabling it
// would end the adjustment), and so is the row whose shown value is being
// read again.
void FormPJAdjust::f_CheckEnable()
{
    const int count = m_pTargetList->size();
    CProjectorData* single = f_SingleTarget();
    bool anyConnected = false;
    if (count > 1 && m_Lumivox5Data) {
        for (int id : qAsConst(*m_pTargetList)) {
            if ((anyConnected = f_IsSingleConnected(m_Lumivox5Data->GetProjectorData(id))))
                break;
        }
    }
    const bool singleConnected = f_IsSingleConnected(single);
    for (const GainRow& row : qAsConst(m_Gains)) {
        if (f_IsRowKept(row.type, count == 1 ? single : nullptr))
            continue;
        bool enable = anyConnected;
        if (count == 1) {
            CGainInfo* gain = single ? single->m_GainInfo.value(CGainInfo::Key(row.type, 0), nullptr) : nullptr;
            enable = singleConnected && f_IsSet(gain, false) && gain->m_Status.ToInt() == ADJUSTABLE;
        }
        for (QWidget* control : {static_cast<QWidget*>(row.slider), static_cast<QWidget*>(row.decrement),
                                 static_cast<QWidget*>(row.increment)})
            control->setEnabled(enable);
    }
    ui->pushButtonUpdate->setEnabled(count > 0);
    ui->pushButtonReset->setEnabled(count == 1 && singleConnected);
}

void FormPJAdjust::on_btnDetail_pressed()
{
    RunTraced([&] {
        // One dialog serves every press and keeps what the operator left in it.
        if (!m_pFormPJAdjustDetail) {
            m_pFormPJAdjustDetail = new FormPJAdjustDetail(this);
            m_pFormPJAdjustDetail->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint);
            m_pFormPJAdjustDetail->setModal(true);
        }
        m_pFormPJAdjustDetail->exec();
    });
}
