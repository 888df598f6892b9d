#ifndef CCOMMANDFUNCTIONS_H
#define CCOMMANDFUNCTIONS_H

#include <QByteArray>
#include <QList>

class CVariantParameter;

// The command engine. The frame operations of the control protocol are
// static: they work on byte arrays only.
class CCommandFunctions
{
public:
    // Frame building.
    static int CreateSum(const QByteArray* data, int count);
    static int CreateSum(const QByteArray* data);
    static int f_MakePJPcCmd(QByteArray* out, unsigned char cls, unsigned char code, int length,
                             QByteArray* data);
    static int f_MakeStaticCommand(QByteArray* out, int index, QList<CVariantParameter>* params);

    // Reply checks.
    static int f_GetCorvexPjPcCmdLen(QByteArray& frame);
    static bool f_IsCommandFrameReceived(QByteArray& frame);
    static bool f_IsCommandSumSubmit(QByteArray& frame);
    static bool f_IsMatchCommandID(QByteArray& sent, QByteArray& received);
    static int f_GetNackCode(QByteArray& reply);
    static bool f_IsNackResponse(int code);
    static int f_GetCommandID(QByteArray& reply);
    static bool f_CompareByteArray(const QByteArray& a, const QByteArray& b, int count);
};

#endif // CCOMMANDFUNCTIONS_H
