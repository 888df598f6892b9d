#include "QTranslatorEx.h"

#include "ExceptionTrace.h"

#include <QDebug>

#include <exception>

QTranslatorEx::QTranslatorEx(QObject* parent)
    : QTranslator(parent)
{
}

QTranslatorEx::~QTranslatorEx()
{
}

QString QTranslatorEx::translate(const char* context, const char* sourceText,
                                 const char* disambiguation, int n) const
{
    // An empty result makes the framework fall back to the source text.
    return RunTraced(QString(), [&] {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        const int pos = text.indexOf(QLatin1String("(&"));
        if (pos >= 0) {
            // Only the first marker's text goes: a marker with another letter stays.
            const QString tag = text.mid(pos, 4);
            text.replace(tag, QString());
        }
        return text;
    });
}
