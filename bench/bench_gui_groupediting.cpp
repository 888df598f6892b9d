// Group editing in the main window over 2000 projectors in 100 groups: a
// paste of all 2000 into the selected (empty) group, a cut of those 2000 rows
// from it, a drop of 2000 ids onto it, a delete of the 2000 rows, and the
// deletion of a group holding 2000 projectors; each with the list rebuilt
// where the window rebuilds it. Runs offscreen unless QT_QPA_PLATFORM says
// otherwise.
#include <QDropEvent>
#include <QMimeData>

#include <cstdio>
#include <memory>
#include <vector>

#include "BenchWindow.h"
#include "CGroupTreeView.h"
#include "CLumivox5Data.h"
#include "CProjectorTreeView.h"
#include "ModalBoxes.h"
#include "ProcessFigures.h"

namespace {

const int FLEET = 2000;
const int GROUPS = 100;
const int RUNS = 5;

// Projector n belongs to one of the first 99 groups; the last group is empty.
QByteArray UserListOfGroups()
{
    return UserListText(
        FLEET,
        [](int n) {
            return ListedProjector{QStringLiteral("PJ%1").arg(n),
                                   QStringLiteral("10.1.%1.%2").arg(n / 200).arg(n % 200 + 1), (n - 1) % (GROUPS - 1) + 1};
        },
        GROUPS, [](int g) { return QStringLiteral("Room %1").arg(g, 3, 10, QLatin1Char('0')); });
}

} // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);
    CTestFolders folders;
    if (!CopyShippedProfile(folders))
        return 1;
    const QString userList = folders.userListPath();
    // Every question is answered OK.
    CMessageBoxes::SetScript([](const CMessageBoxes::Box&) { return QMessageBox::Ok; });

    std::vector<double> paste, cut, drop, remove, deleteGroup;
    int pasted = 0, afterCut = 0, dropped = 0, afterDelete = 0, groupsLeft = 0;
    for (int run = 0; run < RUNS; ++run) {
        if (!CTestFolders::writeFile(userList, UserListOfGroups())) {
            std::fprintf(stderr, "cannot write the user list\n");
            return 1;
        }
        std::unique_ptr<Lumivox5Main> window = NewMainWindow();
        window->resize(1200, 900);
        window->show();
        QCoreApplication::processEvents();
        CGroupTreeView* tree = window->findChild<CGroupTreeView*>(QStringLiteral("treeViewGroup"));
        CProjectorTreeView* list = window->findChild<CProjectorTreeView*>(QStringLiteral("treeViewPJList"));
        QAbstractItemModel* nodes = tree->model();
        const QModelIndex groupNode = nodes->index(CGroupTreeView::ROW_GROUP, 0);
        const QModelIndex empty = nodes->index(GROUPS - 1, 0, groupNode);
        if (nodes->rowCount(groupNode) != GROUPS || list->model()->rowCount() != FLEET) {
            std::fprintf(stderr, "the window shows %d groups and %d projectors\n", nodes->rowCount(groupNode),
                         list->model()->rowCount());
            return 1;
        }

        // All 2000 copied from All Projectors, pasted into the empty group.
        list->selectAll();
        window->ProjectorCopy();
        SelectNode(tree, empty);
        paste.push_back(WallMs([&] { window->ProjectorPaste(); }));
        pasted = list->model()->rowCount();

        // Cut of all of them from it.
        list->selectAll();
        cut.push_back(WallMs([&] { window->ProjectorCut(); }));
        afterCut = list->model()->rowCount();

        // 2000 ids dropped onto it, the paste run by the queued slot.
        QByteArray ids;
        for (int n = 1; n <= FLEET; ++n)
            ids += (n > 1 ? "," : "") + QByteArray::number(n);
        // As the list's drag carries them: the ids as text beside the item data.
        QMimeData data;
        data.setText(QString::fromLatin1(ids));
        data.setData(QStringLiteral("application/x-qstandarditemmodeldatalist"), QByteArray());
        tree->scrollTo(empty);
        const QPoint at = tree->visualRect(empty).center();
        drop.push_back(WallMs([&] {
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(tree->viewport(), &enter);
            QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(tree->viewport(), &event);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        }));
        dropped = list->model()->rowCount();

        // Delete of the 2000 rows, then again pasted, and the group deleted.
        list->selectAll();
        remove.push_back(WallMs([&] { window->ProjectorDelete(); }));
        afterDelete = list->model()->rowCount();
        SelectNode(tree, empty);
        window->ProjectorPaste();
        deleteGroup.push_back(WallMs([&] { tree->DeleteGrpTree(); }));
        groupsLeft = nodes->rowCount(groupNode);
        window.reset();
    }
    CMessageBoxes::SetScript(nullptr);

    std::printf("Group editing with %d projectors in %d groups, median of %d runs (targets < 500 ms)\n", FLEET, GROUPS,
                RUNS);
    std::printf("  paste of %d ids, list rebuilt  %8.1f ms   (%d rows listed)\n", FLEET, Median(paste), pasted);
    std::printf("  cut of %d rows, list rebuilt   %8.1f ms   (%d rows left)\n", FLEET, Median(cut), afterCut);
    std::printf("  drop of %d ids, list rebuilt   %8.1f ms   (%d rows listed)\n", FLEET, Median(drop), dropped);
    std::printf("  delete of %d rows              %8.1f ms   (%d rows left)\n", FLEET, Median(remove), afterDelete);
    std::printf("  delete of a group of %d        %8.1f ms   (%d groups left)\n", FLEET, Median(deleteGroup),
                groupsLeft);
    return pasted == FLEET && afterCut == 0 && dropped == FLEET && afterDelete == 0 && groupsLeft == GROUPS - 1 ? 0 : 1;
}
