#include "PluginTestSupport.h"

#include "CCommandIF.h"
#include "CConnectIF.h"

#include <QLoggingCategory>

RecordingPlugin::RecordingPlugin(const QList<int>& triggers, int commandObjects)
    : m_NotCommands(new QObject)
    , m_Triggers(triggers)
{
    for (int i = 0; i < commandObjects; ++i) {
        auto* commands = new CCommandIF;
        const QString name = QString::number(i);
        connect(commands, &CCommandIF::UpdateTiming, commands, [this, name](int id, int from, int act, int target) {
            m_Timings << QStringLiteral("%1 %2 %3 %4 %5").arg(name).arg(id).arg(from).arg(act).arg(target);
            if (m_OnTiming)
                m_OnTiming(target);
        });
        connect(commands, &CCommandIF::UpdateError, commands,
                [this, name](QString msg, QString, int code, int, int, int, int target) {
                    m_Errors << QStringLiteral("%1 %2 %3 %4").arg(name, msg).arg(code).arg(target);
                });
        m_Commands << commands;
    }
    m_pConnectIF = new CConnectIF;
    connect(m_pConnectIF, &CConnectIF::ConnectSignal, this, [this] { ++m_Events; });
}

RecordingPlugin::~RecordingPlugin()
{
    qDeleteAll(m_Commands);
    delete m_NotCommands;
    delete m_pConnectIF;
}

void RecordingPlugin::SetupUi(QWidget*)
{
    const auto set = [](const void* pointer) { return pointer ? QStringLiteral("set") : QStringLiteral("null"); };
    m_FieldsAtSetup = QStringList{
        QStringLiteral("culture ") + m_CultureName,
        QStringLiteral("class ") + m_ClassName,
        QStringLiteral("hub ") + set(m_Lumivox5Data),
        QStringLiteral("menuBar ") + set(menuBar),
        QStringLiteral("mainToolBar ") + set(mainToolBar),
        QStringLiteral("treeViewGroup ") + set(treeViewGroup),
        QStringLiteral("statusBar ") + set(statusBar),
        QStringLiteral("treeViewPJList ") + set(treeViewPJList),
        QStringLiteral("treeViewPJListSub ") + set(treeViewPJListSub),
        QStringLiteral("gridLayout_3 ") + set(gridLayout_3),
        QStringLiteral("widgetSearch ") + set(widgetSearch),
        QStringLiteral("tabMain ") + set(tabMain),
    };
    m_pConnectIF->m_TriggerList = m_Triggers;
}

int RecordingPlugin::GetIFCount()
{
    return m_Commands.size() + 2;
}

QObject* RecordingPlugin::GetIF(int index)
{
    if (index >= 0 && index < m_Commands.size())
        return m_Commands.at(index);
    return index == m_Commands.size() ? m_NotCommands : nullptr;
}

TraceRecorder* TraceRecorder::s_Current = nullptr;

TraceRecorder::TraceRecorder(const QByteArray& categoryPrefix)
    : m_Prefix(categoryPrefix)
{
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n%1*.debug=true").arg(QString::fromLatin1(m_Prefix)));
    s_Current = this;
    m_Previous = qInstallMessageHandler(&TraceRecorder::Handle);
}

TraceRecorder::~TraceRecorder()
{
    qInstallMessageHandler(m_Previous);
    s_Current = nullptr;
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
}

QStringList TraceRecorder::Starting(const QString& start) const
{
    QStringList found;
    for (const QString& line : m_Lines) {
        if (line.startsWith(start))
            found << line;
    }
    return found;
}

void TraceRecorder::Handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    TraceRecorder* self = s_Current;
    if (self && type == QtDebugMsg && context.category && QByteArray(context.category).startsWith(self->m_Prefix)) {
        self->m_Lines << text;
        return;
    }
    if (self && type == QtWarningMsg) {
        self->m_Warnings << text;
        return;
    }
    if (self && self->m_Previous)
        self->m_Previous(type, context, text);
}
