#ifndef PROGRAMCOPY_H
#define PROGRAMCOPY_H

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class XvfbSession;

// A copy of the built program and its help viewer with the manual (each keeps
// its settings beside itself) in a
// temporary program folder, with a home and a runtime folder of its own,
// started on a virtual display. Programs still running when the object goes
// are killed, each by its own process.
class ProgramCopy
{
public:
    ProgramCopy() = default;
    ~ProgramCopy();
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    // Makes the folders and copies the program and its profile from
    // `builtFolder`; false with `error`.
    bool Prepare(const QString& builtFolder, QString* error);

    QString Path(const QString& name) const { return m_Root.filePath(name); }
    QString ProgramFolder() const { return Path(QStringLiteral("program")); }
    QString HomeFolder() const { return Path(QStringLiteral("home")); }
    QString Program() const { return ProgramFolder() + QStringLiteral("/Lumivox 5"); }
    QString UserListPath() const;

    // Starts the copy on the display; the process stays owned by this object.
    // `extra` adds to or replaces the copy's environment (a PATH with stub
    // programs first, say).
    QProcess* Launch(const XvfbSession& session, const QProcessEnvironment& extra = QProcessEnvironment());
    // The same with program arguments ("/VT", say).
    QProcess* Launch(const XvfbSession& session, const QStringList& arguments,
                     const QProcessEnvironment& extra = QProcessEnvironment());
    // Starts a program of the copy (`extra` adds to or replaces the environment).
    QProcess* LaunchProgram(const XvfbSession& session, const QString& program, const QStringList& arguments,
                            const QProcessEnvironment& extra = QProcessEnvironment());
    QString HelpViewer() const { return ProgramFolder() + QStringLiteral("/Lumivox 5 Help"); }
    // Copies a folder with everything below it; false when anything fails.
    static bool CopyTree(const QString& from, const QString& to);
    static bool Finish(QProcess* process, int timeoutMs);

    // Starts the display a test case needs; false with `why` when it cannot,
    // `skip` telling that tools are missing (a skip rather than a failure).
    static bool StartDisplay(XvfbSession& session, QString* why, bool* skip);
    // The same for a test case's initTestCase(): skips the case when tools
    // are missing, fails it when the display does not start.
    static void StartDisplayForTestCase(XvfbSession& session);

private:
    QTemporaryDir m_Root;
    std::vector<std::unique_ptr<QProcess>> m_Programs;
};

#endif // PROGRAMCOPY_H
