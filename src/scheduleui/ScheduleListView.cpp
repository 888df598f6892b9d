#include "ScheduleListView.h"

#include "CLumivox5Data.h"
#include "CNoOperatingDate.h"
#include "CProfileList.h"
#include "CScheduleData.h"
#include "CSectionItemList.h"
#include "ExceptionTrace.h"
#include "PJDataSortProxyModel.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <iterator>

namespace {

const char* const CONTEXT = "ScheduleListView";

struct ColumnInfo {
    const char* titleKey;
    int width;
    int sortType;
};

const ColumnInfo COLUMNS[ScheduleListView::COLUMN_COUNT] = {
    { QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListColumnTarget"), 130, PJDataSortProxyModel::SORT_DOTTED },
    { QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListColumnDate"), 130, PJDataSortProxyModel::SORT_DATETIME },
    { QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListColumnTime"), 100, PJDataSortProxyModel::SORT_TEXT },
    { QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListColumnTask"), 210, PJDataSortProxyModel::SORT_TEXT },
    { QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListColumnStatus"), 55, PJDataSortProxyModel::SORT_TEXT },
    { QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListColumnComment"), 70, PJDataSortProxyModel::SORT_TEXT },
};

// Task texts by function code 1 to 11; 11 is filled with the input terminal's name.
const char* const TASK_KEYS[] = {
    QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListTaskPowerOn"),
    QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListTaskPowerOff"),
    QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListTaskPictureMuteOn"),
    QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListTaskPictureMuteOff"),
    QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListTaskSoundMuteOn"),
    QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListTaskSoundMuteOff"),
    QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListTaskOSDMuteOn"),
    QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListTaskOSDMuteOff"),
    QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListTaskAllMuteOn"),
    QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListTaskAllMuteOff"),
    QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListTaskSignalSelect"),
};
const int TASK_SIGNAL_SELECT = 11;
// Pixels left beside the longest date text, so that it is never cut.
const int DATE_COLUMN_SPARE = 6;

// Look and text of a row by the instance's status; any other status is black without text.
struct StatusLook {
    int status;
    Qt::GlobalColor colour;
    const char* textKey;
};

const StatusLook STATUS_LOOKS[] = {
    { CScheduleData::STATUS_TYPE::OK, Qt::blue, QT_TRANSLATE_NOOP("ScheduleListView", "ScheduleStatusOK") },
    { CScheduleData::STATUS_TYPE::NG, Qt::red, QT_TRANSLATE_NOOP("ScheduleListView", "ScheduleStatusNG") },
    { CScheduleData::STATUS_TYPE::NA, Qt::green, QT_TRANSLATE_NOOP("ScheduleListView", "ScheduleStatusNA") },
};

const StatusLook* FindStatusLook(int status)
{
    const auto found = std::find_if(std::begin(STATUS_LOOKS), std::end(STATUS_LOOKS),
                                    [status](const StatusLook& look) { return look.status == status; });
    return found == std::end(STATUS_LOOKS) ? nullptr : found;
}

// The context menu, top to bottom; a row without a key is a separator.
struct ScheduleMenuEntry {
    const char* key;
    QAction* ScheduleListView::*action;
    int id;
    void (ScheduleListView::*request)();
};

const ScheduleMenuEntry SCHEDULE_MENU[] = {
    { QT_TRANSLATE_NOOP("ScheduleListView", "ctxScheduleListEditSchedule"), &ScheduleListView::m_ctxEdit,
      ScheduleListView::MENU_EDIT, &ScheduleListView::f_RequestScheduleEdit },
    { QT_TRANSLATE_NOOP("ScheduleListView", "ctxScheduleListExecute"), &ScheduleListView::m_ctxExecute,
      ScheduleListView::MENU_EXECUTE, &ScheduleListView::f_RequestScheduleExecute },
    { QT_TRANSLATE_NOOP("ScheduleListView", "ctxScheduleListCancel"), &ScheduleListView::m_ctxCancel,
      ScheduleListView::MENU_CANCEL, &ScheduleListView::f_RequestScheduleCancel },
    { nullptr, nullptr, -1, nullptr },
    { QT_TRANSLATE_NOOP("ScheduleListView", "ctxScheduleListSettingNoOperatingDate"),
      &ScheduleListView::m_ctxSettingNoOperatingDate, ScheduleListView::MENU_NO_OPERATING_DATE,
      &ScheduleListView::f_RequestScheduleSettingNoOperatingDate },
};

QString Translate(const char* key)
{
    return QCoreApplication::translate(CONTEXT, key);
}

// The Date cells hold the start date itself, so that the proxy orders them
// by the calendar; this delegate shows them in the list's date format.
class ScheduleDateDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override
    {
        if (value.userType() == QMetaType::QDate)
            return ScheduleListView::f_GetScheduleDateString(value.toDate());
        return QStyledItemDelegate::displayText(value, locale);
    }
};

} // namespace

ScheduleListView::ScheduleListView(QWidget* parent)
    : QTreeView(parent)
    , m_appData(nullptr)
    , m_ctxEdit(nullptr)
    , m_ctxExecute(nullptr)
    , m_ctxCancel(nullptr)
    , m_ctxSettingNoOperatingDate(nullptr)
    , m_contextMenu(nullptr)
    , m_model(nullptr)
    , m_proxy(nullptr)
{
    f_CreateContextMenu();
    f_InitializeListView();
    sortByColumn(COLUMN_TIME, Qt::AscendingOrder);
    sortByColumn(COLUMN_DATE, Qt::AscendingOrder);
}

ScheduleListView::~ScheduleListView()
{
    // The actions are the menu's children.
    delete m_contextMenu;
    m_appData = nullptr;
}

void ScheduleListView::f_CreateContextMenu()
{
    m_contextMenu = new QMenu();
    for (const ScheduleMenuEntry& entry : SCHEDULE_MENU) {
        if (!entry.key) {
            m_contextMenu->addSeparator();
            continue;
        }
        QAction* action = m_contextMenu->addAction(Translate(entry.key));
        action->setData(QVariant(entry.id));
        this->*entry.action = action;
        connect(action, &QAction::triggered, this, &ScheduleListView::f_CtxSendSignal);
    }
}

void ScheduleListView::f_InitializeListView()
{
    setRootIsDecorated(false);
    setSortingEnabled(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_model = new QStandardItemModel(0, COLUMN_COUNT, this);
    QStringList titles;
    for (const ColumnInfo& column : COLUMNS)
        titles << Translate(column.titleKey);
    m_model->setHorizontalHeaderLabels(titles);

    m_proxy = new PJDataSortProxyModel(this);
    int sortTypes[PJDataSortProxyModel::SORT_TABLE_SIZE];
    std::fill(std::begin(sortTypes), std::end(sortTypes), int(PJDataSortProxyModel::SORT_NOT_SET));
    for (int column = 0; column < COLUMN_COUNT; ++column)
        sortTypes[column] = COLUMNS[column].sortType;
    m_proxy->SetSortType(sortTypes, int(sizeof(sortTypes)));
    // Rows are sorted when the list is refilled or a header is clicked,
    // never one by one while a refill appends them.
    m_proxy->setDynamicSortFilter(false);
    m_proxy->setSourceModel(m_model);
    setModel(m_proxy);
    setItemDelegateForColumn(COLUMN_DATE, new ScheduleDateDelegate(this));

    for (int column = 0; column < COLUMN_COUNT; ++column)
        setColumnWidth(column, COLUMNS[column].width);
    // Month and weekday names come from the system's language: the Date
    // column widens when its longest text would be cut.
    setColumnWidth(COLUMN_DATE, std::max(COLUMNS[COLUMN_DATE].width, f_WidestDateWidth()));

    connect(header(), &QHeaderView::sectionClicked, this, &ScheduleListView::f_OnHeaderColumnClick);
    void (ScheduleListView::*openMenu)(QPoint) = &ScheduleListView::f_CreateContextMenu;
    header()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header(), &QWidget::customContextMenuRequested, this, openMenu);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, openMenu);
}

int ScheduleListView::f_WidestDateWidth() const
{
    const QFontMetrics metrics(font());
    int widest = 0;
    // Every month with every weekday; two-digit days are the widest.
    for (int month = 1; month <= 12; ++month) {
        for (int day = 20; day < 27; ++day)
            widest = std::max(widest, metrics.horizontalAdvance(f_GetScheduleDateString(QDate(2015, month, day))));
    }
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return widest + 2 * margin + DATE_COLUMN_SPARE;
}

void ScheduleListView::f_UpdateScheduleListView(QMap<int, CScheduleData*>& schedules,
                                                CNoOperatingDate& noOperatingDate)
{
    RunTraced([&] {
        setUpdatesEnabled(false);
        const int sortColumn = m_proxy->sortColumn();
        const Qt::SortOrder sortOrder = m_proxy->sortOrder();
        m_model->removeRows(0, m_model->rowCount());

        for (auto it = schedules.cbegin(); it != schedules.cend(); ++it) {
            CScheduleData* data = it.value();
            if (!data || noOperatingDate.IsNoOperatingDate(data->StartDay))
                continue;
            const QBrush brush = f_GetScheduleStatusColor(*data);
            const QVariant values[COLUMN_COUNT] = {
                data->TargetName,
                data->StartDay.date(),
                f_GetScheduleTimeString(*data),
                f_GetScheduleTaskString(*data),
                f_GetScheduleStatusString(*data),
                data->Comment,
            };
            QList<QStandardItem*> row;
            row.reserve(COLUMN_COUNT);
            for (const QVariant& value : values) {
                QStandardItem* item = new QStandardItem();
                item->setData(value, Qt::DisplayRole);
                item->setForeground(brush);
                item->setEditable(false);
                row << item;
            }
            row.first()->setData(it.key(), ROLE_SCHEDULE_KEY);
            m_model->appendRow(row);
        }

        if (sortColumn >= 0)
            f_SortRows(sortColumn, sortOrder);
        setUpdatesEnabled(true);
    });
}

void ScheduleListView::f_SortRows(int column, Qt::SortOrder order)
{
    if (column == COLUMN_DATE)
        m_proxy->sort(COLUMN_TIME, order);
    m_proxy->sort(column, order);
}

// The header has sorted by the clicked column already; a click on Date sorts
// again, by time first, in the order the header chose.
void ScheduleListView::f_OnHeaderColumnClick(int column)
{
    RunTraced([&] {
        if (column != COLUMN_DATE)
            return;
        setUpdatesEnabled(false);
        f_SortRows(column, header()->sortIndicatorOrder());
        setUpdatesEnabled(true);
    });
}

// The position comes in the coordinates of the widget that asked: the header,
// or the view's viewport.
void ScheduleListView::f_CreateContextMenu(QPoint position)
{
    RunTraced([&] {
        const bool executing = f_RequestScheduleIsInExecution();
        m_ctxEdit->setEnabled(!executing);
        m_ctxExecute->setEnabled(!executing);
        m_ctxCancel->setEnabled(executing);
        m_ctxSettingNoOperatingDate->setEnabled(!executing);
        QWidget* origin = sender() == header() ? static_cast<QWidget*>(header()) : viewport();
        m_contextMenu->exec(origin->mapToGlobal(position));
    });
}

void ScheduleListView::f_CtxSendSignal()
{
    RunTraced([&] {
        const QAction* action = qobject_cast<QAction*>(sender());
        if (!action)
            return;
        bool ok = false;
        const int id = action->data().toInt(&ok);
        if (!ok)
            return;
        for (const ScheduleMenuEntry& entry : SCHEDULE_MENU) {
            if (entry.key && entry.id == id) {
                emit(this->*entry.request)();
                return;
            }
        }
    });
}

QString ScheduleListView::f_GetScheduleDateString(const QDate& date)
{
    return date.toString(Translate(QT_TRANSLATE_NOOP("ScheduleListView", "MainScheduleListDateFormat")));
}

QBrush ScheduleListView::f_GetScheduleStatusColor(CScheduleData& data)
{
    const StatusLook* look = FindStatusLook(data.Status);
    return QBrush(look ? look->colour : Qt::black, Qt::SolidPattern);
}

QString ScheduleListView::f_GetScheduleTimeString(CScheduleData& data)
{
    return data.ExecuteTime.toString(QStringLiteral("HH:mm"));
}

QString ScheduleListView::f_GetScheduleTaskString(CScheduleData& data)
{
    const int function = data.Function;
    if (function < 1 || function > int(std::size(TASK_KEYS)))
        return QLatin1String("");
    const QString text = Translate(TASK_KEYS[function - 1]);
    if (function != TASK_SIGNAL_SELECT || !text.contains(QLatin1String("%1")))
        return text;
    // arg() leaves a "%1" inside the terminal's name alone.
    return text.arg(f_GetInputTerminalName(data.InputTerminal));
}

QString ScheduleListView::f_GetScheduleStatusString(CScheduleData& data)
{
    const StatusLook* look = FindStatusLook(data.Status);
    return look ? Translate(look->textKey) : QLatin1String("");
}

QString ScheduleListView::f_GetInputTerminalName(int code) const
{
    if (!m_appData || !m_appData->m_pProfileList || !m_appData->m_pProfileList->m_MultiTermList)
        return QLatin1String("");
    return m_appData->m_pProfileList->m_MultiTermList->f_GetNameOfCode(code);
}
