#include "GuiTestSupport.h"

#include "CLanguageCodeTable.h"
#include "QTranslatorEx.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QTimer>
#include <QWidget>

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
    QElapsedTimer* clock = new QElapsedTimer();
    clock->start();
    QObject::connect(poll, &QTimer::timeout, poll, [poll, clock, action, timeoutMs] {
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown)
            shown = QApplication::activeModalWidget();
        const bool expired = clock->elapsed() > timeoutMs;
        if (!shown && !expired)
            return;
        poll->stop();
        poll->deleteLater();
        delete clock;
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
