#ifndef CLUMIVOX5REG_H
#define CLUMIVOX5REG_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

class CListViewColumnStatus;
class CMailSettings;
class CNoOperatingDate;
class COptionSettings;

// The persistent user settings in "Lumivox 5.plist" beside the executable: an
// in-memory record of every setting, read once at start and written group by
// group. The file is opened for every single value and closed again, so
// nothing stays open between operations.
class CLumivox5Reg
{
public:
    // Groups of Write(mask).
    enum WRITE_MASK {
        REG_OPTION = 0x001,
        REG_PATH = 0x002,
        REG_WINDOW = 0x01C,
        REG_MAIL = 0x020,
        REG_SCHEDULE = 0x0C0,
        REG_OFFLINE_MODE = 0x100,
        REG_AUTO_EXECUTE = 0x200,
        REG_START_APP = 0x400,
        REG_ALL = -1
    };

    // Days of the no-operating table, 2000-01-01 to 2050-12-31.
    static const int NO_OPERATING_DAYS = 18628;
    // Slots of the launch list in the file.
    static const int START_APP_SLOTS = 10;
    // Lengths a text read from the file is cut to.
    static const int MAIL_COMMENT_MAX = 1000;
    static const int LOG_PATH_MAX = 242;
    static const int IMPORT_PATH_MAX = 259;

    static const QString APPREG_FILE_NAME;
    static const QString APPREG_KEY_BASEPATH;
    static const QString APPREG_KEY_OPTION;
    static const QString APPREG_KEY_PATH;
    static const QString APPREG_KEY_POSITION;
    static const QString APPREG_KEY_VIEWOPTION;
    static const QString APPREG_KEY_VIEWPJLIST;
    static const QString APPREG_KEY_MAIL;
    static const QString APPREG_KEY_SCHEDULE;
    static const QString APPREG_KEY_OFFLINE_MODE;
    static const QString APPREG_KEY_START_APPDATA;

    static const QString APPREG_NAME_PATHEXPORTCSV;
    static const QString APPREG_NAME_PATHEXPORTUSERLIST;
    static const QString APPREG_NAME_POSMAINX;
    static const QString APPREG_NAME_POSMAINY;
    static const QString APPREG_NAME_POSMAINW;
    static const QString APPREG_NAME_POSMAINH;
    // The main window's three splitters, each as its pane sizes ("240,560"):
    // the left and right column, the left column's panes, the right column's.
    static const QString APPREG_NAME_SPLITTERS[3];
    static const QString APPREG_NAME_POSMAINPAIN_LEFTW;
    static const QString APPREG_NAME_POSMAINPAIN_TOPH;
    static const QString APPREG_NAME_POSMAINPAIN_LEFTH;
    static const QString APPREG_NAME_SCHEDULEVISIBLE;
    static const QString APPREG_NAME_MAINTABVISIBLE;
    static const QString APPREG_NAME_COLUMNVISIBLE;
    static const QString APPREG_NAME_COLUMNDISPLAYINDEX;
    static const QString APPREG_NAME_COLUMNWIDTH;
    static const QString APPREG_NAME_SORTID;
    static const QString APPREG_NAME_SORTASSENDING;
    static const QString APPREG_NAME_MAILRECIPIENT1;
    static const QString APPREG_NAME_MAILRECIPIENT2;
    static const QString APPREG_NAME_MAILRECIPIENT3;
    static const QString APPREG_NAME_MAILCOMMENT;
    static const QString APPREG_NAME_MAILENABLED;
    static const QString APPREG_NAME_MAILSMTPSERVER;
    static const QString APPREG_NAME_MAILPOP3SERVER;
    static const QString APPREG_NAME_MAILUSER;
    static const QString APPREG_NAME_MAILPASS;
    static const QString APPREG_NAME_MAILSENDER;
    static const QString APPREG_NAME_MAILAUTHORITY;
    static const QString APPREG_NAME_MAILSSL;
    static const QString APPREG_NAME_SCHEDULENOOPE;
    static const QString APPREG_NAME_SCHEDULE_FILEPATH;
    static const QString APPREG_NAME_AUTOEXECUTESCHEDULE;
    static const QString APPREG_NAME_OPTRESIDENT;
    static const QString APPREG_NAME_OPTSAVELOG;
    static const QString APPREG_NAME_OPTSAVELOGPATH;
    static const QString APPREG_NAME_OPTAUTOUPDATE;
    static const QString APPREG_NAME_OPTAUTOUPDATEINTERVAL;
    static const QString APPREG_NAME_OPTIMPORT;
    static const QString APPREG_NAME_OPTIMPORTPATH;
    static const QString APPREG_NAME_OPTSAVESCHEDULELOG;
    static const QString APPREG_NAME_OPTSAVESCHEDULELOGPATH;
    static const QString APPREG_NAME_OPTSAVEEVENTLOG;
    static const QString APPREG_NAME_OPTSAVEEVENTLOGPATH;
    static const QString APPREG_NAME_OFFLINEMENU;
    static const QString APPREG_NAME_OFFLINEOFFLINE;
    static const QString APPREG_NAME_START_APP_DISPLAYNAME;
    static const QString APPREG_NAME_START_APP_PATH;
    static const QString APPREG_NAME_START_APP_ARGUMENTS;

    CLumivox5Reg();
    ~CLumivox5Reg();

    // The settings file: the program folder + "/Lumivox 5.plist".
    static QString SettingsFilePath();

    // State of the settings file as the store last found it (Read(), a
    // value read or a value written):
    // NoError, FormatError (the file cannot be parsed; it is left as it is
    // until settings are written, and then kept beside the new file as
    // "Lumivox 5.plist.damaged", or ".damaged.2" and so on when that name is
    // taken) or AccessError (it cannot be read or written).
    QSettings::Status GetFileStatus() const { return m_FileStatus; }

    // Generic value access. The readers return 0 when the key was present and
    // 1 when it was absent (the output then stays as it was, except for the
    // boolean reader, which first sets the default).
    QVariant ReadSettings(QString group, QString name);
    int ReadSettingsString(QString group, QString name, QString* out);
    int ReadSettingsInt(QString group, QString name, int* out);
    int ReadSettingsBoolean(QString group, QString name, bool* out, bool defaultValue);
    int ReadSettingsBin(QString group, QString name, QByteArray& out);
    int ReadSettingsStringList(QString group, QString name, QStringList* out);
    // 0 when the value reached the file, 1 when it could not be stored. An
    // invalid value removes the key.
    int WriteSettings(QString group, QString name, QVariant value);
    int WriteSettingsBin(QString group, QString name, QByteArray data);

    // Group operations; each returns 0.
    int ReadPathSettings();
    int WritePathSettings();
    int ReadWndSettings();
    int WriteWndSettings();
    int ReadMailSettings();
    int WriteMailSettings();
    int ReadScheduleSettings();
    int WriteScheduleSettings();
    int WriteScheduleAutoExecute();
    int ReadOptionSettings();
    int WriteOptionSettings();
    int ReadOfflineModeSettings();
    int WriteOfflineModeSettings();
    int ReadStartAppSettings();
    int WriteStartAppSettings();

    // Reads every group into the record; returns false.
    bool Read();
    // Writes the groups of `mask` (WRITE_MASK bits); 0x200 alone writes only
    // the schedule auto-execute flag, and no other mask writes it.
    bool Write(int mask);

    // The record's columns become copies of `columns` (ids 0 to N-1).
    void SetPjListColumnStatus(QMap<int, CListViewColumnStatus*>& columns);
    int ReadPortNames(QStringList* ports);

    // Byte arrays in the file: upper-case hex pairs joined by ",".
    static QString EncodeBin(const QByteArray& data);
    static QByteArray DecodeBin(const QString& text);

    QString m_PathExportCSV;
    QString m_PathExportUserList;
    qint32 m_MainX;
    qint32 m_MainY;
    qint32 m_MainWidth;
    qint32 m_MainHeight;
    qint32 m_MainPainLeftWidth;
    qint32 m_MainPainLeftHeight;
    qint32 m_MainPainTopHeight;
    // Pane sizes of the three splitters (APPREG_NAME_SPLITTERS order);
    // empty when none were stored.
    QList<int> m_SplitterSizes[3];
    bool m_OfflineMenu;
    bool m_Offline;
    bool m_ScheduleVisible;
    bool m_MainTabVisible;
    CMailSettings* m_pMailSettings;
    QMap<int, CListViewColumnStatus*>* m_pPjListColumnStatus;
    qint32 m_PjListSortID;
    bool m_PjListSortAssending;
    COptionSettings* m_pOptionSettings;
    CNoOperatingDate* m_pNoOperatingDate;
    QString m_ScheduleFilePath;
    bool m_AutoExecuteSchedule;
    QList<QStringList>* m_pStartAppList;
    bool m_PositionValid;
    bool m_SizeValid;
    bool m_PainValid;

private:
    Q_DISABLE_COPY(CLumivox5Reg)

    // Keeps a damaged file beside the new one, under the first free name of
    // ".damaged", ".damaged.2", ".damaged.3" ... so that no earlier copy is
    // lost; false when it cannot.
    bool f_SetDamagedFileAside(const QString& path);
    // The settings file holds the mail password: only its owner may read it,
    // whatever mode it was given since it was created.
    static void f_MakePrivateFile(const QString& path);
    static QString f_Cut(const QString& text, int length);
    // The column array `name`, when it holds bytesPerColumn bytes for every column.
    bool f_ReadColumnArray(const QString& name, int bytesPerColumn, QByteArray* bytes);
    // Stores the values (key, value) in one pass over the file: one opening,
    // one safe replacement; 0, or 1 when they could not be stored.
    int f_StoreValues(const QList<QPair<QString, QVariant>>& values);

    QSettings::Status m_FileStatus;
    // While Write() runs: the values of its groups, stored together at its end.
    QList<QPair<QString, QVariant>>* m_pPendingValues;
};

#endif // CLUMIVOX5REG_H
