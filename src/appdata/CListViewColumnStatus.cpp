#include "CListViewColumnStatus.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

struct ColumnDefinition {
    const char* key;
    int width;
    bool visible;
};

// The projector list's columns in id order.
const ColumnDefinition builtInColumns[CListViewColumnStatus::COLUMN_COUNT] = {
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnPjError"), 28, true },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnConnectError"), 28, true },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnPjName"), 131, false },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnSettingName"), 120, true },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnDevice"), 60, false },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnSetting"), 130, true },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnPort"), 60, false },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnModelName"), 120, false },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnStatus"), 100, true },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnPictureMute"), 75, false },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnSoundMute"), 75, false },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnOSDMute"), 75, false },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnLampMode"), 100, true },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnLampTime"), 48, true },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnLamp2Time"), 48, false },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnFilterUsage"), 48, true },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnInputTerminal"), 190, true },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnMACAddress"), 150, true },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnMACAddress2"), 150, false },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnMACAddress3"), 150, false },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnLensCoverState"), 76, false },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnSerialNumber"), 120, true },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnComment"), 76, false },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnLastUpdate"), 170, false },
    { QT_TRANSLATE_NOOP("CLumivox5Data", "MainPjListColumnRemark"), 200, false },
};

} // namespace

CListViewColumnStatus::CListViewColumnStatus(int id, const QString& title, int width,
                                             int displayIndex, bool visible)
    : QObject(nullptr)
    , m_ID(id)
    , m_Title(title)
    , m_Width(width)
    , m_DisplayIndex(displayIndex)
    , m_Visible(visible)
{
}

CListViewColumnStatus::CListViewColumnStatus(int id, const QString& title, int width)
    : CListViewColumnStatus(id, title, width, id, true)
{
}

CListViewColumnStatus::CListViewColumnStatus(QObject* parent)
    : QObject(parent)
    , m_ID(0)
    , m_Width(0)
    , m_DisplayIndex(0)
    , m_Visible(false)
{
}

CListViewColumnStatus::CListViewColumnStatus(CListViewColumnStatus* other)
    : CListViewColumnStatus(static_cast<QObject*>(nullptr))
{
    if (other) {
        m_ID = other->m_ID;
        m_Title = other->m_Title;
        m_Width = other->m_Width;
        m_DisplayIndex = other->m_DisplayIndex;
        m_Visible = other->m_Visible;
    }
}

CListViewColumnStatus::~CListViewColumnStatus()
{
}

void CListViewColumnStatus::f_AddPjListColumns(ColumnMap* columns, int id, const QString& title,
                                               int width, int displayIndex, bool visible)
{
    if (!columns)
        return;
    CListViewColumnStatus* replaced = columns->value(id, nullptr);
    columns->insert(id, new CListViewColumnStatus(id, title, width, displayIndex, visible));
    delete replaced;
}

void CListViewColumnStatus::f_AddPjListColumns(ColumnMap* columns, const QString& title, int width,
                                               int displayIndex, bool visible)
{
    if (!columns)
        return;
    f_AddPjListColumns(columns, columns->size(), title, width, displayIndex, visible);
}

void CListViewColumnStatus::f_MakePjListColumns(ColumnMap* columns)
{
    if (!columns)
        return;
    DeleteColumns(columns);
    for (int id = 0; id < COLUMN_COUNT; ++id) {
        const ColumnDefinition& column = builtInColumns[id];
        f_AddPjListColumns(columns, QCoreApplication::translate("CLumivox5Data", column.key),
                           column.width, id, column.visible);
    }
}

void CListViewColumnStatus::f_TranslatePjListColumns(ColumnMap* columns)
{
    if (!columns)
        return;
    for (CListViewColumnStatus* column : qAsConst(*columns)) {
        if (column && column->m_ID >= 0 && column->m_ID < COLUMN_COUNT)
            column->m_Title = QCoreApplication::translate("CLumivox5Data", builtInColumns[column->m_ID].key);
    }
}

void CListViewColumnStatus::DeleteColumns(ColumnMap* columns)
{
    if (!columns)
        return;
    qDeleteAll(*columns);
    columns->clear();
}

void CListViewColumnStatus::CopyColumns(const ColumnMap& source, ColumnMap* target)
{
    if (!target || &source == target)
        return;
    DeleteColumns(target);
    for (CListViewColumnStatus* column : source) {
        if (!column)
            continue;
        CListViewColumnStatus* copy = new CListViewColumnStatus(column);
        delete target->value(copy->m_ID, nullptr);
        target->insert(copy->m_ID, copy);
    }
}

QList<CListViewColumnStatus*> CListViewColumnStatus::SortedByDisplayIndex(QList<CListViewColumnStatus*> records)
{
    records.removeAll(nullptr);
    std::stable_sort(records.begin(), records.end(), [](CListViewColumnStatus* a, CListViewColumnStatus* b) {
        return a->m_DisplayIndex != b->m_DisplayIndex ? a->m_DisplayIndex < b->m_DisplayIndex : a->m_ID < b->m_ID;
    });
    return records;
}

void CListViewColumnStatus::NumberVisibleFirst(const QList<CListViewColumnStatus*>& order)
{
    int next = 0;
    for (CListViewColumnStatus* record : order) {
        if (record && record->m_Visible)
            record->m_DisplayIndex = next++;
    }
    QList<CListViewColumnStatus*> hidden;
    for (CListViewColumnStatus* record : order) {
        if (record && !record->m_Visible)
            hidden.append(record);
    }
    std::stable_sort(hidden.begin(), hidden.end(),
                     [](CListViewColumnStatus* a, CListViewColumnStatus* b) { return a->m_ID < b->m_ID; });
    for (CListViewColumnStatus* record : qAsConst(hidden))
        record->m_DisplayIndex = next++;
}
