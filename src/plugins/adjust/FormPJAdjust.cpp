#include "FormPJAdjust.h"
#include "ui_FormPJAdjust.h"

#include "ExceptionTrace.h"
#include "FormPJAdjustDetail.h"
#include "LogCategories.h"

#include <QTimer>

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

        for (QWidget* label : {ui->lblRelativeContrast, ui->lblRelativeBrightness, ui->lblRelativeSharpness,
                               ui->lblRelativeColor, ui->lblRelativeHue, ui->lblRelativeVolume})
            label->hide();

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

void FormPJAdjust::MainTabChanged()
{
    qCDebug(lcAdjust, "FormPJAdjust::MainTabChanged");
}

void FormPJAdjust::UpdateTiming(int, int, int, int)
{
    qCDebug(lcAdjust, "FormPJAdjust::UpdateTiming");
}

void FormPJAdjust::UpdateError(QString msg, QString strTarget, int code, int, int, int, int)
{
    qCDebug(lcAdjust, "FormPJAdjust::UpdateError msg[%s] target[%s] code[%d]", qUtf8Printable(msg),
            qUtf8Printable(strTarget), code);
}

void FormPJAdjust::f_On_TargetChanged(int tabIndex)
{
    qCDebug(lcAdjust, " FormPJAdjust::f_On_TargetChanged (%d)", tabIndex);
}

void FormPJAdjust::on_pushButtonReset_clicked() {}

void FormPJAdjust::on_pushButtonUpdate_clicked() {}

void FormPJAdjust::f_On_TimerStepChange() {}

void FormPJAdjust::f_On_TimerMouseWheel() {}

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
