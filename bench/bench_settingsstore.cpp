// Times the settings store: a full write at exit and the full read at start,
// with every no-operating day table and launch slot in use.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

#include "AppPaths.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Reg.h"
#include "CMailSettings.h"
#include "CNoOperatingDate.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    AppPaths::setProgramFolder(folder.path());
    AppPaths::setHomeFolder(folder.path());

    const int rounds = 10;
    qint64 writeTotal = 0;
    qint64 readTotal = 0;
    qint64 autoTotal = 0;
    for (int round = 0; round < rounds; ++round) {
        CListViewColumnStatus::ColumnMap columns;
        CListViewColumnStatus::f_MakePjListColumns(&columns);
        {
            CLumivox5Reg reg;
            reg.SetPjListColumnStatus(columns);
            for (int day = 0; day < CLumivox5Reg::NO_OPERATING_DAYS; day += 7)
                reg.m_pNoOperatingDate->Add(day);
            for (int slot = 0; slot < CLumivox5Reg::START_APP_SLOTS; ++slot)
                reg.m_pStartAppList->append(QStringList{ "App", "/usr/bin/app", "--flag" });
            reg.m_pMailSettings->m_Comment = QString(1000, QLatin1Char('c'));
            QElapsedTimer timer;
            timer.start();
            reg.Write(CLumivox5Reg::REG_ALL);
            writeTotal += timer.nsecsElapsed();
            timer.restart();
            reg.m_AutoExecuteSchedule = (round % 2) == 0;
            reg.Write(CLumivox5Reg::REG_AUTO_EXECUTE);
            autoTotal += timer.nsecsElapsed();
        }
        {
            CLumivox5Reg reg;
            reg.SetPjListColumnStatus(columns);
            QElapsedTimer timer;
            timer.start();
            reg.Read();
            readTotal += timer.nsecsElapsed();
        }
        CListViewColumnStatus::DeleteColumns(&columns);
    }
    std::printf("settings file size: %lld bytes\n",
                static_cast<long long>(QFileInfo(CLumivox5Reg::SettingsFilePath()).size()));
    std::printf("Write(-1), every group: %.1f ms\n", writeTotal / 1e6 / rounds);
    std::printf("Write(0x200), auto-execute flag: %.2f ms\n", autoTotal / 1e6 / rounds);
    std::printf("Read(), every group: %.1f ms\n", readTotal / 1e6 / rounds);
    return 0;
}
