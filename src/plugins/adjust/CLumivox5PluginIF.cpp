#include "CLumivox5PluginIF.h"

#include "AppPaths.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"

#include <QCoreApplication>
#include <QTabWidget>
#include <QTranslator>
#include <QWidget>

CLumivox5PluginIF::CLumivox5PluginIF()
    : m_Lumivox5Data(nullptr)
    , menuBar(nullptr)
    , mainToolBar(nullptr)
    , treeViewGroup(nullptr)
    , statusBar(nullptr)
    , treeViewPJList(nullptr)
    , treeViewPJListSub(nullptr)
    , gridLayout_3(nullptr)
    , widgetSearch(nullptr)
    , tabMain(nullptr)
    , m_TabIndex(-1)
    , m_pConnectIF(nullptr)
{
}

CLumivox5PluginIF::~CLumivox5PluginIF() = default;

void CLumivox5PluginIF::LoadTranslator()
{
    // "CPluginPJAdjust" in "en-US" reads "CPluginPJAd.en-US"; a name of four
    // letters or fewer leaves none, and the translator stays empty.
    QString file;
    if (m_ClassName.size() > 4)
        file = m_ClassName.left(m_ClassName.size() - 4) + QLatin1Char('.') + m_CultureName;
    // Installed whether or not it loads, and kept for the program's life: a
    // translator that loaded nothing translates nothing.
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString folder = AppPaths::programFolder() + QStringLiteral("/plugins/") + m_CultureName;
    translator->load(file, folder, QString(), QString());
    const QByteArray rule(73, '=');
    qCDebug(lcAdjust, "%s", rule.constData());
    qCDebug(lcAdjust, "translateFile load complete \n  dir[%s] \n  filename[%s]", qUtf8Printable(folder),
            qUtf8Printable(file));
    qCDebug(lcAdjust, "%s", rule.constData());
    QCoreApplication::installTranslator(translator);
}

void CLumivox5PluginIF::SetEnableAll(QWidget* baseWidget, bool bEnable, bool bLabel)
{
    RunTraced([&] {
        if (!baseWidget)
            return;
        // Class names are compared exactly: a subclass with a meta-object of
        // its own is neither a tab widget nor a label here.
        QList<QWidget*> parents;
        auto* tabs = qobject_cast<QTabWidget*>(baseWidget);
        if (tabs && qstrcmp(baseWidget->metaObject()->className(), "QTabWidget") == 0) {
            for (int index = 0; index < tabs->count(); ++index)
                parents << tabs->widget(index);
        } else {
            parents << baseWidget;
        }
        for (QWidget* parent : qAsConst(parents)) {
            if (!parent)
                continue;
            const QObjectList children = parent->children();
            for (QObject* child : children) {
                if (!child || !child->isWidgetType())
                    continue;
                auto* widget = static_cast<QWidget*>(child);
                const bool done = RunTraced(false, [&] {
                    if (bLabel || qstrcmp(widget->metaObject()->className(), "QLabel") != 0)
                        widget->setEnabled(bEnable);
                    return true;
                });
                if (!done)
                    qCDebug(lcAdjust, "cannot do Enable --[%s]", qUtf8Printable(widget->objectName()));
            }
        }
    });
}
