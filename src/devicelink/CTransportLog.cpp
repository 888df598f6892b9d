#include "CTransportLog.h"

#include "CTransportLogEvent.h"
#include "CTransportLogManager.h"
#include "ExceptionTrace.h"
#include "TextFileAppend.h"

#include <QDebug>

#include <exception>

const QString CTransportLog::CODEPAGE_DEFAULT = QStringLiteral("UTF-16");
const QString CTransportLog::CODEPAGE_SHIFTJIS = QStringLiteral("Shift_JIS");
const QString CTransportLog::CODEPAGE_UTF16 = QStringLiteral("UTF-16");
const QString CTransportLog::CODEPAGE_UTF8 = QStringLiteral("UTF-8");

namespace {

using Handler = CEventThread::EventFunction;

} // namespace

CTransportLog::CTransportLog(QObject* parent)
    : CLumivox5Thread(parent),
      m_pManager(new CTransportLogManager())
{
    f_CreateEventList();
}

CTransportLog::~CTransportLog()
{
    if (isRunning())
        SafeAbort();
    delete m_pManager;
    m_pManager = nullptr;
}

void CTransportLog::f_CreateEventList()
{
    f_AddEvent(CTransportLogEvent::KEY_ADD, static_cast<Handler>(&CTransportLog::AddLogProc));
    f_AddEvent(CTransportLogEvent::KEY_PATH, static_cast<Handler>(&CTransportLog::LogPathProc));
    f_AddEvent(CTransportLogEvent::KEY_ENABLED, static_cast<Handler>(&CTransportLog::LogEnabledProc));
}

// ---- operations -------------------------------------------------------------

void CTransportLog::LogEnabled(bool enabled)
{
    CTransportLogEventEnabled event(enabled);
    LogEnabledProc(&event);
}

void CTransportLog::LogPath(QString folder)
{
    CTransportLogEventPath event(folder);
    LogPathProc(&event);
}

void CTransportLog::AddLog(CTransportLogParameter& parameter)
{
    try {
        CTransportLogEventAdd event(parameter);
        AddLogProc(&event);
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
}

void CTransportLog::AddLog(QDateTime time, QString target, QString text)
{
    CTransportLogParameter parameter;
    parameter.SetFreeParameters(time, target, text);
    AddLog(parameter);
}

void CTransportLog::AddLog(QDateTime time, int attribute, QString target, QByteArray& data, int size)
{
    CTransportLogParameter parameter;
    parameter.SetStandardParameters(time, attribute, target, data, size);
    AddLog(parameter);
}

void CTransportLog::AddTxLog(QDateTime time, QString target, QByteArray data, int /*nTargetID*/)
{
    AddLog(time, CTransportLogParameter::ATTR_TX, target, data, data.size());
}

void CTransportLog::AddRxLog(QDateTime time, QString target, QByteArray data, int /*nTargetID*/)
{
    AddLog(time, CTransportLogParameter::ATTR_RX, target, data, data.size());
}

void CTransportLog::AddFreeLog(QDateTime time, QString target, QString text, int /*nTargetID*/)
{
    AddLog(time, target, text);
}

// ---- handlers -----------------------------------------------------------------

void CTransportLog::LogEnabledProc(CEventBase* event)
{
    auto* request = static_cast<CTransportLogEventEnabled*>(event);
    m_pManager->SetEnabled(request->m_bEnabled);
}

void CTransportLog::LogPathProc(CEventBase* event)
{
    auto* request = static_cast<CTransportLogEventPath*>(event);
    m_pManager->SetFolder(request->m_Folder);
}

void CTransportLog::AddLogProc(CEventBase* event)
{
    auto* request = static_cast<CTransportLogEventAdd*>(event);
    if (!m_pManager->IsEnabled() || m_pManager->GetFolder().isEmpty())
        return;

    CTransportLogParameter& record = request->m_Parameter;
    const QString folder = m_pManager->GetFolder();
    const QString name = QStringLiteral("COMM%1.txt")
                             .arg(record.GetTime().date().toString(QStringLiteral("yyyyMMdd")));
    const QString path = folder + QLatin1Char('/') + name;

    const QString line = m_pManager->GetLogString(record) + QLatin1Char('\n');
    const TextAppendResult result = AppendTextFile(path, line, CODEPAGE_DEFAULT);
    if (result != TextAppendResult::Ok)
        emit ErrorOccurred(tr("FileWriteErrorMsg"), int(result));
}
