#ifndef XVFBSESSION_H
#define XVFBSESSION_H

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

// A virtual X display for black-box checks of the windowed programs: Xvfb at
// 1280 x 800 x 24 with no window manager (a window's frame is its client
// area), driven with xdotool and photographed with ImageMagick's import.
// The display stops, by its process id, when the object goes.
class XvfbSession
{
public:
    static const int WIDTH = 1280;
    static const int HEIGHT = 800;

    XvfbSession() = default;
    ~XvfbSession();
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    // The programs the session needs that are not installed (empty: all there).
    static QStringList MissingTools();

    // Starts the server on a display number it picks itself; false with Error().
    bool Start(int timeoutMs = 10000);
    void Stop();
    bool IsRunning() const { return m_Xvfb.state() == QProcess::Running; }
    QString Display() const { return m_Display; }
    QString Error() const { return m_Error; }

    // `base` with DISPLAY pointing at this server and Qt told to use it.
    QProcessEnvironment Environment(QProcessEnvironment base = QProcessEnvironment::systemEnvironment()) const;

    // The first visible window whose title matches the regular expression,
    // waiting for it to be mapped; empty when none shows within the time.
    QString WaitForWindow(const QString& title, int timeoutMs);
    // The visible windows whose titles match, at once.
    QStringList Windows(const QString& title);
    // Position and size of a window; a null rectangle when unknown.
    QRect Geometry(const QString& window);
    // Moves and resizes a window, as an operator would by dragging it.
    bool SetGeometry(const QString& window, const QRect& geometry);
    // Gives the window the keyboard focus, then types the xdotool key names
    // ("Return", "ctrl+q", ...) one after another.
    bool SendKeys(const QString& window, const QStringList& keys);
    // A PNG of the window, or of the whole screen when `window` is empty.
    bool Screenshot(const QString& path, const QString& window = QString());
    // The number of distinct colours in a picture; -1 when it cannot be read.
    static int Colours(const QString& path);

private:
    // Runs a tool against this display; false (with Error()) when it cannot
    // start, overruns the time or ends with a code other than 0.
    bool Run(const QString& program, const QStringList& arguments, int timeoutMs, QByteArray* output = nullptr);

    QProcess m_Xvfb;
    QString m_Display;
    QString m_Error;
};

#endif // XVFBSESSION_H
