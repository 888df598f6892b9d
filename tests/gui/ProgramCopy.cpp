#include "ProgramCopy.h"

#include "XvfbSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

ProgramCopy::~ProgramCopy()
{
    for (auto& process : m_Programs) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
}

bool ProgramCopy::Prepare(const QString& builtFolder, QString* error)
{
    const QString runtime = Path(QStringLiteral("runtime"));
    if (!m_Root.isValid() || !QDir().mkpath(ProgramFolder()) || !QDir().mkpath(HomeFolder())
        || !QDir().mkpath(runtime)) {
        *error = QStringLiteral("cannot make the temporary folders");
        return false;
    }
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const QString& name : {QStringLiteral("Lumivox 5"), QStringLiteral("Profile.ini")}) {
        if (!QFile::copy(builtFolder + '/' + name, ProgramFolder() + '/' + name)) {
            *error = QStringLiteral("cannot copy ") + builtFolder + '/' + name;
            return false;
        }
    }
    // The help viewer and its manual, where the build made them.
    if (QFile::exists(builtFolder + QStringLiteral("/Lumivox 5 Help"))
        && (!QFile::copy(builtFolder + QStringLiteral("/Lumivox 5 Help"), ProgramFolder() + QStringLiteral("/Lumivox 5 Help"))
            || !CopyTree(builtFolder + QStringLiteral("/Help"), ProgramFolder() + QStringLiteral("/Help")))) {
        *error = QStringLiteral("cannot copy the help viewer from ") + builtFolder;
        return false;
    }
    return true;
}

bool ProgramCopy::CopyTree(const QString& from, const QString& to)
{
    const QDir source(from);
    if (!source.exists() || !QDir().mkpath(to))
        return false;
    for (const QFileInfo& entry : source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir() ? !CopyTree(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}

QString ProgramCopy::UserListPath() const
{
    return HomeFolder() + QStringLiteral("/Application Data/Corvex Projector User Fennick/Lumivox 5/user.lst");
}

QProcess* ProgramCopy::Launch(const XvfbSession& session, const QProcessEnvironment& extra)
{
    return Launch(session, QStringList(), extra);
}

QProcess* ProgramCopy::Launch(const XvfbSession& session, const QStringList& arguments,
                              const QProcessEnvironment& extra)
{
    return LaunchProgram(session, Program(), arguments, extra);
}

QProcess* ProgramCopy::LaunchProgram(const XvfbSession& session, const QString& program,
                                     const QStringList& arguments, const QProcessEnvironment& extra)
{
    QProcessEnvironment env = session.Environment();
    env.insert(QStringLiteral("HOME"), HomeFolder());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), Path(QStringLiteral("runtime")));
    // The checks read the window's and the adjustment panel's trace, which is
    // off unless asked for.
    env.insert(QStringLiteral("QT_LOGGING_RULES"),
               QStringLiteral("lumivox.mainwindow.debug=true\nlumivox.views.debug=true\nlumivox.dialogs.debug=true\n"
                              "lumivox.plugins.adjust.debug=true"));
    for (const QString& name : extra.keys())
        env.insert(name, extra.value(name));
    m_Programs.emplace_back(new QProcess);
    QProcess* process = m_Programs.back().get();
    process->setProcessEnvironment(env);
    // As from a desktop: started in its home, so nothing it starts writes into the build.
    process->setWorkingDirectory(HomeFolder());
    process->start(program, arguments);
    process->waitForStarted(10000);
    return process;
}

bool ProgramCopy::Finish(QProcess* process, int timeoutMs)
{
    return process->state() == QProcess::NotRunning || process->waitForFinished(timeoutMs);
}

bool ProgramCopy::StartDisplay(XvfbSession& session, QString* why, bool* skip)
{
    const QStringList missing = XvfbSession::MissingTools();
    *skip = !missing.isEmpty();
    if (*skip)
        *why = QStringLiteral("not installed: ") + missing.join(QStringLiteral(", "))
             + QStringLiteral(" (scripts/install-deps.sh installs them)");
    else if (!session.Start())
        *why = session.Error();
    return why->isEmpty();
}

void ProgramCopy::StartDisplayForTestCase(XvfbSession& session)
{
    QString why;
    bool skip = false;
    if (!StartDisplay(session, &why, &skip) && skip)
        QSKIP(qPrintable(why));
    QVERIFY2(why.isEmpty(), qPrintable(why));
}
