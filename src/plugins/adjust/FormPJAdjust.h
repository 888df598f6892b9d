#ifndef FORMPJADJUST_H
#define FORMPJADJUST_H

#include "CCommandIF.h"
#include "CVariantParameter.h"

#include <QList>
#include <QString>
#include <QWidget>

class CGainInfo;
class CGeneralSlider;
class CLumivox5Data;
class CProjectorData;
class CProjectorTreeView;
class FormPJAdjustDetail;
class QFocusEvent;
class QKeyEvent;
class QLabel;
class QMouseEvent;
class QPushButtonEx;
class QSlider;
class QTimer;
class QWheelEvent;
class Ui_FormPJAdjust;

// The adjustment panel: six gains (contrast, brightness, sharpness, color,
// hue, volume) of the projectors selected in the main window's list, each
// with a slider and two step buttons, and the refresh and reset buttons. Its
// page, "tabWidgetAdjust", is what the plug-in puts into the main window;
// the rest of the form (the second tab with its picture, image, video and
// audio pages) is built but never shown. Requests leave through SendCommand,
// which reaches the main window before the emit returns.
class FormPJAdjust : public QWidget
{
    Q_OBJECT
    friend class CPluginPJAdjust;
    friend class tst_FormPJAdjustSending;

public:
    explicit FormPJAdjust(QWidget* parent = nullptr);
    ~FormPJAdjust() override;

    // Handed over by the plug-in after construction; not owned.
    CLumivox5Data* m_Lumivox5Data;
    CProjectorTreeView* m_pTreeViewPJList;
    CProjectorTreeView* m_pTreeViewPJListSub;

    Ui_FormPJAdjust* ui;
    // Made at the first press of the detail button, then shown again.
    FormPJAdjustDetail* m_pFormPJAdjustDetail;

signals:
    void SetVariantData(QList<CVariantParameter>& param, int action, bool cash, int fromId);
    void SendCommand(int id, QList<CVariantParameter>* param, int from, int act, QList<int>* target, bool cache,
                     bool log);
    void f_On_AllEnabled(QWidget* baseWidget, bool bEnable, bool bLabel);

public slots:
    // The page has become the current one, or the selection changed while it is.
    void MainTabChanged();

private slots:
    // A command finished; an error was reported (both relayed by the command object).
    void UpdateTiming(int id, int from, int act, int target);
    void UpdateError(QString msg, QString strTarget, int code, int cmd, int from, int act, int nTargetID);
    // Asks the targets for the values shown on the page of that index.
    void f_On_TargetChanged(int tabIndex);
    void on_pushButtonReset_clicked();
    void on_pushButtonUpdate_clicked();
    void on_btnDetail_pressed();
    // The held step button's next step; the end of a run of wheel steps.
    void f_On_TimerStepChange();
    void f_On_TimerMouseWheel();

private:
    // One gain row: its kind (the gain type), the request that sets and reads
    // it, and its controls.
    struct GainRow
    {
        int type;
        CCommandIF::Command command;
        CGeneralSlider* slider;
        QPushButtonEx* decrement;
        QPushButtonEx* increment;
        QLabel* value;
        QLabel* name;
        QLabel* relative;
    };
    // The rows top to bottom: contrast, brightness, sharpness, color, hue,
    // volume (also the order of their requests and of a reset).
    QList<GainRow> m_Gains;
    const GainRow* f_Gain(int type) const;
    const GainRow* f_GainOfCommand(int cmd) const;
    void f_ConnectGainRow(const GainRow& row);

    // Targets, what they may receive, and the sending of one value.
    void f_GetTarget(QList<int>* list);
    bool f_IsSendable(int id, int type, int sub, bool bRelative);
    bool f_IsSingleConnected(CProjectorData* pj);
    bool f_IsSet(CGainInfo* gain, bool bDefault);
    bool f_IsGainOperating(int type, int sub);
    bool f_IsGainParameterReceiving(CProjectorData* pj, int type, int sub);
    // A row the display leaves as it is: being adjusted, or showing the
    // value of `pj` (the one target) that is being read again.
    bool f_IsRowKept(int type, CProjectorData* pj);
    void f_SetSendData(QList<CVariantParameter>* param, bool bRelative, int value);
    void f_SetData(CCommandIF::Command cmd, CProjectorData* pj, bool bDefault);
    // Resets the projectors waiting in the reset list (one, to its defaults).
    void f_ResetExecute();
    void f_ResetExecute(CProjectorData* pj);
    void f_RemoveResetList(int id);
    // The display after a batch of completions, for the one selected projector.
    void f_UpdateAfterTiming();
    // Writes the targets' values (or offsets) into the controls.
    void f_ShowTargets();

    // What the controls show and allow (see the source for the rules).
    void f_UpdateParam();
    void f_UpdateDefaultValueView();
    void f_ChangeDefaultValueView(int type, int sub, int value);
    void f_ChangeDefaultValueView(QLabel* label, bool bDefault);
    void f_CheckEnable();
    void f_SetValueStringInt(QLabel* label, int value);
    CProjectorData* f_SingleTarget();

    // An adjustment: started by a press, decided (sent) or cancelled.
    void f_StartAdjustControl(int type, int sub);
    void f_DecideAdjustControl(int type, int sub);
    void f_CancelAdjustControl(int type, int sub);
    void f_OnSliderMousePressed(int type, int sub, QMouseEvent* event);
    void f_OnSliderMouseReleased(int type, int sub, QMouseEvent* event);
    void f_OnSliderKeyPressed(int type, int sub, QKeyEvent* event);
    void f_OnSliderKeyReleased(int type, int sub, QKeyEvent* event);
    void f_OnSliderLostFocus(int type, int sub, QFocusEvent* event);
    void f_OnSliderGotFocus(int type, int sub, QFocusEvent* event);
    void f_OnSliderWheelMoved(int type, int sub, QWheelEvent* event);
    void f_OnSliderValueChanged(int type, int value);
    void f_OnSpinButtonMousePressed(int type, int sub, bool increment, QWidget* button, QMouseEvent* event);
    void f_OnSpinButtonMouseReleased(int type, int sub, bool increment, QWidget* button, QMouseEvent* event);
    void f_OnSpinButtonKeyPressed(int type, int sub, bool increment, QWidget* button, QKeyEvent* event);
    void f_OnSpinButtonKeyReleased(int type, int sub, bool increment, QWidget* button, QKeyEvent* event);
    void f_OnSpinButtonLostFocus(int type, int sub, bool increment, QWidget* button, QFocusEvent* event);
    void f_StartStepping(int type, int sub, bool increment);
    void f_SetValueIncrement(QSlider* slider);
    void f_SetValueDecrement(QSlider* slider);

    // Set while received values are written into the controls: nothing is sent then.
    bool m_blnDisplayUpdate;
    // The sliders show offsets for several targets.
    bool m_blnRelative;
    // The adjustment under way: its gain key ((type << 8) + sub) and last value.
    bool m_blnAdjusting;
    int m_AdjustingKey;
    int m_AdjustedValue;
    QList<int>* m_pTargetList;
    QList<int>* m_pResetList;
    // Every 100 ms while a step button is held; 100 ms after the last wheel step.
    QTimer* m_pTimerStepChange;
    QTimer* m_pTimerMouseWheel;
    QSlider* m_pStepSlider;
    bool m_blnStepIncrement;
    qint64 m_LastRefreshTick;
    // A display refresh is queued for the end of the current batch of completions.
    bool m_blnDisplayQueued;
    // The projector whose values the rows show; -1 for none, or offsets.
    int m_ShownTargetId;
};

#endif // FORMPJADJUST_H
