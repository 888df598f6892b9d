#include "PJDataSortProxyModel.h"

#include "ExceptionTrace.h"
#include "LogCategories.h"

#include <QDateTime>
#include <QDebug>
#include <QStringList>

#include <algorithm>
#include <cstring>

namespace {

const QString PLACEHOLDER = QStringLiteral("---");

QDateTime ToDateTime(const QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return value.toDate().startOfDay();
    default:
        break;
    }
    const QString text = value.toString();
    // An ISO 8601 date starts "yyyy-MM-dd"; anything else (the list's own
    // "yyyy/MM/dd" among them) is turned down before the costly parse.
    if (text.size() < 10 || text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-'))
        return QDateTime();
    return QDateTime::fromString(text, Qt::ISODate);
}

// A part that is no decimal number counts as 0.
int DottedPart(const QStringRef& part)
{
    bool ok = false;
    const int value = part.toInt(&ok, 10);
    return ok ? value : 0;
}

int RoleKey(const QModelIndex& index, int role)
{
    bool ok = false;
    const int value = index.data(role).toInt(&ok);
    return ok ? value : 0;
}

} // namespace

PJDataSortProxyModel::PJDataSortProxyModel(QObject* parent)
    : QSortFilterProxyModel(parent)
{
    std::fill(std::begin(m_sortTypes), std::end(m_sortTypes), int(SORT_NOT_SET));
}

PJDataSortProxyModel::~PJDataSortProxyModel()
{
}

void PJDataSortProxyModel::SetSortType(int* table, int bytes)
{
    if (!table || bytes <= 0)
        return;
    std::memcpy(m_sortTypes, table, std::min<size_t>(size_t(bytes), sizeof(m_sortTypes)));
}

bool PJDataSortProxyModel::DottedLessThan(const QString& left, const QString& right, bool* comparable)
{
    const QVector<QStringRef> l = left.splitRef(QLatin1Char('.'));
    const QVector<QStringRef> r = right.splitRef(QLatin1Char('.'));
    *comparable = l.size() == 4 && r.size() == 4;
    if (!*comparable)
        return false;
    for (int i = 0; i < 4; ++i) {
        const int a = DottedPart(l.at(i));
        const int b = DottedPart(r.at(i));
        if (a != b)
            return a < b;
    }
    return false;
}

bool PJDataSortProxyModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    if (m_sortTypes[0] != SORT_NOT_SET) {
        try {
            return f_TypedLessThan(left, right);
        } catch (const std::exception& e) {
            TraceException(e);
        } catch (...) {
            TraceException("unknown");
        }
    }
    qCDebug(lcViews, "Sort use Qt sort !!!");
    return f_BaseLessThan(left, right);
}

bool PJDataSortProxyModel::f_BaseLessThan(const QModelIndex& left, const QModelIndex& right) const
{
    return QSortFilterProxyModel::lessThan(left, right);
}

bool PJDataSortProxyModel::f_TypedLessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const QVariant leftValue = left.data(Qt::DisplayRole);
    const QVariant rightValue = right.data(Qt::DisplayRole);
    const int column = left.column();
    // Columns beyond the table and types no list gives fall back to the base comparison.
    const int type = (column >= 0 && column < SORT_TABLE_SIZE) ? m_sortTypes[column] : SORT_NOT_SET;

    // Two dates are never the placeholder, and their calendar order is the
    // order of their starts of day: no text and no time-zone look-up needed.
    if (type == SORT_DATETIME && leftValue.userType() == QMetaType::QDate
        && rightValue.userType() == QMetaType::QDate) {
        const QDate l = leftValue.toDate();
        const QDate r = rightValue.toDate();
        if (l.isValid() && r.isValid())
            return l < r;
    }

    const QString leftText = leftValue.toString();
    const QString rightText = rightValue.toString();

    if (leftText == PLACEHOLDER)
        return rightText != PLACEHOLDER;
    if (rightText == PLACEHOLDER)
        return false;

    switch (type) {
    case SORT_TEXT:
        return leftText < rightText;
    case SORT_INTEGER: {
        bool leftOk = false;
        bool rightOk = false;
        const int l = leftText.toInt(&leftOk, 10);
        const int r = rightText.toInt(&rightOk, 10);
        if (leftOk && rightOk)
            return l < r;
        return f_BaseLessThan(left, right);
    }
    case SORT_DOTTED: {
        bool comparable = false;
        const bool less = DottedLessThan(leftText, rightText, &comparable);
        return comparable ? less : f_BaseLessThan(left, right);
    }
    case SORT_DATETIME: {
        const QDateTime l = ToDateTime(leftValue);
        const QDateTime r = ToDateTime(rightValue);
        if (l.isValid() && r.isValid())
            return l < r;
        return leftText < rightText;
    }
    case SORT_ROLE_1032:
        return RoleKey(left, ROLE_SORT_KEY_1032) < RoleKey(right, ROLE_SORT_KEY_1032);
    case SORT_ROLE_1033:
        return RoleKey(left, ROLE_SORT_KEY_1033) < RoleKey(right, ROLE_SORT_KEY_1033);
    default:
        return f_BaseLessThan(left, right);
    }
}
