#include "QStyledItemDelegateEx.h"

#include "ExceptionTrace.h"
#include "QLineEditEx.h"
#include "LogCategories.h"

#include <QDebug>
#include <QKeyEvent>

namespace {

// Set on an editor once it holds the cell's text.
const char* const FILLED = "lumivoxEditorFilled";

} // namespace

QStyledItemDelegateEx::QStyledItemDelegateEx(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

QStyledItemDelegateEx::~QStyledItemDelegateEx()
{
}

bool QStyledItemDelegateEx::eventFilter(QObject* object, QEvent* event)
{
    if (!object || !object->isWidgetType() || !event)
        return false;
    return RunTraced(false, [&] { return IsEditorTabKey(event) || QStyledItemDelegate::eventFilter(object, event); });
}

bool QStyledItemDelegateEx::IsEditorTabKey(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

QWidget* QStyledItemDelegateEx::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                             const QModelIndex&) const
{
    return RunTraced(static_cast<QWidget*>(nullptr), [&]() -> QWidget* {
        qCDebug(lcViews, "\ncreateEditor()");
        QLineEditEx* editor = new QLineEditEx(parent);
        // A click anywhere now reaches the editor, which ends the edit on one outside it.
        editor->grabMouse();
        return editor;
    });
}

void QStyledItemDelegateEx::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    RunTraced([&] {
        qCDebug(lcViews, "setEditorData() {");
        const QString text = index.model() ? index.model()->data(index, Qt::DisplayRole).toString() : QString();
        qCDebug(lcViews) << "valueString" << text;
        // Filled once, when it opens: a refresh of the row while the
        // operator types must not put the stored text into the typing.
        QLineEditEx* edit = qobject_cast<QLineEditEx*>(editor);
        if (edit && !edit->property(FILLED).toBool()) {
            edit->setProperty(FILLED, true);
            edit->insert(text);
            qCDebug(lcViews, "} setEditorData()");
        }
    });
}

void QStyledItemDelegateEx::setModelData(QWidget* editor, QAbstractItemModel* model,
                                         const QModelIndex& index) const
{
    RunTraced([&] {
        qCDebug(lcViews, "setModelData()");
        QLineEditEx* edit = qobject_cast<QLineEditEx*>(editor);
        if (edit && model)
            model->setData(index, QVariant(edit->text()), Qt::EditRole);
    });
}

void QStyledItemDelegateEx::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                 const QModelIndex&) const
{
    RunTraced([&] {
        qCDebug(lcViews, "updateEditorGeometry()");
        if (editor)
            editor->setGeometry(option.rect);
    });
}
