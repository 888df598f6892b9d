// The View menu's sort drop-down.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"
#include "LoadedIcon.h"

#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "CProjectorTreeView.h"
#include "ExceptionTrace.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QSortFilterProxyModel>

void Lumivox5Main::f_On_MenuViewSort_hovered()
{
    f_MenuSortDropDownCreate(ui->menuViewSort);
}

void Lumivox5Main::f_MenuSortDropDownCreate(QMenu* menu)
{
    if (!menu)
        return;
    RunTraced([&] {
        qDeleteAll(menu->actions());
        menu->clear();

        const QMap<int, CListViewColumnStatus*>* columns = m_Lumivox5Data->m_pPjListColumnStatus;
        CProjectorTreeView* list = ui->treeViewPJList;
        const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(list->model());
        const int sortColumn = proxy ? proxy->sortColumn() : -1;
        const Qt::SortOrder order = proxy ? proxy->sortOrder() : Qt::AscendingOrder;
        QList<QAction*> entries;
        for (int id = 0; columns && id < columns->size(); ++id) {
            const CListViewColumnStatus* column = columns->value(id, nullptr);
            if (!column)
                continue;
            QAction* entry = new QAction(
                QCoreApplication::translate("CLumivox5Data", column->m_Title.toUtf8().constData()), this);
            entry->setEnabled(column->m_Visible);
            const int modelColumn = list->m_columnIndexByKey.value(id, 0);
            // The arrow shows on the sorted column; a blank keeps the titles aligned.
            if (modelColumn == sortColumn)
                entry->setIcon(LoadedIcon(order == Qt::AscendingOrder ? QStringLiteral(":/icon/ico/SortAscending24.ico")
                                                                 : QStringLiteral(":/icon/ico/SortDescending24.ico")));
            else
                entry->setIcon(f_DotIcon(false));
            entry->setData(modelColumn);
            connect(entry, &QAction::triggered, this, &Lumivox5Main::f_On_ViewSortSelected);
            entries.append(entry);
        }
        menu->addActions(entries);
    });
}

void Lumivox5Main::f_On_ViewSortSelected()
{
    auto* entry = qobject_cast<QAction*>(sender());
    if (!entry)
        return;
    RunTraced([&] {
        const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(ui->treeViewPJList->model());
        if (!proxy)
            return;
        const int column = entry->data().toInt();
        Qt::SortOrder order = proxy->sortOrder();
        // Choosing the sorted column again turns the order round; another
        // column keeps it.
        if (column == proxy->sortColumn())
            order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        f_SortPjList(column, order);
    });
}
