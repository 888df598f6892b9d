#include "CSimulatorScript.h"

#include <QFile>
#include <QRegularExpression>

bool CSimulatorScript::ParseHex(const QString& text, QByteArray* out)
{
    QString digits = text;
    digits.remove(QRegularExpression(QStringLiteral("\\s")));
    if (digits.isEmpty() || digits.size() % 2 != 0)
        return false;
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]+$"));
    if (!hex.match(digits).hasMatch())
        return false;
    *out = QByteArray::fromHex(digits.toLatin1());
    return true;
}

bool CSimulatorScript::Parse(const QString& text)
{
    QMap<QByteArray, CSimReply> replies;
    CSimReply fallback = CSimReply::Silence();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int arrow = line.indexOf(QLatin1String("->"));
        if (arrow < 0) {
            m_Error = QStringLiteral("line %1: no \"->\"").arg(i + 1);
            return false;
        }
        const QString left = line.left(arrow).trimmed();
        const QString right = line.mid(arrow + 2).trimmed();

        CSimReply reply;
        if (right.compare(QLatin1String("silence"), Qt::CaseInsensitive) == 0) {
            reply = CSimReply::Silence();
        } else if (right.compare(QLatin1String("close"), Qt::CaseInsensitive) == 0) {
            reply = CSimReply::Close();
        } else {
            QByteArray bytes;
            if (!ParseHex(right, &bytes)) {
                m_Error = QStringLiteral("line %1: the reply is neither hex bytes, \"silence\" nor \"close\"").arg(i + 1);
                return false;
            }
            reply = CSimReply::Answer(bytes);
        }

        if (left == QLatin1String("*")) {
            fallback = reply;
            continue;
        }
        QByteArray request;
        if (!ParseHex(left, &request)) {
            m_Error = QStringLiteral("line %1: the request is neither hex bytes nor \"*\"").arg(i + 1);
            return false;
        }
        replies.insert(request, reply);
    }
    m_Replies = replies;
    m_Default = fallback;
    m_Error.clear();
    return true;
}

bool CSimulatorScript::Load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_Error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return Parse(QString::fromUtf8(file.readAll()));
}
