#include "XvfbSession.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMap>

namespace {

const char* const XVFB = "/usr/bin/Xvfb";
const char* const XDOTOOL = "/usr/bin/xdotool";
// The full path: another "import" or "convert" may come first on the PATH.
const char* const IMPORT = "/usr/bin/import";
const char* const CONVERT = "/usr/bin/convert";

} // namespace

XvfbSession::~XvfbSession()
{
    Stop();
}

QStringList XvfbSession::MissingTools()
{
    QStringList missing;
    for (const char* tool : {XVFB, XDOTOOL, IMPORT, CONVERT}) {
        if (!QFileInfo(QString::fromLatin1(tool)).isExecutable())
            missing << QString::fromLatin1(tool);
    }
    return missing;
}

bool XvfbSession::Start(int timeoutMs)
{
    Stop();
    m_Error.clear();
    // Xvfb picks a free display number and writes it to standard output once
    // it accepts clients.
    m_Xvfb.setProcessChannelMode(QProcess::SeparateChannels);
    m_Xvfb.setStandardErrorFile(QProcess::nullDevice());
    m_Xvfb.start(QString::fromLatin1(XVFB),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                  QStringLiteral("%1x%2x24").arg(WIDTH).arg(HEIGHT), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!m_Xvfb.waitForStarted(timeoutMs)) {
        m_Error = QStringLiteral("Xvfb did not start: %1").arg(m_Xvfb.errorString());
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    QByteArray number;
    while (!number.endsWith('\n')) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0 || m_Xvfb.state() != QProcess::Running || !m_Xvfb.waitForReadyRead(left)) {
            if (m_Xvfb.bytesAvailable() > 0) {
                number += m_Xvfb.readAll();
                continue;
            }
            m_Error = QStringLiteral("Xvfb gave no display number");
            Stop();
            return false;
        }
        number += m_Xvfb.readAll();
    }
    m_Display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    return true;
}

void XvfbSession::Stop()
{
    if (m_Xvfb.state() != QProcess::NotRunning) {
        m_Xvfb.terminate();
        if (!m_Xvfb.waitForFinished(5000)) {
            m_Xvfb.kill();
            m_Xvfb.waitForFinished(5000);
        }
    }
    m_Display.clear();
}

QProcessEnvironment XvfbSession::Environment(QProcessEnvironment base) const
{
    base.insert(QStringLiteral("DISPLAY"), m_Display);
    base.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    base.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return base;
}

bool XvfbSession::Run(const QString& program, const QStringList& arguments, int timeoutMs, QByteArray* output)
{
    QProcess process;
    process.setProcessEnvironment(Environment());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs)) {
        m_Error = QStringLiteral("%1 did not start: %2").arg(program, process.errorString());
        return false;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        m_Error = QStringLiteral("%1 %2 did not end within %3 ms").arg(program, arguments.join(QLatin1Char(' '))).arg(timeoutMs);
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_Error = QStringLiteral("%1 %2 ended with %3").arg(program, arguments.join(QLatin1Char(' '))).arg(process.exitCode());
        return false;
    }
    return true;
}

QString XvfbSession::WaitForWindow(const QString& title, int timeoutMs)
{
    QByteArray output;
    if (!Run(QString::fromLatin1(XDOTOOL),
             {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
              QStringLiteral("--name"), title},
             timeoutMs, &output))
        return QString();
    return QString::fromLatin1(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts).value(0);
}

QStringList XvfbSession::Windows(const QString& title)
{
    QByteArray output;
    // xdotool ends with 1 when nothing matches.
    Run(QString::fromLatin1(XDOTOOL), {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), title},
        10000, &output);
    return QString::fromLatin1(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QRect XvfbSession::Geometry(const QString& window)
{
    QByteArray output;
    if (!Run(QString::fromLatin1(XDOTOOL), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window},
             10000, &output))
        return QRect();
    QMap<QString, int> values;
    for (const QString& line : QString::fromLatin1(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const int at = line.indexOf(QLatin1Char('='));
        if (at > 0)
            values.insert(line.left(at), line.mid(at + 1).toInt());
    }
    if (!values.contains(QStringLiteral("WIDTH")))
        return QRect();
    return QRect(values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")),
                 values.value(QStringLiteral("WIDTH")), values.value(QStringLiteral("HEIGHT")));
}

bool XvfbSession::SetGeometry(const QString& window, const QRect& geometry)
{
    return Run(QString::fromLatin1(XDOTOOL),
               {QStringLiteral("windowmove"), QStringLiteral("--sync"), window, QString::number(geometry.x()),
                QString::number(geometry.y()), QStringLiteral("windowsize"), QStringLiteral("--sync"), window,
                QString::number(geometry.width()), QString::number(geometry.height())},
               10000);
}

bool XvfbSession::SendKeys(const QString& window, const QStringList& keys)
{
    QStringList arguments{QStringLiteral("windowfocus"), QStringLiteral("--sync"), window, QStringLiteral("key"),
                          QStringLiteral("--delay"), QStringLiteral("50")};
    arguments += keys;
    return Run(QString::fromLatin1(XDOTOOL), arguments, 10000);
}

bool XvfbSession::Screenshot(const QString& path, const QString& window)
{
    return Run(QString::fromLatin1(IMPORT),
               {QStringLiteral("-window"), window.isEmpty() ? QStringLiteral("root") : window, path}, 30000);
}

int XvfbSession::Colours(const QString& path)
{
    QProcess process;
    process.start(QString::fromLatin1(CONVERT), {path, QStringLiteral("-format"), QStringLiteral("%k"), QStringLiteral("info:")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return -1;
    bool ok = false;
    const int colours = process.readAllStandardOutput().trimmed().toInt(&ok);
    return ok ? colours : -1;
}
