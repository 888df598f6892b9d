#include "CScheduleFile.h"

#include "AppPaths.h"
#include "CIniFileAccess.h"
#include "CNoOperatingDate.h"
#include "IniSectionValues.h"
#include "CScheduleData.h"
#include "ExceptionTrace.h"
#include "CScheduleManager.h"
#include "LogCategories.h"

#include <QDebug>
#include <QStringList>
#include <QTextCodec>

#include <algorithm>

const QString CScheduleFile::DEF_SCH_PATH = QStringLiteral("Corvex Projector User Fennick/Lumivox 5");
const QString CScheduleFile::DEF_SCHEDULE_NAME = QStringLiteral("Schedule.scd");
const QString CScheduleFile::HEAD_SECTION = QStringLiteral("Header Info");
const QString CScheduleFile::SCHEDULE_DATA_SECTION = QStringLiteral("ScheduleData ");
const QString CScheduleFile::HOLIDAY_SECTION = QStringLiteral("Holiday");
const QString CScheduleFile::MagicCode_Key = QStringLiteral("MagicCode");
const QString CScheduleFile::RevCode_Key = QStringLiteral("RevCode");
const QString CScheduleFile::ScheduleCount_Key = QStringLiteral("ScheduleCount");
const QString CScheduleFile::TargetType_Key = QStringLiteral("TargetType");
const QString CScheduleFile::TargetName_Key = QStringLiteral("TargetName");
const QString CScheduleFile::Function_Key = QStringLiteral("Function");
const QString CScheduleFile::InputTerminal_Key = QStringLiteral("InputTerminal");
const QString CScheduleFile::DurationType_Key = QStringLiteral("DurationType");
const QString CScheduleFile::StartDayYear_Key = QStringLiteral("StartDay Year");
const QString CScheduleFile::StartDayMonth_Key = QStringLiteral("StartDay Month");
const QString CScheduleFile::StartDayDay_Key = QStringLiteral("StartDay Day");
const QString CScheduleFile::StartDayHour_Key = QStringLiteral("StartDay Hour");
const QString CScheduleFile::StartDayMinute_Key = QStringLiteral("StartDay Minute");
const QString CScheduleFile::StartDaySecond_Key = QStringLiteral("StartDay Second");
const QString CScheduleFile::FinishDayYear_Key = QStringLiteral("FinishDay Year");
const QString CScheduleFile::FinishDayMonth_Key = QStringLiteral("FinishDay Month");
const QString CScheduleFile::FinishDayDay_Key = QStringLiteral("FinishDay Day");
const QString CScheduleFile::FinishDayHour_Key = QStringLiteral("FinishDay Hour");
const QString CScheduleFile::FinishDayMinute_Key = QStringLiteral("FinishDay Minute");
const QString CScheduleFile::FinishDaySecond_Key = QStringLiteral("FinishDay Second");
const QString CScheduleFile::ExecuteTimeHour_Key = QStringLiteral("ExecuteTime Hour");
const QString CScheduleFile::ExecuteTimeMinute_Key = QStringLiteral("ExecuteTime Minute");
const QString CScheduleFile::ExecuteTimeSecond_Key = QStringLiteral("ExecuteTime Second");
const QString CScheduleFile::DayOfWeek_Key = QStringLiteral("DayOfWeek");
const QString CScheduleFile::Enable_Key = QStringLiteral("Enable");
const QString CScheduleFile::UseFinishDay_Key = QStringLiteral("UseFinishDay");
const QString CScheduleFile::Comment_Key = QStringLiteral("Comment");
const QString CScheduleFile::HolidayCount_Key = QStringLiteral("Count");
const QString CScheduleFile::HolidayDayData_Key = QStringLiteral("DayData ");
const QString CScheduleFile::MAGIC_CODE = QStringLiteral("ScheduleData");
const QString CScheduleFile::REVISION_CODE = QStringLiteral("Rev.1.0");

namespace {

// The load never takes more records than a collection holds.
const int MAX_LOADED_SCHEDULES = CScheduleManager::MAX_SCHEDULE_KEY + 1;

// Two lower-case hexadecimal digits of the low byte, then "H" (0x1A: "1aH").
QString hexText(int value)
{
    return QStringLiteral("%1H").arg(value & 0xFF, 2, 16, QLatin1Char('0'));
}

// "1AH" and "1a" are 0x1A; text that is no hexadecimal number is 0.
int hexValue(QString text)
{
    text.remove(QLatin1Char('H'));
    bool ok = false;
    const int value = text.toInt(&ok, 16);
    return ok ? value : 0;
}

// An input terminal code is one byte: a number beyond it is as invalid as
// unreadable text (it would be saved as another code).
int terminalValue(const QString& text)
{
    const int value = hexValue(text);
    return value >= 0 && value <= 0xFF ? value : 0;
}

// Group paths written on a Japanese system carry the yen sign where they mean
// a backslash: byte 0x5C of Shift_JIS.
QString withBackslashes(QString name)
{
    static const QChar shiftJis5C = [] {
        QTextCodec* codec = QTextCodec::codecForName("Shift_JIS");
        const QString s = codec ? codec->toUnicode("\x5C", 1) : QString();
        return s.size() == 1 ? s.at(0) : QChar(QLatin1Char('\\'));
    }();
    name.replace(QChar(0x00A5), QLatin1Char('\\'));
    if (shiftJis5C != QLatin1Char('\\'))
        name.replace(shiftJis5C, QLatin1Char('\\'));
    return name;
}

// A null value would ask the accessor for a deletion.
QString bare(const QString& value)
{
    return value.isNull() ? QString(QLatin1String("")) : value;
}

} // namespace

CScheduleFile::CScheduleFile()
    : CScheduleFile(AppPaths::homeFolder() + QStringLiteral("/Application Data/") + DEF_SCH_PATH,
                    DEF_SCHEDULE_NAME)
{
}

CScheduleFile::CScheduleFile(const QString& folder, const QString& fileName)
    : m_pScheduleManager(new CScheduleManager())
    , m_HolidayCount(0)
    , m_pIniFile(new CIniFileAccess())
    , m_Folder(folder)
    , m_FileName(fileName)
{
}

CScheduleFile::~CScheduleFile()
{
    delete m_pIniFile;
    delete m_pScheduleManager;
    m_HolidayList.clear();
}

QString CScheduleFile::f_SectionName(int number)
{
    return SCHEDULE_DATA_SECTION + QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

QString CScheduleFile::f_DayDataKey(int number)
{
    return HolidayDayData_Key + QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'));
}

// ---------------------------------------------------------------------------
// Load

bool CScheduleFile::LoadScheduleFile(bool withHolidays)
{
    return RunTraced(false, [&] {
        m_pIniFile->ReadIniFile(m_Folder + QLatin1Char('/') + m_FileName);

        // Sections and keys are found whatever their case: a hand-edited
        // "function=2" is the schedule's function, not a missing key.
        const QHash<QString, QString> spellings = IniSectionValues::Spellings(m_pIniFile);
        const IniSectionValues head(m_pIniFile, HEAD_SECTION, spellings);
        const QString magic = head.value(MagicCode_Key, QLatin1String(""));
        const QString revision = head.value(RevCode_Key, QLatin1String(""));
        if (magic.compare(MAGIC_CODE, Qt::CaseInsensitive) != 0
            || revision.compare(REVISION_CODE, Qt::CaseInsensitive) != 0) {
            m_pIniFile->SetIniString(QString(), QString(), QString());
            m_pIniFile->SetIniString(HEAD_SECTION, MagicCode_Key, magic);
            m_pIniFile->SetIniString(HEAD_SECTION, RevCode_Key, revision);
            return false;
        }

        // Only sections that are there are loaded: a damaged count must not
        // invent enabled power-on schedules for every projector. Section
        // numbers beyond what a collection holds could never be loaded.
        const int count = std::min(head.intValue(ScheduleCount_Key, 0), MAX_LOADED_SCHEDULES);
        int missing = 0;
        for (int i = 0; i < count; ++i) {
            const IniSectionValues section(m_pIniFile, f_SectionName(i), spellings);
            if (section.keys().isEmpty()) {
                ++missing;
                continue;
            }
            CScheduleData* data = f_GetScheduleData(section);
            if (!m_pScheduleManager->f_AddSchedule(data, false)) {
                delete data;
                break;
            }
        }
        if (missing > 0)
            qCDebug(lcScheduler, "CScheduleFile::LoadScheduleFile %d schedule section(s) missing", missing);

        if (withHolidays)
            f_GetHolidayData(IniSectionValues(m_pIniFile, HOLIDAY_SECTION, spellings));
        return true;
    });
}

CScheduleData* CScheduleFile::f_GetScheduleData(const IniSectionValues& section)
{
    CScheduleData* data = new CScheduleData();

    data->TargetType = section.intValue(TargetType_Key, data->TargetType);
    data->TargetName = withBackslashes(section.value(TargetName_Key, data->TargetName));
    data->Function = section.intValue(Function_Key, data->Function);
    data->InputTerminal = terminalValue(section.value(InputTerminal_Key, hexText(data->InputTerminal)));
    data->DurationType = section.intValue(DurationType_Key, data->DurationType);

    auto readDateTime = [&](const QDateTime& def, const QString& y, const QString& mo, const QString& d,
                            const QString& h, const QString& mi, const QString& s) {
        const QDate date(section.intValue(y, def.date().year()), section.intValue(mo, def.date().month()),
                         section.intValue(d, def.date().day()));
        const QTime time(section.intValue(h, def.time().hour()), section.intValue(mi, def.time().minute()),
                         section.intValue(s, def.time().second()), 0);
        return QDateTime(date, time);
    };
    data->StartDay = readDateTime(data->StartDay, StartDayYear_Key, StartDayMonth_Key, StartDayDay_Key,
                                  StartDayHour_Key, StartDayMinute_Key, StartDaySecond_Key);
    data->FinishDay = readDateTime(data->FinishDay, FinishDayYear_Key, FinishDayMonth_Key, FinishDayDay_Key,
                                   FinishDayHour_Key, FinishDayMinute_Key, FinishDaySecond_Key);
    data->ExecuteTime = QTime(section.intValue(ExecuteTimeHour_Key, data->ExecuteTime.hour()),
                              section.intValue(ExecuteTimeMinute_Key, data->ExecuteTime.minute()),
                              section.intValue(ExecuteTimeSecond_Key, data->ExecuteTime.second()), 0);

    data->DayOfWeek = quint8(hexValue(section.value(DayOfWeek_Key, hexText(data->DayOfWeek))) & 0xFF);
    // A flag that is there is set only by 1; a missing one keeps the default.
    auto readFlag = [&](const QString& key, bool def) {
        if (!section.contains(key))
            return def;
        bool ok = false;
        return section.value(key, QString()).toInt(&ok, 10) == 1 && ok;
    };
    data->Enable = readFlag(Enable_Key, data->Enable);
    data->UseFinishDay = readFlag(UseFinishDay_Key, data->UseFinishDay);
    data->Comment = section.value(Comment_Key, data->Comment);
    return data;
}

bool CScheduleFile::f_GetHolidayData(const IniSectionValues& holidays)
{
    RunTraced([&] {
        m_HolidayList.clear();
        const int count = holidays.intValue(HolidayCount_Key, 0);
        // Only the day keys the section holds are read, in number order: a
        // count taken from the file never drives the loop.
        const QString prefix = HolidayDayData_Key.toUpper();
        QList<int> numbers;
        for (const QString& key : holidays.keys()) {
            const QString folded = key.toUpper();
            if (!folded.startsWith(prefix))
                continue;
            bool ok = false;
            const int n = folded.midRef(prefix.size()).toInt(&ok, 10);
            if (ok && n >= 1 && n <= count && folded == f_DayDataKey(n).toUpper())
                numbers.append(n);
        }
        std::sort(numbers.begin(), numbers.end());
        numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
        for (int n : qAsConst(numbers)) {
            const int offset = holidays.intValue(f_DayDataKey(n), -1);
            if (offset >= 0)
                m_HolidayList.append(offset);
        }
    });
    m_HolidayCount = m_HolidayList.size();
    return true;
}

// ---------------------------------------------------------------------------
// Save

int CScheduleFile::SaveScheduleFile(const QString& path, bool withHolidays)
{
    return SaveScheduleFile(path, withHolidays, CIniFileAccess::CODEPAGE_DEFAULT);
}

int CScheduleFile::SaveScheduleFile(const QString& path, bool withHolidays, const QString& codePage)
{
    return RunTraced(2, [&] {
        // The written file holds only what follows, whatever the path held.
        m_pIniFile->SetIniString(QString(), QString(), QString());

        const CScheduleManager::ScheduleMap& map = m_pScheduleManager->f_GetScheduleMap();
        m_pIniFile->SetIniString(HEAD_SECTION, MagicCode_Key, MAGIC_CODE);
        m_pIniFile->SetIniString(HEAD_SECTION, RevCode_Key, REVISION_CODE);
        m_pIniFile->SetIniInt(HEAD_SECTION, ScheduleCount_Key, map.size());

        // Numbered by position: the load reads sections 000 to count - 1,
        // whatever keys the collection uses.
        int number = 0;
        for (auto it = map.constBegin(); it != map.constEnd(); ++it, ++number) {
            if (it.value())
                f_SetScheduleData(f_SectionName(number), *it.value());
        }
        if (withHolidays)
            f_SetHolidayData();

        const int result = m_pIniFile->WriteIniFile(path, true, codePage);
        return result == 0 || result == 1 ? result : 2;
    });
}

void CScheduleFile::f_SetScheduleData(const QString& section, const CScheduleData& data)
{
    CIniFileAccess& ini = *m_pIniFile;
    ini.SetIniInt(section, TargetType_Key, data.TargetType);
    ini.SetIniString(section, TargetName_Key, bare(data.TargetName));
    ini.SetIniInt(section, Function_Key, data.Function);
    ini.SetIniString(section, InputTerminal_Key, hexText(data.InputTerminal));
    ini.SetIniInt(section, DurationType_Key, data.DurationType);

    auto writeDateTime = [&](const QDateTime& value, const QString& y, const QString& mo, const QString& d,
                             const QString& h, const QString& mi, const QString& s) {
        ini.SetIniInt(section, y, value.date().year());
        ini.SetIniInt(section, mo, value.date().month());
        ini.SetIniInt(section, d, value.date().day());
        ini.SetIniInt(section, h, value.time().hour());
        ini.SetIniInt(section, mi, value.time().minute());
        ini.SetIniInt(section, s, value.time().second());
    };
    writeDateTime(data.StartDay, StartDayYear_Key, StartDayMonth_Key, StartDayDay_Key, StartDayHour_Key,
                  StartDayMinute_Key, StartDaySecond_Key);
    writeDateTime(data.FinishDay, FinishDayYear_Key, FinishDayMonth_Key, FinishDayDay_Key,
                  FinishDayHour_Key, FinishDayMinute_Key, FinishDaySecond_Key);
    ini.SetIniInt(section, ExecuteTimeHour_Key, data.ExecuteTime.hour());
    ini.SetIniInt(section, ExecuteTimeMinute_Key, data.ExecuteTime.minute());
    ini.SetIniInt(section, ExecuteTimeSecond_Key, data.ExecuteTime.second());
    ini.SetIniString(section, DayOfWeek_Key, hexText(data.DayOfWeek));
    ini.SetIniInt(section, Enable_Key, data.Enable ? 1 : 0);
    ini.SetIniInt(section, UseFinishDay_Key, data.UseFinishDay ? 1 : 0);
    ini.SetIniString(section, Comment_Key, bare(data.Comment));
}

bool CScheduleFile::f_SetHolidayData()
{
    m_pIniFile->SetIniInt(HOLIDAY_SECTION, HolidayCount_Key, m_HolidayCount);
    for (int i = 0; i < m_HolidayList.size(); ++i)
        m_pIniFile->SetIniInt(HOLIDAY_SECTION, f_DayDataKey(i + 1), m_HolidayList.at(i));
    return true;
}

void CScheduleFile::SetHolidayParam(const CNoOperatingDate& dates)
{
    RunTraced([&] {
        m_HolidayList.clear();
        const int days = CNoOperatingDate::DayCount();
        for (int offset = 0; offset < days; ++offset) {
            if (dates.IsNoOperatingDate(offset))
                m_HolidayList.append(offset);
        }
    });
    m_HolidayCount = m_HolidayList.size();
}
