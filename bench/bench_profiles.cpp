// Loads generated model profile files of growing size: the time and the heap
// a profile list takes should grow in step with the number of models.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <malloc.h>

#include <algorithm>
#include <vector>

#include "CProfileList.h"

namespace {

const int RUNS = 5;

const char* const FUNCTION_KEYS[] = { "ReqProjectorName", "SetProjectorName", "ReqRemainingLampTime",
                                      "ReqRemainingLamp2Time", "ReqRemainingFilterUsage", "ReqSourceName",
                                      "ReqHorizontalFrequency", "ReqVerticalFrequency", "ReqSyncPolarity",
                                      "SetFreezeSupported", "ReqLongModelName", "ReqLampMode", "ChkLensCoverSts",
                                      "UseMultipleEcoMode", "UseNewCommandProjectorName",
                                      "UseNewCommandReqRemainingLampTime", "UseNewCommandReqGainParameter",
                                      "ReqSerialNumber", "ReqMACAddress3", "LaserBeam" };

// A profile file of `models` models, each with its functions, input
// terminals and picture presets, as the shipped file lays them out.
QString buildText(int models)
{
    QString t;
    QTextStream out(&t);
    out << "[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=R5.00\nProfileVersion=5.00.001\n[Models]\n";
    for (int m = 0; m < models; ++m)
        out << QStringLiteral("4D%1").arg(m + 1, 6, 16, QLatin1Char('0')).toUpper() << "=M" << m << '\n';
    for (int m = 0; m < models; ++m) {
        out << "[M" << m << " Functions]\n";
        for (const char* key : FUNCTION_KEYS)
            out << key << '=' << ((m + int(qstrlen(key))) % 2 ? "TRUE" : "FALSE") << '\n';
        out << "ModelImage=M" << m << ".png\n";
        out << "[M" << m << " InputTerminal]\nCount=6\n";
        for (int i = 1; i <= 6; ++i)
            out << "Code" << i << '=' << QStringLiteral("%1H").arg(i, 2, 16, QLatin1Char('0')).toUpper() << "\nName"
                << i << "=INPUT" << i << "\nName" << i << "_1=INPUT" << i << ",ENTREE" << i << '\n';
        out << "[M" << m << " PicturePreset]\nCount=4\n";
        for (int i = 1; i <= 4; ++i)
            out << "Code" << i << '=' << QStringLiteral("%1H").arg(i - 1, 2, 16, QLatin1Char('0')) << "\nName" << i
                << "=PRESET" << i << '\n';
    }
    return t;
}

// A profile file whose `keys` model codes all name one large profile.
QString buildShared(int keys)
{
    QString t;
    QTextStream out(&t);
    out << "[Header Info]\nMagicCode=258-0017-686-1-5F\nRevCode=R5.00\nProfileVersion=5.00.001\n[Models]\n";
    for (int m = 0; m < keys; ++m)
        out << QStringLiteral("4D%1").arg(m + 1, 6, 16, QLatin1Char('0')).toUpper() << "=Big\n";
    out << "[Big Functions]\n";
    for (const char* key : FUNCTION_KEYS)
        out << key << "=TRUE\n";
    for (const char* list : { "InputTerminal", "PicturePreset", "PictureGamma", "ImageAspect" }) {
        out << "[Big " << list << "]\nCount=35\n";
        for (int i = 1; i <= 35; ++i) {
            out << "Code" << i << '=' << QStringLiteral("%1H").arg(i, 2, 16, QLatin1Char('0')).toUpper() << "\nName"
                << i << '=' << list << i << '\n';
            for (int column = 1; column <= 4; ++column)
                out << "Name" << i << '_' << column << "=N" << i << "a,N" << i << "b,N" << i << "c,N" << i << "d\n";
        }
    }
    return t;
}

void quiet(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type != QtDebugMsg)
        QTextStream(stderr) << msg << '\n';
}

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quiet);

    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    QTextStream out(stdout);
    out << "Profile list load, generated Profile.ini, median of " << RUNS << " runs\n";
    out << "models   file KiB   load ms   heap KiB   heap bytes per model\n";
    int failed = 0;
    for (const int models : { 50, 125, 250, 500 }) {
        const QString path = dir.filePath(QStringLiteral("Profile%1.ini").arg(models));
        {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly))
                return 1;
            f.write(buildText(models).toUtf8());
        }
        std::vector<double> ms;
        size_t heap = 0;
        for (int run = 0; run < RUNS; ++run) {
            const size_t before = heapInUse();
            QElapsedTimer timer;
            timer.start();
            CProfileList list(path);
            ms.push_back(timer.nsecsElapsed() / 1e6);
            heap = heapInUse() - before;
            if (list.m_LoadFailed || list.m_ProfileMap.size() != models + 1)
                ++failed;
        }
        std::sort(ms.begin(), ms.end());
        out << QStringLiteral("%1   %2   %3   %4   %5\n")
                   .arg(models, 6)
                   .arg(QFile(path).size() / 1024, 8)
                   .arg(ms[ms.size() / 2], 7, 'f', 1)
                   .arg(qulonglong(heap / 1024), 8)
                   .arg(qulonglong(heap / size_t(models)), 10);
    }
    out << "\nOne profile named by every model code of the file, median of " << RUNS << " runs\n";
    out << "codes   file KiB   load ms\n";
    for (const int keys : { 250, 500, 1000, 2000 }) {
        const QString path = dir.filePath(QStringLiteral("Shared%1.ini").arg(keys));
        {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly))
                return 1;
            f.write(buildShared(keys).toUtf8());
        }
        std::vector<double> ms;
        for (int run = 0; run < RUNS; ++run) {
            QElapsedTimer timer;
            timer.start();
            CProfileList list(path);
            ms.push_back(timer.nsecsElapsed() / 1e6);
            if (list.m_LoadFailed || list.m_ProfileMap.size() != keys + 1)
                ++failed;
        }
        std::sort(ms.begin(), ms.end());
        out << QStringLiteral("%1   %2   %3\n").arg(keys, 5).arg(QFile(path).size() / 1024, 8).arg(ms[ms.size() / 2], 7, 'f', 1);
    }
    if (failed) {
        out << failed << " loads did not give every model\n";
        return 1;
    }
    return 0;
}
