#include "RequestRecorder.h"

#include "Lumivox5Main.h"


RequestRecorder::RequestRecorder()
{
    Lumivox5Main::SetRequestSink([this](int id, QList<CVariantParameter>* params, int from, int act,
                                        QList<int>* targets, bool cache, bool log) {
        requests << Describe(id, params, from, act, targets, cache, log);
        parameters << (params ? *params : QList<CVariantParameter>());
    });
}

RequestRecorder::~RequestRecorder()
{
    Lumivox5Main::SetRequestSink(Lumivox5Main::RequestSink());
}

QString RequestRecorder::Describe(int id, QList<CVariantParameter>* params, int from, int act, QList<int>* targets,
                                  bool cache, bool log)
{
    QStringList values;
    if (params) {
        for (const CVariantParameter& value : *params)
            values << QString::number(value.ToInt());
    }
    QStringList ids;
    if (targets) {
        for (int target : *targets)
            ids << QString::number(target);
    }
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
        .arg(id)
        .arg(params ? QStringLiteral("[%1]").arg(values.join(',')) : QStringLiteral("-"))
        .arg(from)
        .arg(act)
        .arg(targets ? QStringLiteral("[%1]").arg(ids.join(',')) : QStringLiteral("-"))
        .arg(int(cache))
        .arg(int(log));
}
