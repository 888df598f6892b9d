#include "QStyledItemDelegateEx2.h"

#include "ExceptionTrace.h"
#include "LogCategories.h"
#include "QLineEditExBase.h"
#include "QStyledItemDelegateEx.h"

QStyledItemDelegateEx2::QStyledItemDelegateEx2(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

bool QStyledItemDelegateEx2::eventFilter(QObject* object, QEvent* event)
{
    if (!object || !object->isWidgetType() || !event)
        return false;
    return RunTraced(false, [&] {
        return QStyledItemDelegateEx::IsEditorTabKey(event) || QStyledItemDelegate::eventFilter(object, event);
    });
}

QWidget* QStyledItemDelegateEx2::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    return RunTraced(static_cast<QWidget*>(nullptr), [&]() -> QWidget* {
        qCDebug(lcDialogs, "\ncreateEditor()");
        return new QLineEditExBase(parent);
    });
}
