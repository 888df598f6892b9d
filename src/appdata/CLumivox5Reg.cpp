#include "CLumivox5Reg.h"

#include "AppPaths.h"
#include "CListViewColumnStatus.h"
#include "CMailSettings.h"
#include "CNoOperatingDate.h"
#include "COptionSettings.h"
#include "CPlistSettingsFormat.h"
#include "ExceptionTrace.h"
#include "HexText.h"
#include "LogCategories.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <exception>

const QString CLumivox5Reg::APPREG_FILE_NAME = QStringLiteral("Lumivox 5.plist");
const QString CLumivox5Reg::APPREG_KEY_BASEPATH = QStringLiteral("Software/Corvex Projector User Fennick/Lumivox5/");
const QString CLumivox5Reg::APPREG_KEY_OPTION = CLumivox5Reg::APPREG_KEY_BASEPATH + QStringLiteral("Option");
const QString CLumivox5Reg::APPREG_KEY_PATH = CLumivox5Reg::APPREG_KEY_BASEPATH + QStringLiteral("Path");
const QString CLumivox5Reg::APPREG_KEY_POSITION = CLumivox5Reg::APPREG_KEY_BASEPATH + QStringLiteral("View/Position");
const QString CLumivox5Reg::APPREG_KEY_VIEWOPTION = CLumivox5Reg::APPREG_KEY_BASEPATH + QStringLiteral("View/Option");
const QString CLumivox5Reg::APPREG_KEY_VIEWPJLIST = CLumivox5Reg::APPREG_KEY_BASEPATH + QStringLiteral("View/PJList");
const QString CLumivox5Reg::APPREG_KEY_MAIL = CLumivox5Reg::APPREG_KEY_BASEPATH + QStringLiteral("Mail");
const QString CLumivox5Reg::APPREG_KEY_SCHEDULE = CLumivox5Reg::APPREG_KEY_BASEPATH + QStringLiteral("Schedule");
const QString CLumivox5Reg::APPREG_KEY_OFFLINE_MODE = CLumivox5Reg::APPREG_KEY_BASEPATH + QStringLiteral("OfflineMode");
const QString CLumivox5Reg::APPREG_KEY_START_APPDATA = CLumivox5Reg::APPREG_KEY_BASEPATH + QStringLiteral("StartApp");

const QString CLumivox5Reg::APPREG_NAME_PATHEXPORTCSV = QStringLiteral("ExportCSV");
const QString CLumivox5Reg::APPREG_NAME_PATHEXPORTUSERLIST = QStringLiteral("ExportUserList");
const QString CLumivox5Reg::APPREG_NAME_POSMAINX = QStringLiteral("MainX");
const QString CLumivox5Reg::APPREG_NAME_POSMAINY = QStringLiteral("MainY");
const QString CLumivox5Reg::APPREG_NAME_POSMAINW = QStringLiteral("MainWidth");
const QString CLumivox5Reg::APPREG_NAME_POSMAINH = QStringLiteral("MainHeight");
const QString CLumivox5Reg::APPREG_NAME_SPLITTERS[3] = {QStringLiteral("SplitterSizesMain"),
                                                        QStringLiteral("SplitterSizesLeft"),
                                                        QStringLiteral("SplitterSizesRight")};
const QString CLumivox5Reg::APPREG_NAME_POSMAINPAIN_LEFTW = QStringLiteral("MainPainLeftWidth");
const QString CLumivox5Reg::APPREG_NAME_POSMAINPAIN_TOPH = QStringLiteral("MainPainTopHeight");
const QString CLumivox5Reg::APPREG_NAME_POSMAINPAIN_LEFTH = QStringLiteral("MainPainLeftHeight");
const QString CLumivox5Reg::APPREG_NAME_SCHEDULEVISIBLE = QStringLiteral("ScheduleVisible");
const QString CLumivox5Reg::APPREG_NAME_MAINTABVISIBLE = QStringLiteral("MainTabVisible");
const QString CLumivox5Reg::APPREG_NAME_COLUMNVISIBLE = QStringLiteral("PJListColumnVisible");
const QString CLumivox5Reg::APPREG_NAME_COLUMNDISPLAYINDEX = QStringLiteral("PJListColumnDisplayIndex");
const QString CLumivox5Reg::APPREG_NAME_COLUMNWIDTH = QStringLiteral("PJListColumnWidth");
const QString CLumivox5Reg::APPREG_NAME_SORTID = QStringLiteral("PJListSortID");
const QString CLumivox5Reg::APPREG_NAME_SORTASSENDING = QStringLiteral("PJListSortAssending");
const QString CLumivox5Reg::APPREG_NAME_MAILRECIPIENT1 = QStringLiteral("Recipient1");
const QString CLumivox5Reg::APPREG_NAME_MAILRECIPIENT2 = QStringLiteral("Recipient2");
const QString CLumivox5Reg::APPREG_NAME_MAILRECIPIENT3 = QStringLiteral("Recipient3");
const QString CLumivox5Reg::APPREG_NAME_MAILCOMMENT = QStringLiteral("Comment");
const QString CLumivox5Reg::APPREG_NAME_MAILENABLED = QStringLiteral("Enabled");
const QString CLumivox5Reg::APPREG_NAME_MAILSMTPSERVER = QStringLiteral("SMTPServer");
const QString CLumivox5Reg::APPREG_NAME_MAILPOP3SERVER = QStringLiteral("POP3Server");
const QString CLumivox5Reg::APPREG_NAME_MAILUSER = QStringLiteral("User");
const QString CLumivox5Reg::APPREG_NAME_MAILPASS = QStringLiteral("Pass");
const QString CLumivox5Reg::APPREG_NAME_MAILSENDER = QStringLiteral("Sender");
const QString CLumivox5Reg::APPREG_NAME_MAILAUTHORITY = QStringLiteral("Authority");
const QString CLumivox5Reg::APPREG_NAME_MAILSSL = QStringLiteral("SMTPOverSSL");
const QString CLumivox5Reg::APPREG_NAME_SCHEDULENOOPE = QStringLiteral("NoOperatingDate");
const QString CLumivox5Reg::APPREG_NAME_SCHEDULE_FILEPATH = QStringLiteral("ScheduleFilePath");
const QString CLumivox5Reg::APPREG_NAME_AUTOEXECUTESCHEDULE = QStringLiteral("AutoExecuteSchedule");
const QString CLumivox5Reg::APPREG_NAME_OPTRESIDENT = QStringLiteral("Resident");
const QString CLumivox5Reg::APPREG_NAME_OPTSAVELOG = QStringLiteral("SaveLog");
const QString CLumivox5Reg::APPREG_NAME_OPTSAVELOGPATH = QStringLiteral("SaveLogPath");
const QString CLumivox5Reg::APPREG_NAME_OPTAUTOUPDATE = QStringLiteral("AutoUpdate");
const QString CLumivox5Reg::APPREG_NAME_OPTAUTOUPDATEINTERVAL = QStringLiteral("AutoUpdateInterval");
const QString CLumivox5Reg::APPREG_NAME_OPTIMPORT = QStringLiteral("Import");
const QString CLumivox5Reg::APPREG_NAME_OPTIMPORTPATH = QStringLiteral("ImportPath");
const QString CLumivox5Reg::APPREG_NAME_OPTSAVESCHEDULELOG = QStringLiteral("SaveScheduleLog");
const QString CLumivox5Reg::APPREG_NAME_OPTSAVESCHEDULELOGPATH = QStringLiteral("SaveScheduleLogPath");
const QString CLumivox5Reg::APPREG_NAME_OPTSAVEEVENTLOG = QStringLiteral("SaveEventLog");
const QString CLumivox5Reg::APPREG_NAME_OPTSAVEEVENTLOGPATH = QStringLiteral("SaveEventLogPath");
const QString CLumivox5Reg::APPREG_NAME_OFFLINEMENU = QStringLiteral("Menu");
const QString CLumivox5Reg::APPREG_NAME_OFFLINEOFFLINE = QStringLiteral("Offline");
const QString CLumivox5Reg::APPREG_NAME_START_APP_DISPLAYNAME = QStringLiteral("StartAppDisplayName");
const QString CLumivox5Reg::APPREG_NAME_START_APP_PATH = QStringLiteral("StartAppPath");
const QString CLumivox5Reg::APPREG_NAME_START_APP_ARGUMENTS = QStringLiteral("StartAppArguments");

namespace {

const QString trueText = QStringLiteral("True");
const QString falseText = QStringLiteral("False");

} // namespace

CLumivox5Reg::CLumivox5Reg()
    : m_MainX(0)
    , m_MainY(0)
    , m_MainWidth(0)
    , m_MainHeight(0)
    , m_MainPainLeftWidth(0)
    , m_MainPainLeftHeight(0)
    , m_MainPainTopHeight(0)
    , m_OfflineMenu(false)
    , m_Offline(false)
    , m_ScheduleVisible(true)
    , m_MainTabVisible(true)
    , m_pMailSettings(new CMailSettings)
    , m_pPjListColumnStatus(new QMap<int, CListViewColumnStatus*>)
    , m_PjListSortID(3)
    , m_PjListSortAssending(true)
    , m_pOptionSettings(new COptionSettings)
    , m_pNoOperatingDate(new CNoOperatingDate)
    , m_AutoExecuteSchedule(false)
    , m_pStartAppList(new QList<QStringList>)
    , m_PositionValid(false)
    , m_SizeValid(false)
    , m_PainValid(false)
    , m_FileStatus(QSettings::NoError)
    , m_pPendingValues(nullptr)
{
}

CLumivox5Reg::~CLumivox5Reg()
{
    delete m_pMailSettings;
    CListViewColumnStatus::DeleteColumns(m_pPjListColumnStatus);
    delete m_pPjListColumnStatus;
    delete m_pOptionSettings;
    delete m_pNoOperatingDate;
    delete m_pStartAppList;
}

QString CLumivox5Reg::SettingsFilePath()
{
    return AppPaths::programFolder() + QLatin1Char('/') + APPREG_FILE_NAME;
}

// ---------------------------------------------------------------- generic values

QVariant CLumivox5Reg::ReadSettings(QString group, QString name)
{
    return RunTraced(QVariant(), [&] {
        QSettings settings(SettingsFilePath(), CPlistSettingsFormat::Format());
        if (settings.status() != QSettings::NoError) {
            // Remembered for the next write: QSettings reports damage only
            // the first time it reads the file.
            if (settings.status() == QSettings::FormatError)
                m_FileStatus = QSettings::FormatError;
            return QVariant();
        }
        return settings.value(group + QLatin1Char('/') + name);
    });
}

int CLumivox5Reg::ReadSettingsString(QString group, QString name, QString* out)
{
    const QVariant value = ReadSettings(group, name);
    if (!value.isValid())
        return 1;
    if (out)
        *out = value.toString();
    return 0;
}

int CLumivox5Reg::ReadSettingsInt(QString group, QString name, int* out)
{
    const QVariant value = ReadSettings(group, name);
    if (!value.isValid())
        return 1;
    if (out)
        *out = value.toInt();
    return 0;
}

int CLumivox5Reg::ReadSettingsBoolean(QString group, QString name, bool* out, bool defaultValue)
{
    if (out)
        *out = defaultValue;
    const QVariant value = ReadSettings(group, name);
    if (!value.isValid())
        return 1;
    if (out)
        *out = value.toString().toUpper() == QLatin1String("TRUE");
    return 0;
}

int CLumivox5Reg::ReadSettingsBin(QString group, QString name, QByteArray& out)
{
    const QVariant value = ReadSettings(group, name);
    if (!value.isValid())
        return 1;
    out = DecodeBin(value.toString());
    return 0;
}

int CLumivox5Reg::ReadSettingsStringList(QString group, QString name, QStringList* out)
{
    const QVariant value = ReadSettings(group, name);
    if (!value.isValid())
        return 1;
    if (out)
        *out = value.toStringList();
    return 0;
}

int CLumivox5Reg::WriteSettings(QString group, QString name, QVariant value)
{
    // Booleans are stored as text; every other value as it is given, so a
    // password "true" stays "true".
    if (value.type() == QVariant::Bool)
        value = value.toBool() ? trueText : falseText;

    const QString key = group + QLatin1Char('/') + name;
    if (m_pPendingValues) {
        m_pPendingValues->append(qMakePair(key, value));
        return 0;
    }
    return f_StoreValues({qMakePair(key, value)});
}

int CLumivox5Reg::f_StoreValues(const QList<QPair<QString, QVariant>>& values)
{
    return RunTraced(1, [&] {
        const QString path = SettingsFilePath();
        // A file that turns out damaged on opening is set aside and the write tried once more.
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (m_FileStatus == QSettings::FormatError && !f_SetDamagedFileAside(path))
                return 1;
            f_MakePrivateFile(path);
            QSettings settings(path, CPlistSettingsFormat::Format());
            const QSettings::Status opened = settings.status();
            if (opened == QSettings::FormatError) {
                m_FileStatus = opened;
                continue;
            }
            if (opened != QSettings::NoError) {
                m_FileStatus = opened;
                return 1;
            }
            // No value removes the key.
            for (const auto& value : values) {
                if (value.second.isValid())
                    settings.setValue(value.first, value.second);
                else
                    settings.remove(value.first);
            }
            settings.sync();
            m_FileStatus = settings.status();
            return m_FileStatus == QSettings::NoError ? 0 : 1;
        }
        return 1;
    });
}

int CLumivox5Reg::WriteSettingsBin(QString group, QString name, QByteArray data)
{
    return WriteSettings(group, name, EncodeBin(data));
}

QString CLumivox5Reg::EncodeBin(const QByteArray& data)
{
    return CommaHex(data);
}

QByteArray CLumivox5Reg::DecodeBin(const QString& text)
{
    // Every part gives one byte, an empty or unreadable part a zero byte.
    const QVector<QStringRef> parts = text.splitRef(QLatin1Char(','), Qt::KeepEmptyParts);
    QByteArray data(parts.size(), '\0');
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const qlonglong value = parts.at(i).toLongLong(&ok, 16);
        data[i] = ok ? static_cast<char>(static_cast<uchar>(value & 0xFF)) : '\0';
    }
    return data;
}

QString CLumivox5Reg::f_Cut(const QString& text, int length)
{
    return text.size() > length ? text.left(length) : text;
}

bool CLumivox5Reg::f_SetDamagedFileAside(const QString& path)
{
    // Mended by hand since it was found damaged: use it.
    if (CPlistSettingsFormat::CheckFile(path) != QSettings::FormatError) {
        m_FileStatus = QSettings::NoError;
        return true;
    }
    QString aside = path + QStringLiteral(".damaged");
    for (int number = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++number)
        aside = path + QStringLiteral(".damaged.") + QString::number(number);
    if (!QFile::rename(path, aside)) {
        qCDebug(lcAppData, "settings file [%s] cannot be set aside", qPrintable(path));
        return false;
    }
    return true;
}

void CLumivox5Reg::f_MakePrivateFile(const QString& path)
{
    const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (QFileInfo::exists(path)) {
        // Set before the write: the file that replaces it takes its mode.
        QFile::setPermissions(path, owner);
        return;
    }
    QFile file(path);
    // Empty until the first value is stored.
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        file.setPermissions(owner);
        file.close();
    }
}

// ---------------------------------------------------------------- groups

int CLumivox5Reg::ReadPathSettings()
{
    ReadSettingsString(APPREG_KEY_PATH, APPREG_NAME_PATHEXPORTCSV, &m_PathExportCSV);
    ReadSettingsString(APPREG_KEY_PATH, APPREG_NAME_PATHEXPORTUSERLIST, &m_PathExportUserList);
    return 0;
}

int CLumivox5Reg::WritePathSettings()
{
    // Non-zero when any value of the group could not be stored.
    int result = 0;
    result |= WriteSettings(APPREG_KEY_PATH, APPREG_NAME_PATHEXPORTCSV, m_PathExportCSV);
    result |= WriteSettings(APPREG_KEY_PATH, APPREG_NAME_PATHEXPORTUSERLIST, m_PathExportUserList);
    return result;
}

int CLumivox5Reg::ReadWndSettings()
{
    // A partner value is read only when the value before it was there.
    if (ReadSettingsInt(APPREG_KEY_POSITION, APPREG_NAME_POSMAINX, &m_MainX) == 0
        && ReadSettingsInt(APPREG_KEY_POSITION, APPREG_NAME_POSMAINY, &m_MainY) == 0)
        m_PositionValid = true;
    if (ReadSettingsInt(APPREG_KEY_POSITION, APPREG_NAME_POSMAINW, &m_MainWidth) == 0
        && ReadSettingsInt(APPREG_KEY_POSITION, APPREG_NAME_POSMAINH, &m_MainHeight) == 0)
        m_SizeValid = true;
    if (ReadSettingsInt(APPREG_KEY_POSITION, APPREG_NAME_POSMAINPAIN_LEFTW, &m_MainPainLeftWidth) == 0
        && ReadSettingsInt(APPREG_KEY_POSITION, APPREG_NAME_POSMAINPAIN_TOPH, &m_MainPainTopHeight) == 0
        && ReadSettingsInt(APPREG_KEY_POSITION, APPREG_NAME_POSMAINPAIN_LEFTH, &m_MainPainLeftHeight) == 0)
        m_PainValid = true;
    for (int n = 0; n < 3; ++n) {
        m_SplitterSizes[n].clear();
        QString text;
        if (ReadSettingsString(APPREG_KEY_POSITION, APPREG_NAME_SPLITTERS[n], &text) != 0)
            continue;
        // Stored sizes are whole numbers, none negative; a hidden pane's is
        // 0. Sizes that are not, or that give no pane any room, are not used.
        int room = 0;
        for (const QString& part : text.split(QLatin1Char(','))) {
            bool number = false;
            const int size = part.trimmed().toInt(&number);
            if (!number || size < 0) {
                room = 0;
                break;
            }
            room += size;
            m_SplitterSizes[n].append(size);
        }
        if (room <= 0)
            m_SplitterSizes[n].clear();
    }

    ReadSettingsBoolean(APPREG_KEY_VIEWOPTION, APPREG_NAME_SCHEDULEVISIBLE, &m_ScheduleVisible, m_ScheduleVisible);
    ReadSettingsBoolean(APPREG_KEY_VIEWOPTION, APPREG_NAME_MAINTABVISIBLE, &m_MainTabVisible, m_MainTabVisible);

    const int count = m_pPjListColumnStatus->size();
    QByteArray bytes;
    if (f_ReadColumnArray(APPREG_NAME_COLUMNVISIBLE, 1, &bytes)) {
        for (int id = 0; id < count; ++id) {
            if (CListViewColumnStatus* column = m_pPjListColumnStatus->value(id, nullptr))
                column->m_Visible = bytes.at(id) != 0;
        }
    }
    if (f_ReadColumnArray(APPREG_NAME_COLUMNDISPLAYINDEX, 1, &bytes)) {
        for (int id = 0; id < count; ++id) {
            if (CListViewColumnStatus* column = m_pPjListColumnStatus->value(id, nullptr))
                column->m_DisplayIndex = static_cast<qint8>(bytes.at(id));
        }
    }
    if (f_ReadColumnArray(APPREG_NAME_COLUMNWIDTH, 4, &bytes)) {
        for (int id = 0; id < count; ++id) {
            CListViewColumnStatus* column = m_pPjListColumnStatus->value(id, nullptr);
            if (!column)
                continue;
            quint32 width = 0;
            for (int b = 3; b >= 0; --b)
                width = (width << 8) | static_cast<uchar>(bytes.at(4 * id + b));
            column->m_Width = static_cast<qint32>(width);
        }
    }

    ReadSettingsInt(APPREG_KEY_VIEWPJLIST, APPREG_NAME_SORTID, &m_PjListSortID);
    ReadSettingsBoolean(APPREG_KEY_VIEWPJLIST, APPREG_NAME_SORTASSENDING, &m_PjListSortAssending,
                        m_PjListSortAssending);
    return 0;
}

bool CLumivox5Reg::f_ReadColumnArray(const QString& name, int bytesPerColumn, QByteArray* bytes)
{
    // An array of any other length than the layout's is ignored whole.
    const int count = m_pPjListColumnStatus->size();
    bytes->clear();
    return count > 0 && ReadSettingsBin(APPREG_KEY_VIEWPJLIST, name, *bytes) == 0
        && bytes->size() == bytesPerColumn * count;
}

int CLumivox5Reg::WriteWndSettings()
{
    // Non-zero when any value of the group could not be stored.
    int result = 0;
    result |= WriteSettings(APPREG_KEY_POSITION, APPREG_NAME_POSMAINX, m_MainX);
    result |= WriteSettings(APPREG_KEY_POSITION, APPREG_NAME_POSMAINY, m_MainY);
    result |= WriteSettings(APPREG_KEY_POSITION, APPREG_NAME_POSMAINW, m_MainWidth);
    result |= WriteSettings(APPREG_KEY_POSITION, APPREG_NAME_POSMAINH, m_MainHeight);
    for (int n = 0; n < 3; ++n) {
        if (m_SplitterSizes[n].isEmpty())
            continue;
        QStringList parts;
        for (int size : qAsConst(m_SplitterSizes[n]))
            parts << QString::number(size);
        result |= WriteSettings(APPREG_KEY_POSITION, APPREG_NAME_SPLITTERS[n], parts.join(QLatin1Char(',')));
    }
    result |= WriteSettings(APPREG_KEY_VIEWOPTION, APPREG_NAME_MAINTABVISIBLE, m_MainTabVisible);

    const int count = m_pPjListColumnStatus->size();
    QByteArray visible(count, '\0');
    QByteArray displayIndex(count, '\0');
    QByteArray width(4 * count, '\0');
    for (int id = 0; id < count; ++id) {
        const CListViewColumnStatus* column = m_pPjListColumnStatus->value(id, nullptr);
        if (!column)
            continue;
        visible[id] = column->m_Visible ? 1 : 0;
        displayIndex[id] = static_cast<char>(static_cast<quint32>(column->m_DisplayIndex) & 0xFF);
        const quint32 pixels = static_cast<quint32>(column->m_Width);
        for (int b = 0; b < 4; ++b)
            width[4 * id + b] = static_cast<char>((pixels >> (8 * b)) & 0xFF);
    }
    result |= WriteSettingsBin(APPREG_KEY_VIEWPJLIST, APPREG_NAME_COLUMNVISIBLE, visible);
    result |= WriteSettingsBin(APPREG_KEY_VIEWPJLIST, APPREG_NAME_COLUMNDISPLAYINDEX, displayIndex);
    result |= WriteSettingsBin(APPREG_KEY_VIEWPJLIST, APPREG_NAME_COLUMNWIDTH, width);
    result |= WriteSettings(APPREG_KEY_VIEWPJLIST, APPREG_NAME_SORTID, m_PjListSortID);
    result |= WriteSettings(APPREG_KEY_VIEWPJLIST, APPREG_NAME_SORTASSENDING, m_PjListSortAssending);
    return result;
}

int CLumivox5Reg::ReadMailSettings()
{
    CMailSettings& mail = *m_pMailSettings;
    QList<QString> recipients;
    for (const QString& name : { APPREG_NAME_MAILRECIPIENT1, APPREG_NAME_MAILRECIPIENT2,
                                 APPREG_NAME_MAILRECIPIENT3 }) {
        QString recipient;
        if (ReadSettingsString(APPREG_KEY_MAIL, name, &recipient) == 0)
            recipients.append(recipient);
    }
    mail.m_Recipients = recipients;

    if (ReadSettingsString(APPREG_KEY_MAIL, APPREG_NAME_MAILCOMMENT, &mail.m_Comment) == 0)
        mail.m_Comment = f_Cut(mail.m_Comment, MAIL_COMMENT_MAX);
    ReadSettingsBoolean(APPREG_KEY_MAIL, APPREG_NAME_MAILENABLED, &mail.m_Enabled, mail.m_Enabled);
    ReadSettingsString(APPREG_KEY_MAIL, APPREG_NAME_MAILSMTPSERVER, &mail.m_SMTPServer);
    ReadSettingsString(APPREG_KEY_MAIL, APPREG_NAME_MAILPOP3SERVER, &mail.m_POP3Server);
    ReadSettingsString(APPREG_KEY_MAIL, APPREG_NAME_MAILUSER, &mail.m_User);
    ReadSettingsString(APPREG_KEY_MAIL, APPREG_NAME_MAILPASS, &mail.m_Pass);
    ReadSettingsString(APPREG_KEY_MAIL, APPREG_NAME_MAILSENDER, &mail.m_Sender);
    int authority = mail.m_Authority;
    if (ReadSettingsInt(APPREG_KEY_MAIL, APPREG_NAME_MAILAUTHORITY, &authority) == 0)
        mail.m_Authority = (authority >= 0 && authority <= 2) ? authority : 0;
    ReadSettingsBoolean(APPREG_KEY_MAIL, APPREG_NAME_MAILSSL, &mail.m_SMTPOverSSL, mail.m_SMTPOverSSL);
    return 0;
}

int CLumivox5Reg::WriteMailSettings()
{
    // Non-zero when any value of the group could not be stored.
    int result = 0;
    const CMailSettings& mail = *m_pMailSettings;
    const QString names[] = { APPREG_NAME_MAILRECIPIENT1, APPREG_NAME_MAILRECIPIENT2,
                              APPREG_NAME_MAILRECIPIENT3 };
    // Only the recipients there are: a stored empty text would read back as
    // a recipient, and one left from an earlier list would come back.
    for (int i = 0; i < 3; ++i)
        result |= WriteSettings(APPREG_KEY_MAIL, names[i],
                                i < mail.m_Recipients.size() ? QVariant(mail.m_Recipients.at(i)) : QVariant());
    result |= WriteSettings(APPREG_KEY_MAIL, APPREG_NAME_MAILCOMMENT, mail.m_Comment);
    result |= WriteSettings(APPREG_KEY_MAIL, APPREG_NAME_MAILENABLED, mail.m_Enabled);
    result |= WriteSettings(APPREG_KEY_MAIL, APPREG_NAME_MAILSMTPSERVER, mail.m_SMTPServer);
    result |= WriteSettings(APPREG_KEY_MAIL, APPREG_NAME_MAILPOP3SERVER, mail.m_POP3Server);
    result |= WriteSettings(APPREG_KEY_MAIL, APPREG_NAME_MAILUSER, mail.m_User);
    result |= WriteSettings(APPREG_KEY_MAIL, APPREG_NAME_MAILPASS, mail.m_Pass);
    result |= WriteSettings(APPREG_KEY_MAIL, APPREG_NAME_MAILSENDER, mail.m_Sender);
    result |= WriteSettings(APPREG_KEY_MAIL, APPREG_NAME_MAILAUTHORITY, mail.m_Authority);
    result |= WriteSettings(APPREG_KEY_MAIL, APPREG_NAME_MAILSSL, mail.m_SMTPOverSSL);
    return result;
}

int CLumivox5Reg::ReadScheduleSettings()
{
    QByteArray days;
    if (ReadSettingsBin(APPREG_KEY_SCHEDULE, APPREG_NAME_SCHEDULENOOPE, days) == 0) {
        // Only adds days; bytes past 2050-12-31 have no day.
        const int count = qMin(days.size(), static_cast<int>(NO_OPERATING_DAYS));
        for (int day = 0; day < count; ++day) {
            if (days.at(day) != 0)
                m_pNoOperatingDate->Add(day);
        }
    }
    ReadSettingsString(APPREG_KEY_SCHEDULE, APPREG_NAME_SCHEDULE_FILEPATH, &m_ScheduleFilePath);
    ReadSettingsBoolean(APPREG_KEY_SCHEDULE, APPREG_NAME_AUTOEXECUTESCHEDULE, &m_AutoExecuteSchedule,
                        m_AutoExecuteSchedule);
    return 0;
}

int CLumivox5Reg::WriteScheduleSettings()
{
    // Non-zero when any value of the group could not be stored.
    int result = 0;
    QByteArray days(NO_OPERATING_DAYS, '\0');
    for (int day = 0; day < NO_OPERATING_DAYS; ++day) {
        if (m_pNoOperatingDate->IsNoOperatingDate(day))
            days[day] = 1;
    }
    result |= WriteSettingsBin(APPREG_KEY_SCHEDULE, APPREG_NAME_SCHEDULENOOPE, days);
    result |= WriteSettings(APPREG_KEY_SCHEDULE, APPREG_NAME_SCHEDULE_FILEPATH, m_ScheduleFilePath);
    return result;
}

int CLumivox5Reg::WriteScheduleAutoExecute()
{
    // Non-zero when any value of the group could not be stored.
    int result = 0;
    result |= WriteSettings(APPREG_KEY_SCHEDULE, APPREG_NAME_AUTOEXECUTESCHEDULE, m_AutoExecuteSchedule);
    return result;
}

int CLumivox5Reg::ReadOptionSettings()
{
    // The resident flag is not read: every start begins non-resident.
    COptionSettings& option = *m_pOptionSettings;
    ReadSettingsBoolean(APPREG_KEY_OPTION, APPREG_NAME_OPTSAVELOG, &option.m_SaveLog, option.m_SaveLog);
    if (ReadSettingsString(APPREG_KEY_OPTION, APPREG_NAME_OPTSAVELOGPATH, &option.m_SaveLogPath) == 0)
        option.m_SaveLogPath = f_Cut(option.m_SaveLogPath, LOG_PATH_MAX);
    ReadSettingsBoolean(APPREG_KEY_OPTION, APPREG_NAME_OPTSAVEEVENTLOG, &option.m_SaveEventLog,
                        option.m_SaveEventLog);
    if (ReadSettingsString(APPREG_KEY_OPTION, APPREG_NAME_OPTSAVEEVENTLOGPATH, &option.m_SaveEventLogPath) == 0)
        option.m_SaveEventLogPath = f_Cut(option.m_SaveEventLogPath, LOG_PATH_MAX);
    ReadSettingsBoolean(APPREG_KEY_OPTION, APPREG_NAME_OPTSAVESCHEDULELOG, &option.m_SaveScheduleLog,
                        option.m_SaveScheduleLog);
    if (ReadSettingsString(APPREG_KEY_OPTION, APPREG_NAME_OPTSAVESCHEDULELOGPATH,
                           &option.m_SaveScheduleLogPath) == 0)
        option.m_SaveScheduleLogPath = f_Cut(option.m_SaveScheduleLogPath, LOG_PATH_MAX);
    ReadSettingsBoolean(APPREG_KEY_OPTION, APPREG_NAME_OPTAUTOUPDATE, &option.m_AutoUpdate, option.m_AutoUpdate);
    ReadSettingsInt(APPREG_KEY_OPTION, APPREG_NAME_OPTAUTOUPDATEINTERVAL, &option.m_AutoUpdateInterval);
    ReadSettingsBoolean(APPREG_KEY_OPTION, APPREG_NAME_OPTIMPORT, &option.m_Import, option.m_Import);
    if (ReadSettingsString(APPREG_KEY_OPTION, APPREG_NAME_OPTIMPORTPATH, &option.m_ImportPath) == 0)
        option.m_ImportPath = f_Cut(option.m_ImportPath, IMPORT_PATH_MAX);
    return 0;
}

int CLumivox5Reg::WriteOptionSettings()
{
    // Non-zero when any value of the group could not be stored.
    int result = 0;
    const COptionSettings& option = *m_pOptionSettings;
    result |= WriteSettings(APPREG_KEY_OPTION, APPREG_NAME_OPTRESIDENT, option.m_Resident);
    result |= WriteSettings(APPREG_KEY_OPTION, APPREG_NAME_OPTSAVELOG, option.m_SaveLog);
    result |= WriteSettings(APPREG_KEY_OPTION, APPREG_NAME_OPTAUTOUPDATE, option.m_AutoUpdate);
    result |= WriteSettings(APPREG_KEY_OPTION, APPREG_NAME_OPTSAVELOGPATH, option.m_SaveLogPath);
    result |= WriteSettings(APPREG_KEY_OPTION, APPREG_NAME_OPTAUTOUPDATEINTERVAL, option.m_AutoUpdateInterval);
    result |= WriteSettings(APPREG_KEY_OPTION, APPREG_NAME_OPTSAVESCHEDULELOG, option.m_SaveScheduleLog);
    result |= WriteSettings(APPREG_KEY_OPTION, APPREG_NAME_OPTSAVESCHEDULELOGPATH, option.m_SaveScheduleLogPath);
    result |= WriteSettings(APPREG_KEY_OPTION, APPREG_NAME_OPTIMPORT, option.m_Import);
    result |= WriteSettings(APPREG_KEY_OPTION, APPREG_NAME_OPTIMPORTPATH, option.m_ImportPath);
    result |= WriteSettings(APPREG_KEY_OPTION, APPREG_NAME_OPTSAVEEVENTLOG, option.m_SaveEventLog);
    result |= WriteSettings(APPREG_KEY_OPTION, APPREG_NAME_OPTSAVEEVENTLOGPATH, option.m_SaveEventLogPath);
    return result;
}

int CLumivox5Reg::ReadOfflineModeSettings()
{
    ReadSettingsBoolean(APPREG_KEY_OFFLINE_MODE, APPREG_NAME_OFFLINEMENU, &m_OfflineMenu, m_OfflineMenu);
    ReadSettingsBoolean(APPREG_KEY_OFFLINE_MODE, APPREG_NAME_OFFLINEOFFLINE, &m_Offline, m_Offline);
    return 0;
}

int CLumivox5Reg::WriteOfflineModeSettings()
{
    // Non-zero when any value of the group could not be stored.
    int result = 0;
    result |= WriteSettings(APPREG_KEY_OFFLINE_MODE, APPREG_NAME_OFFLINEMENU, m_OfflineMenu);
    result |= WriteSettings(APPREG_KEY_OFFLINE_MODE, APPREG_NAME_OFFLINEOFFLINE, m_Offline);
    return result;
}

int CLumivox5Reg::ReadStartAppSettings()
{
    for (int slot = 0; slot < START_APP_SLOTS; ++slot) {
        const QString number = QString::number(slot);
        QStringList entry;
        QString text;
        if (ReadSettingsString(APPREG_KEY_START_APPDATA, APPREG_NAME_START_APP_DISPLAYNAME + number, &text) == 0
            && !text.isEmpty())
            entry.append(text);
        text.clear();
        if (ReadSettingsString(APPREG_KEY_START_APPDATA, APPREG_NAME_START_APP_PATH + number, &text) == 0
            && !text.isEmpty())
            entry.append(text);
        text.clear();
        if (ReadSettingsString(APPREG_KEY_START_APPDATA, APPREG_NAME_START_APP_ARGUMENTS + number, &text) == 0)
            entry.append(text);
        // A slot without a name or a path is no entry.
        if (entry.size() == 3)
            m_pStartAppList->append(entry);
    }
    return 0;
}

int CLumivox5Reg::WriteStartAppSettings()
{
    // Non-zero when any value of the group could not be stored.
    int result = 0;
    for (int slot = 0; slot < START_APP_SLOTS; ++slot) {
        const QString number = QString::number(slot);
        const QStringList entry = m_pStartAppList->value(slot);
        result |= WriteSettings(APPREG_KEY_START_APPDATA, APPREG_NAME_START_APP_DISPLAYNAME + number, entry.value(0));
        result |= WriteSettings(APPREG_KEY_START_APPDATA, APPREG_NAME_START_APP_PATH + number, entry.value(1));
        result |= WriteSettings(APPREG_KEY_START_APPDATA, APPREG_NAME_START_APP_ARGUMENTS + number, entry.value(2));
    }
    return result;
}

// ---------------------------------------------------------------- whole store

bool CLumivox5Reg::Read()
{
    m_FileStatus = CPlistSettingsFormat::CheckFile(SettingsFilePath());
    if (m_FileStatus != QSettings::NoError)
        qCDebug(lcAppData, "settings file [%s] cannot be read (status %d)", qPrintable(SettingsFilePath()),
               static_cast<int>(m_FileStatus));
    ReadPathSettings();
    ReadWndSettings();
    ReadMailSettings();
    ReadScheduleSettings();
    ReadOptionSettings();
    ReadOfflineModeSettings();
    ReadStartAppSettings();
    return false;
}

bool CLumivox5Reg::Write(int mask)
{
    // The groups' values are gathered and stored in one pass: the file is
    // read and replaced once, not once per value.
    QList<QPair<QString, QVariant>> pending;
    struct Gathering {
        QList<QPair<QString, QVariant>>** m_Target;
        ~Gathering() { *m_Target = nullptr; }
    } gathering{&m_pPendingValues};
    m_pPendingValues = &pending;

    // True when any group failed, not only the last one written.
    bool result = false;
    if (mask & REG_OPTION)
        result |= WriteOptionSettings() != 0;
    if (mask & REG_PATH)
        result |= WritePathSettings() != 0;
    if (mask & REG_WINDOW)
        result |= WriteWndSettings() != 0;
    if (mask & REG_MAIL)
        result |= WriteMailSettings() != 0;
    if (mask & REG_SCHEDULE)
        result |= WriteScheduleSettings() != 0;
    if (mask == REG_AUTO_EXECUTE) {
        result |= WriteScheduleAutoExecute() != 0;
    } else {
        if (mask & REG_OFFLINE_MODE)
            result |= WriteOfflineModeSettings() != 0;
        if (mask & REG_START_APP)
            result |= WriteStartAppSettings() != 0;
    }
    m_pPendingValues = nullptr;
    if (!pending.isEmpty())
        result |= f_StoreValues(pending) != 0;
    return result;
}

void CLumivox5Reg::SetPjListColumnStatus(QMap<int, CListViewColumnStatus*>& columns)
{
    CListViewColumnStatus::CopyColumns(columns, m_pPjListColumnStatus);
}

int CLumivox5Reg::ReadPortNames(QStringList* ports)
{
    Q_UNUSED(ports);
    return 0;
}
