// The main program: one instance per user, then the main window and its event loop.
#include "About.h"
#include "CLanguageCodeTable.h"
#include "CLumivox5Data.h"
#include "CStartService.h"
#include "Lumivox5Main.h"
#include "ModalBoxes.h"
#include "QTranslatorEx.h"
#include "QtCatalogue.h"
#include "FleetHeap.h"
#include "RaiseOpenFileLimit.h"
#include "LogCategories.h"

#include <QApplication>
#include <QDir>
#include <QObject>
#include <QString>
#include <QtGlobal>

int main(int argc, char* argv[])
{
    StartAsFleetProgram(argv);
    RaiseOpenFileLimit();

    QApplication app(argc, argv);
    About::SetupVersion();

    // Decided before any window exists: a second start builds nothing, touches
    // no file and opens no connection; its connection alone brings the first
    // instance's window to the front.
    auto* service = new CStartService(nullptr);
    if (!service->CheckStart()) {
        if (service->ListenFailed()) {
            // No other instance runs, yet this one could not be found by a
            // later start: the operator hears why instead of seeing nothing.
            CLanguageCodeTable english(CLanguageCodeTable::LANG_ENGLISH);
            english.SetCulture(&app);
            if (english.m_pTranslator)
                QCoreApplication::installTranslator(english.m_pTranslator);
            CMessageBoxes::Critical(nullptr, nullptr, QObject::tr("Lumivox5MsgTitle"),
                                    QObject::tr("MainMsgStartServerFailed")
                                        .arg(QDir::toNativeSeparators(service->ServerName()), service->ListenError()));
            delete service;
            return 1;
        }
        qCDebug(lcMainWindow, "!!! Lumivox5 is already exists !!!");
        delete service;
        return 0;
    }

    auto* window = new Lumivox5Main(argc, argv);
    QObject::connect(service, &CStartService::MultipleStarted, window,
                     QOverload<>::of(&Lumivox5Main::f_EnableWindowProc), Qt::QueuedConnection);
    // Starts that knocked while the window was being built come through now.
    service->StartHandingOver();

    if (!window->m_blnProfileLoaded) {
        CMessageBoxes::Show(nullptr, window->m_Lumivox5Data, QMessageBox::Critical,
                            QObject::tr("Lumivox5MsgTitle"), QObject::tr("MsgProfileError"), QMessageBox::Ok,
                            QMessageBox::Ok);
        delete service;
        delete window;
        return 0;
    }

    QTranslatorEx* translator = InstallQtCatalogue(window->m_Lumivox5Data->m_LanguageCodeTable, lcMainWindow());

    window->setVisible(true);
    const int result = app.exec();

    delete service;
    delete translator;
    delete window;
    return result;
}
