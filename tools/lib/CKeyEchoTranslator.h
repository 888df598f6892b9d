#ifndef CKEYECHOTRANSLATOR_H
#define CKEYECHOTRANSLATOR_H

#include <QString>
#include <QTranslator>

// A catalogue that answers every lookup with "<marker>:<context>:<key>", so a
// test sees which key was looked up in which context.
class CKeyEchoTranslator : public QTranslator
{
public:
    explicit CKeyEchoTranslator(const QString& marker) : m_Marker(marker) {}

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override
    {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        return m_Marker + QLatin1Char(':') + QString::fromLatin1(context) + QLatin1Char(':')
            + QString::fromLatin1(sourceText);
    }

private:
    QString m_Marker;
};

#endif // CKEYECHOTRANSLATOR_H
