// The help viewer: one per user; a later start hands its pages to the running one.
#include "CStartService.h"
#include "HelpNames.h"
#include "HelpViewer.h"
#include "LogCategories.h"
#include "QTranslatorEx.h"
#include "QtCatalogue.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    auto* window = new HelpViewer(nullptr);
    window->MakeSetupVersion();

    auto* service = new CStartService(window);
    QObject::connect(service, &CStartService::MultipleStarted, window, &HelpViewer::MultipleLaunch,
                     Qt::QueuedConnection);
    if (!service->CheckStart(QCoreApplication::arguments())) {
        // The pages went to the running viewer, or nothing could be done: no window, no message.
        delete service;
        delete window;
        return 0;
    }

    CLanguageCodeTable languages(CLanguageCodeTable::LANGUAGE_CODE(window->LanguageCode()));
    QTranslatorEx* translator = InstallQtCatalogue(languages, lcHelpViewer());

    const QStringList arguments = service->Arguments();
    if (arguments.isEmpty()) {
        window->HTMLViewIndex(window->HTMLcurrentPath(true) + HelpNames::IndexPage());
        window->HTMLViewContents(window->HTMLcurrentPath(true) + HelpNames::AboutPage());
    } else {
        window->MultipleLaunch(arguments);
    }

    window->show();
    const int result = app.exec();

    delete service;
    delete translator;
    delete window;
    return result;
}
