// Times the INI accessor on a file the size of a full user list:
// 2000 sections of 15 keys each.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

#include "CIniFileAccess.h"

namespace {

const int SECTIONS = 2000;
const int KEYS = 15;
const int RUNS = 5;
const int REPEATED_LINES = 20000;

const char* const KEY_NAMES[KEYS] = {"Name", "Type", "IPAddress", "Port", "Model", "Enable", "Group",
                                     "Timeout", "Retry", "Comment", "Lamp", "Filter", "Input", "Serial",
                                     "Location"};

QString sectionName(int i)
{
    return QStringLiteral("Setting %1").arg(i, 3, 10, QLatin1Char('0'));
}

QString buildText()
{
    QString t;
    QTextStream out(&t);
    out << "[Header Info]\nMagicCode=UserList\nCount=" << SECTIONS << "\n";
    for (int s = 0; s < SECTIONS; ++s) {
        out << '[' << sectionName(s) << "]\n";
        for (int k = 0; k < KEYS; ++k)
            out << KEY_NAMES[k] << '=' << "value " << s << '.' << k << " 投影機\n";
    }
    return t;
}

void quiet(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type != QtDebugMsg)
        QTextStream(stderr) << msg << '\n';
}

// Median of the runs, in milliseconds; `prepare` runs untimed before each one.
double timeIt(const std::function<void()>& prepare, const std::function<void()>& step)
{
    std::vector<double> ms;
    for (int run = 0; run < RUNS; ++run) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        step();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quiet);

    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QString path = dir.filePath(QStringLiteral("user.lst"));
    {
        const QString text = buildText();
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write("\xFF\xFE", 2);
        f.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    QTextStream out(stdout);
    out << "INI accessor, " << SECTIONS << " sections x " << KEYS << " keys, file "
        << QFile(path).size() / 1024 << " KiB (UTF-16), median of " << RUNS << " runs\n";

    CIniFileAccess* ini = nullptr;
    auto fresh = [&] {
        delete ini;
        ini = new CIniFileAccess();
    };
    auto loaded = [&] {
        fresh();
        ini->ReadIniFile(path);
    };

    const double read = timeIt(fresh, [&] { ini->ReadIniFile(path); });

    int found = 0;
    const double lookups = timeIt(loaded, [&] {
        QString v;
        for (int s = 0; s < SECTIONS; ++s) {
            const QString section = sectionName(s);
            for (int k = 0; k < KEYS; ++k) {
                ini->GetIniString(section, QLatin1String(KEY_NAMES[k]), QString(), &v);
                found += v.isNull() ? 0 : 1;
            }
        }
    });

    const double change = timeIt(loaded, [&] {
        for (int s = 0; s < SECTIONS; ++s)
            ini->SetIniString(sectionName(s), QStringLiteral("Comment"), QStringLiteral("changed"));
    });

    const double addKey = timeIt(loaded, [&] {
        for (int s = 0; s < SECTIONS; ++s)
            ini->SetIniString(sectionName(s), QStringLiteral("Added"), QStringLiteral("new"));
    });

    const double merge = timeIt(
        [&] {
            loaded();
            for (int s = 0; s < SECTIONS; ++s)
                ini->SetIniString(sectionName(s), QStringLiteral("Comment"), QStringLiteral("changed"));
        },
        [&] { ini->WriteIniFile(path); });

    const double rebuild = timeIt(fresh, [&] {
        ini->SetIniString(QString(), QString(), QString());
        for (int s = 0; s < SECTIONS; ++s) {
            const QString section = sectionName(s);
            for (int k = 0; k < KEYS; ++k)
                ini->SetIniString(section, QLatin1String(KEY_NAMES[k]), QStringLiteral("v"));
        }
        ini->WriteIniFile(path);
    });
    // One section whose keys repeat (a damaged or hand-merged file): deleting
    // it must not search each next copy of a key from the start of the list.
    const QString repeatedPath = dir.filePath(QStringLiteral("repeated.ini"));
    {
        // Behind a large section, so that a search from the start of the
        // list would walk it for every removed copy.
        QString t = QStringLiteral("[Before]\n");
        for (int i = 0; i < REPEATED_LINES; ++i)
            t += QStringLiteral("b%1=value %1\n").arg(i);
        t += QStringLiteral("[Repeated]\n");
        for (int i = 0; i < REPEATED_LINES; ++i)
            t += QStringLiteral("k%1=value %2\n").arg(i % 4).arg(i);
        t += QStringLiteral("[After]\nx=1\n");
        QFile f(repeatedPath);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write("\xFF\xFE", 2);
        f.write(reinterpret_cast<const char*>(t.utf16()), t.size() * 2);
    }
    const qint64 repeatedSize = QFile(repeatedPath).size();
    const double deleteRepeated = timeIt([&] { fresh(); ini->ReadIniFile(repeatedPath); },
                                         [&] { ini->SetIniString(QStringLiteral("Repeated"), QString(), QString()); });
    delete ini;

    out << QStringLiteral("read file                      %1 ms\n").arg(read, 8, 'f', 2);
    out << QStringLiteral("read every key back (%1)    %2 ms\n").arg(SECTIONS * KEYS).arg(lookups, 8, 'f', 2);
    out << QStringLiteral("change one key per section     %1 ms\n").arg(change, 8, 'f', 2);
    out << QStringLiteral("add one key per section        %1 ms\n").arg(addKey, 8, 'f', 2);
    out << QStringLiteral("merge write                    %1 ms\n").arg(merge, 8, 'f', 2);
    out << QStringLiteral("clear, set all, merge write    %1 ms\n").arg(rebuild, 8, 'f', 2);
    out << QStringLiteral("delete a section of %1 lines, 4 keys repeated, behind %1 lines (%2 KiB)  %3 ms\n")
               .arg(REPEATED_LINES)
               .arg(repeatedSize / 1024)
               .arg(deleteRepeated, 8, 'f', 2);
    if (found != RUNS * SECTIONS * KEYS) {
        out << "lookups found " << found << " values, expected " << RUNS * SECTIONS * KEYS << '\n';
        return 1;
    }
    return 0;
}
