#ifndef QTRANSLATOREX_H
#define QTRANSLATOREX_H

#include <QTranslator>

// The program's message-catalogue translator. Catalogue texts may carry an
// accelerator marker such as "(&C)" ("All Clear(&C)"); the user sees the text
// without it.
class QTranslatorEx : public QTranslator
{
    Q_OBJECT
public:
    explicit QTranslatorEx(QObject* parent = nullptr);
    ~QTranslatorEx() override;

    // Qt 5 calls the four-argument form for every installed translator; only
    // an override of exactly this signature is ever reached.
    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override;
};

#endif // QTRANSLATOREX_H
