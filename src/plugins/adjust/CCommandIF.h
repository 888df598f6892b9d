#ifndef CCOMMANDIF_H
#define CCOMMANDIF_H

#include "CVariantParameter.h"

#include <QList>
#include <QObject>
#include <QString>

// The traffic between a plug-in and the main window: requests go out through
// SendCommand (connected directly to the window's command slot, so a request
// is handed on before the emit returns); completions and errors come back
// through UpdateTiming and UpdateError, which the window emits per update.
class CCommandIF : public QObject
{
    Q_OBJECT
public:
    // The request numbers of the six gains the adjustment panel sets and reads.
    enum Command { Contrast = 23, Brightness = 24, Sharpness = 25, Color = 26, Hue = 27, Volume = 42 };
    Q_ENUM(Command)

    explicit CCommandIF(QObject* parent = nullptr);
    ~CCommandIF() override;

signals:
    void SendCommand(int id, QList<CVariantParameter>* param, int from, int act, QList<int>* target, bool cache,
                     bool log);
    void UpdateTiming(int id, int from, int act, int target);
    void UpdateError(QString msg, QString strTarget, int code, int cmd, int from, int act, int nTargetID);

public slots:
    // Writes action, cache flag and sender into entries 0, 1 and 2 of the
    // list in place; a shorter list is first filled up to three entries.
    void SetVariantData(QList<CVariantParameter>& paramList, int action, bool cash, int fromId);
};

#endif // CCOMMANDIF_H
