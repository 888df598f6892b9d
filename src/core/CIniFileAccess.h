#ifndef CINIFILEACCESS_H
#define CINIFILEACCESS_H

#include <QHash>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include "IniData.h"

// The one reader and writer of the INI files: the model profile file, the user
// list and the schedule file. A file is held as an ordered list of line records
// with a section index; edits change the records at once and are written back
// on request, merged into the file then on disk or written over it.
//
// Null and empty strings differ: a null section, key or value in an edit asks
// for a deletion, an empty one is an ordinary name or value.
//
// Not thread-safe: each user keeps its own accessor.
class CIniFileAccess
{
public:
    static const QString CODEPAGE_DEFAULT;
    static const QString CODEPAGE_SHIFTJIS;
    static const QString CODEPAGE_UTF16;
    static const QString CODEPAGE_UTF8;

    CIniFileAccess();
    explicit CIniFileAccess(const QString& path);
    CIniFileAccess(const QString& path, const QString& codePage);
    explicit CIniFileAccess(const CIniFileAccess* other);
    ~CIniFileAccess();

    // The records are owned by pointer; copies go through the pointer form.
    CIniFileAccess(const CIniFileAccess&) = delete;
    CIniFileAccess& operator=(const CIniFileAccess&) = delete;

    // 0 also for a missing or unreadable file (the accessor is then empty);
    // -1 when the read failed by an exception.
    int ReadIniFile(const QString& path);
    void f_Copy(const CIniFileAccess* other);

    // What a write needs of an accessor, as values, for a writer on another
    // thread. The strings are implicitly shared: taking a snapshot costs a
    // reference per string, not a copy, and the accessor may be edited at
    // once, as an edit detaches the accessor's own string, never the
    // snapshot's (the reference counts are atomic). The thread that takes it
    // hands it over whole and touches it no more; the writer builds an
    // accessor of its own from it.
    struct Snapshot
    {
        QVector<IniData> lines;
        QMap<QString, int> sectionIndex;
        QList<QStringList> deleteList;
        QString codePage;
        QString path;
        bool deleting = false;
    };
    Snapshot f_Snapshot() const;
    explicit CIniFileAccess(const Snapshot& snapshot);

    void GetIniString(const QString& section, const QString& key, const QString& defaultValue,
                      QString* result) const;
    int GetIniInt(const QString& section, const QString& key, int defaultValue) const;
    void GetIniKeys(const QString& section, QStringList& keys) const;
    // The names of the sections held, in file order, each as first spelled.
    void GetIniSections(QStringList& sections) const;

    // 0 done; -1 refused, nothing changed (a name that would read back as
    // another section, key or comment, as a write reports what it cannot
    // write); 2 an exception ended the edit. A section found regardless of
    // case takes the edit: a key is never held twice under two spellings.
    int SetIniString(const QString& section, const QString& key, const QString& value, bool quoted);
    int SetIniString(const QString& section, const QString& key, const QString& value);
    int SetIniInt(const QString& section, const QString& key, int value);

    // 0 written; 1 written, but some character has no form in the code page
    // (it was replaced); 2 an exception ended the write; -1 not written (the
    // file, its folder or the code page could not be used), the previous file
    // being left as it was.
    int WriteIniFile(const QString& path, bool withoutMerge, const QString& codePage);
    int WriteIniFile(const QString& path, const QString& codePage);
    int WriteIniFile(const QString& path);
    // A string literal would otherwise take the bool form below.
    int WriteIniFile(const char* path);
    int WriteIniFile(bool withoutMerge);
    int WriteIniFile();

private:
    friend class tst_CIniFileAccess;

    typedef QList<IniData*> IniList;
    typedef QMap<QString, int> IniIndex;
    typedef QPair<QString, QString> SectionKey;

    // First record (in list order) of one key of a section (its name in upper
    // case), and how many records carry that pair, so that lookups need no scan.
    struct KeyEntry
    {
        IniData* first = nullptr;
        int count = 0;
    };
    // A new key waiting to go into the list ahead of the record at `before`;
    // `sectionPos` is where its section starts. Positions do not move while
    // keys wait, so a run of additions costs one pass over the list.
    struct PendingKey
    {
        int before = 0;
        int sectionPos = 0;
        IniData* record = nullptr;
    };
    struct KeyTable
    {
        QHash<SectionKey, KeyEntry> keys;
        // The record last appended at the very end of the list; while it is
        // still the last record, a new key of its section goes after it.
        IniData* tail = nullptr;
        // In the order added; owned until they are settled into the list.
        QVector<PendingKey> pending;
    };

    int f_ReadIniFile(const QString& filePath, QString& fileText, IniList* list, IniIndex* sectionIndex);
    void f_FileToIni(const QString& fileText, IniList* list, IniIndex* sectionIndex);
    static QString f_GetFeedCode(const QString& fileText);
    static QString f_LineToSection(const QString& line);
    static bool f_LineToKey(const QString& line, QString* key, QString* value);
    // `upper` is the section's name in upper case (the index's spelling),
    // given where the caller has it so that it is not made again per line.
    void f_AddIniData(const QString& section, const QString& key, const QString& value, IniList* list,
                      bool quoted, const QString& upper);

    // The one edit: its steps below update, insert or delete.
    int f_SetIniString(const QString& section, const QString& key, const QString& value, IniList* list,
                       IniIndex* sectionIndex, bool quoted);
    static bool f_IsWritableName(const QString& section, const QString& key);
    static QString f_KeyText(const QString& key);
    static QString f_ValueText(const QString& value, bool quoted);
    static QString f_PlainLineText(const QString& line);
    static void f_UpdateRecord(IniData* record, const QString& value, bool quoted);
    void f_FindInRun(const QString& section, const QString& upper, const QString& key, int sectionPos,
                     const IniList* list, int* matchPos, int* insertPos) const;
    void f_InsertKey(const QString& section, const QString& upper, const QString& key, const QString& value,
                     bool quoted, int sectionPos, IniList* list, IniIndex* sectionIndex);
    void f_DeleteKey(const QString& section, const QString& key, int sectionPos, IniList* list,
                     IniIndex* sectionIndex);
    void f_AddDeleteList(const QString& section, const QString& key);
    void f_ExecuteDeleteList(IniList* list, IniIndex* sectionIndex);
    void f_IniToFile(QString* output, const IniList* list) const;

    KeyTable& f_KeyTable(const IniList* list) const;
    IniIndex* f_IndexOf(const IniList* list) const;
    // Puts the waiting keys into the list and moves the index with them;
    // everything that reads positions settles first.
    void f_Settle(const IniList* list) const;
    void f_InsertRecord(IniList* list, int position, IniData* record);
    void f_InsertRecord(IniList* list, int position, IniData* record, const QString& upper);
    void f_RemoveRecord(IniList* list, int position);
    void f_ClearList(IniList* list, IniIndex* sectionIndex);
    void f_CopyList(const IniList* from, IniList* to);
    void f_DeleteSection(const QString& section, int sectionPosition, IniList* list, IniIndex* sectionIndex);
    void f_LayOver();

    QString path;
    QString text;
    IniList* lines;
    IniIndex* index;
    QString codePage;
    QString outText;
    IniList* writeLines;
    IniIndex* writeIndex;
    QList<QStringList> deleteList;
    bool deleting;

    mutable KeyTable lineKeys;
    mutable KeyTable writeKeys;
};

#endif // CINIFILEACCESS_H
