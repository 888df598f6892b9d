#ifndef PLUGINTESTSUPPORT_H
#define PLUGINTESTSUPPORT_H

#include "CLumivox5PluginIF.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QtGlobal>

#include <functional>

class CCommandIF;

// A plug-in that records what its host does with it: the fields it found set
// when SetupUi ran, the main-window events it heard, and each completion and
// error relayed to each of its command objects ("<object> id from act target",
// "<object> msg code target"). It offers the given number of command objects
// and, after them, one object that is no command object and one null.
class RecordingPlugin : public CLumivox5PluginIF
{
    Q_OBJECT
    Q_INTERFACES(CLumivox5PluginIF)
public:
    explicit RecordingPlugin(const QList<int>& triggers = QList<int>(), int commandObjects = 1);
    ~RecordingPlugin() override;

    void SetupUi(QWidget* mainWindow) override;
    int GetIFCount() override;
    QObject* GetIF(int index) override;

    using CLumivox5PluginIF::LoadTranslator;
    using CLumivox5PluginIF::SetEnableAll;

    QList<CCommandIF*> m_Commands;
    QObject* m_NotCommands;
    QStringList m_FieldsAtSetup;
    QStringList m_Timings;
    QStringList m_Errors;
    int m_Events = 0;
    // Runs inside a relayed completion, with its target.
    std::function<void(int target)> m_OnTiming;

private:
    QList<int> m_Triggers;
};

// Collects, while it lives, the debug lines of the categories that begin
// with a prefix (switching them on) and every warning; the rest passes on.
class TraceRecorder
{
public:
    explicit TraceRecorder(const QByteArray& categoryPrefix);
    ~TraceRecorder();
    TraceRecorder(const TraceRecorder&) = delete;
    TraceRecorder& operator=(const TraceRecorder&) = delete;

    QStringList m_Lines;
    QStringList m_Warnings;
    // The recorded lines that begin with `start`.
    QStringList Starting(const QString& start) const;

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QByteArray m_Prefix;
    QtMessageHandler m_Previous;
    static TraceRecorder* s_Current;
};

#endif // PLUGINTESTSUPPORT_H
