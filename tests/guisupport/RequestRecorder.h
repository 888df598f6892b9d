#ifndef REQUESTRECORDER_H
#define REQUESTRECORDER_H

#include "CVariantParameter.h"

#include <QList>
#include <QStringList>

// Records what the main window's SendCommand hands on, in place of the
// dispatcher, while it lives. Each request reads
// "id [params] from act [targets] cache log": targets in the order sent, parameters as
// integers, "-" for an absent list.
struct RequestRecorder
{
    QStringList requests;
    QList<QList<CVariantParameter>> parameters;
    RequestRecorder();
    ~RequestRecorder();
    RequestRecorder(const RequestRecorder&) = delete;
    RequestRecorder& operator=(const RequestRecorder&) = delete;

    static QString Describe(int id, QList<CVariantParameter>* params, int from, int act, QList<int>* targets,
                            bool cache, bool log);
};

#endif // REQUESTRECORDER_H
