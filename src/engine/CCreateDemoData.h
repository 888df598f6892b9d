#ifndef CCREATEDEMODATA_H
#define CCREATEDEMODATA_H

#include <QList>
#include <QMap>
#include <QObject>

#include "CVariantParameter.h"

class CDataFunctions;
class CLumivox5Data;
class CProjectorData;

// Offline (demo) mode's stand-in for the projectors: fills projector records
// with fixed sample status and applies set commands straight to them. A
// schedule's set command is reported back to the dispatcher as completed, so
// that schedule execution follows its normal path. Keeps no state of its
// own; both pointers are set by the main window and not owned.
class CCreateDemoData : public QObject
{
    Q_OBJECT
public:
    explicit CCreateDemoData(QObject* parent = nullptr);
    ~CCreateDemoData() override;

    // The sample status of the listed projectors; always true.
    bool CreateAllData(int mode, QList<int>* ids);
    // Applies one request (the dispatcher's request tuple) to every target.
    void ChangeData(int cmd, QList<CVariantParameter>* params, int from, int act, QList<int>* targets, bool cache,
                    bool log);
    // Reads (act 1) or sets (act 2) the shown adjustment record under `key`.
    void CreateGainData(int act, CProjectorData* record, int key, QList<CVariantParameter>* params,
                        QMap<int, int> limits, int current);
    // Stores max, min, default and initial value under keys 0 to 3.
    void CreateGainRelateData(QMap<int, int>* limits, int max, int min, int defaultValue, int initial);

    CLumivox5Data* m_pLumivox5Data = nullptr;
    CDataFunctions* m_pDataFunctions = nullptr;

private:
    void f_WriteBaseSample(CProjectorData* record);
    void f_WriteSampleById(CProjectorData* record);
    void f_SetModelCode(CProjectorData* record, int b1, int b2, int b3, int b4);
    void f_SetModelProfile(CProjectorData* record, int position);
    // Applies one request to one record; true when a schedule's set changed it.
    bool f_ChangeRecord(int cmd, QList<CVariantParameter>* params, int act, CProjectorData* record);
    void f_ChangeGain(int cmd, int act, CProjectorData* record, QList<CVariantParameter>* params);
};

#endif // CCREATEDEMODATA_H
