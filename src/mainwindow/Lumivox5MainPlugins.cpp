// Plug-in hosting: binding a plug-in, relaying completions and errors to it,
// and bringing the adjustment page to the front.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CCommandIF.h"
#include "CConnectIF.h"
#include "CGroupTreeView.h"
#include "CLumivox5Data.h"
#include "CLumivox5PluginIF.h"
#include "CPluginPJAdjust.h"
#include "CProjectorTreeView.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"

#include <QItemSelectionModel>
#include <QMap>
#include <QTabWidget>

namespace {

// Emits one of the window's relay signals to one command object only: the
// connection lives for this emission. A unique connection keeps a relay made
// from inside a handler (a nested batch) from reaching the object twice.
template <typename Signal, typename Slot, typename... Args>
void relayTo(Lumivox5Main* window, Signal signal, CCommandIF* commands, Slot slot, Args... args)
{
    const QMetaObject::Connection connection =
        QObject::connect(window, signal, commands, slot, Qt::ConnectionType(Qt::DirectConnection | Qt::UniqueConnection));
    emit(window->*signal)(args...);
    if (connection)
        QObject::disconnect(connection);
}

// Every command object of every plug-in, the list as it is now.
QList<CCommandIF*> commandObjects(const QList<CLumivox5PluginIF*>& plugins)
{
    QList<CCommandIF*> objects;
    for (CLumivox5PluginIF* plugin : plugins) {
        for (int i = 0; i < plugin->GetIFCount(); ++i) {
            if (auto* commands = qobject_cast<CCommandIF*>(plugin->GetIF(i)))
                objects << commands;
        }
    }
    return objects;
}

} // namespace

void Lumivox5Main::f_LoadPlugin()
{
    // The one plug-in is built in; nothing is loaded from files.
    RunTraced([&] { f_BindPlugin(new CPluginPJAdjust(nullptr)); });
}

CLumivox5PluginIF* Lumivox5Main::f_BindPlugin(QObject* candidate)
{
    auto* plugin = qobject_cast<CLumivox5PluginIF*>(candidate);
    if (!plugin) {
        qCDebug(lcMainWindow, "Lumivox5Main::f_BindPlugin not a plug-in [%s]",
                candidate ? candidate->metaObject()->className() : "");
        delete candidate;
        return nullptr;
    }
    const QString* culture = m_Lumivox5Data->m_LanguageCodeTable.GetCultureString();
    plugin->m_CultureName = culture ? *culture : QString();
    plugin->m_ClassName = QString::fromLatin1(candidate->metaObject()->className());
    plugin->menuBar = ui->menuBar;
    plugin->mainToolBar = ui->mainToolBar;
    plugin->treeViewGroup = ui->treeViewGroup;
    plugin->statusBar = ui->statusBar;
    plugin->gridLayout_3 = ui->gridLayout_3;
    plugin->widgetSearch = ui->widgetSearch;
    plugin->tabMain = ui->tabMain;
    plugin->treeViewPJList = ui->treeViewPJList;
    plugin->treeViewPJListSub = ui->treeViewPJListSub;
    plugin->m_Lumivox5Data = m_Lumivox5Data;

    // A plug-in's request is handed on before its emit returns.
    for (int i = 0; i < plugin->GetIFCount(); ++i) {
        if (auto* commands = qobject_cast<CCommandIF*>(plugin->GetIF(i)))
            connect(commands, &CCommandIF::SendCommand, this,
                    qOverload<int, QList<CVariantParameter>*, int, int, QList<int>*, bool, bool>(
                        &Lumivox5Main::SendCommand),
                    Qt::DirectConnection);
    }

    plugin->SetupUi(this);

    // The window's signals a plug-in may ask to hear, by kind; other kinds are ignored.
    if (CConnectIF* triggers = plugin->m_pConnectIF) {
        const struct
        {
            int kind;
            QObject* sender;
            const char* signal;
            Qt::ConnectionType type;
        } sources[] = {
            {0, ui->treeViewGroup->selectionModel(), SIGNAL(currentChanged(QModelIndex, QModelIndex)),
             Qt::AutoConnection},
            {1, ui->treeViewPJList->selectionModel(), SIGNAL(selectionChanged(QItemSelection, QItemSelection)),
             Qt::DirectConnection},
            {2, ui->treeViewPJListSub->selectionModel(), SIGNAL(selectionChanged(QItemSelection, QItemSelection)),
             Qt::AutoConnection},
            {3, ui->tabMain, SIGNAL(currentChanged(int)), Qt::DirectConnection},
        };
        for (int kind : qAsConst(triggers->m_TriggerList)) {
            for (const auto& source : sources) {
                if (source.kind == kind && source.sender)
                    connect(source.sender, source.signal, triggers, SIGNAL(ConnectSignal()), source.type);
            }
        }
    }
    m_plugins.append(plugin);
    return plugin;
}

void Lumivox5Main::f_OnUpdateTimingToPluginProc(const QList<QList<int>>& reports)
{
    qCDebug(lcMainWindow, "Lumivox5Main::f_OnUpdateTimingToPluginProc entries[%d]", int(reports.size()));
    RunTraced([&] {
        // One completion per projector and batch, in ascending order: the
        // first of the batch, for the projector-less target 0 the last.
        QMap<int, const QList<int>*> byTarget;
        for (const QList<int>& entry : reports) {
            if (entry.size() < 2 || entry.at(0) != 0)
                continue;
            const int target = entry.at(1);
            if (target == 0 || !byTarget.contains(target))
                byTarget.insert(target, &entry);
        }
        if (byTarget.isEmpty())
            return;
        for (CCommandIF* commands : commandObjects(m_plugins)) {
            for (auto it = byTarget.cbegin(); it != byTarget.cend(); ++it) {
                const QList<int>& entry = *it.value();
                relayTo(this, &Lumivox5Main::UpdateTimingToCommandIF, commands, &CCommandIF::UpdateTiming,
                        entry.value(3), entry.value(4), entry.value(5), it.key());
            }
        }
    });
}

void Lumivox5Main::f_OnUpdateErrorToPluginProc(QString msg, QString strTarget, int code, int cmd, int from, int act,
                                               int nTargetID)
{
    // Every plug-in hears every error at once, whatever page is shown: a
    // panel forgets a reset that failed even while another page is up.
    RunTraced([&] {
        for (CCommandIF* commands : commandObjects(m_plugins))
            relayTo(this, &Lumivox5Main::UpdateErrorToCommandIF, commands, &CCommandIF::UpdateError, msg, strTarget,
                    code, cmd, from, act, nTargetID);
    });
}

void Lumivox5Main::on_actMenuPJAdjust_triggered()
{
    RunTraced([&] {
        QWidget* found = ui->tabMain->findChild<QWidget*>(QStringLiteral("tabWidgetAdjust"));
        for (QWidget* widget = found; widget && widget != ui->tabMain; widget = widget->parentWidget()) {
            const int index = ui->tabMain->indexOf(widget);
            if (index >= 0) {
                ui->tabMain->setCurrentIndex(index);
                return;
            }
        }
    });
}

void Lumivox5Main::f_DeletePlugins()
{
    if (m_plugins.isEmpty())
        return;
    qCDebug(lcMainWindow, "delete  m_plugins");
    qDeleteAll(m_plugins);
    m_plugins.clear();
}
