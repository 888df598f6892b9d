#ifndef CTRANSPORTLOG_H
#define CTRANSPORTLOG_H

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "CLumivox5Thread.h"
#include "CTransportLogParameter.h"

class CEventBase;
class CTransportLogManager;

// The communication log writer: one line per connect, disconnect, frame sent
// and reply received, appended to the daily file "COMM<yyyyMMdd>.txt" (UTF-16
// with a byte-order mark) in the chosen folder. Runs on the caller's thread;
// the file is opened and closed for every record. A failure to write is
// reported through ErrorOccurred and never reaches the caller otherwise.
class CTransportLog : public CLumivox5Thread
{
    Q_OBJECT
public:
    static const QString CODEPAGE_DEFAULT;
    static const QString CODEPAGE_SHIFTJIS;
    static const QString CODEPAGE_UTF16;
    static const QString CODEPAGE_UTF8;

    explicit CTransportLog(QObject* parent = nullptr);
    ~CTransportLog() override;

    void LogEnabled(bool enabled);
    void LogPath(QString folder);
    void AddLog(CTransportLogParameter& parameter);
    void AddLog(QDateTime time, QString target, QString text);
    void AddLog(QDateTime time, int attribute, QString target, QByteArray& data, int size);

    // Current settings and the line rules.
    CTransportLogManager* GetManager() const { return m_pManager; }

signals:
    void ErrorOccurred(QString msg, int code);

public slots:
    void AddTxLog(QDateTime time, QString target, QByteArray data, int nTargetID);
    void AddRxLog(QDateTime time, QString target, QByteArray data, int nTargetID);
    void AddFreeLog(QDateTime time, QString target, QString text, int nTargetID);

protected:
    void f_CreateEventList() override;

    void AddLogProc(CEventBase* event);
    void LogPathProc(CEventBase* event);
    void LogEnabledProc(CEventBase* event);

private:
    CTransportLogManager* m_pManager;
};

#endif // CTRANSPORTLOG_H
