#include "GuiTestSupport.h"

#include "CLanguageCodeTable.h"
#include "QTranslatorEx.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFocusEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

// Qt's offscreen platform never frees its screen. Keeping pointers to the
// screens leaves them reachable at exit, so that the leak checker of the
// sanitizer build reports only what the tests themselves lose.
void KeepScreensReachable()
{
    static const QList<QScreen*>* screens = new QList<QScreen*>(QGuiApplication::screens());
    Q_UNUSED(screens);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(KeepScreensReachable)

namespace GuiTestSupport {

void InstallEnglishCatalogue()
{
    static CLanguageCodeTable* table = nullptr;
    if (table)
        return;
    table = new CLanguageCodeTable(CLanguageCodeTable::LANG_ENGLISH);
    table->SetCulture(qApp);
    if (table->m_pTranslator)
        QCoreApplication::installTranslator(table->m_pTranslator);
}

void OnNextPopup(std::function<void(QWidget*)> action, int timeoutMs)
{
    QTimer* poll = new QTimer(qApp);
    poll->setInterval(10);
    const QDeadlineTimer deadline(timeoutMs);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, deadline, action] {
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown)
            shown = QApplication::activeModalWidget();
        if (!shown && !deadline.hasExpired())
            return;
        poll->stop();
        poll->deleteLater();
        if (shown)
            action(shown);
    });
    poll->start();
}

void SendFocus(QWidget* widget, QEvent::Type type)
{
    QFocusEvent event(type, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace GuiTestSupport
