#include "MainWindowFixture.h"

#include "CIniFileAccess.h"
#include "CLumivox5Data.h"
#include "CProjectorTreeView.h"
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include <QItemSelectionModel>


bool MainWindowFixture::writeProfile(const QByteArray& text)
{
    return writeFile(programFolder() + QStringLiteral("/Profile.ini"), text);
}

bool MainWindowFixture::writeUserList(const QByteArray& text)
{
    return writeFile(userListPath(), text);
}

QStringList MainWindowFixture::savedProjectors(const QStringList& keys) const
{
    CIniFileAccess ini;
    QStringList result;
    if (ini.ReadIniFile(userListPath()) != 0)
        return result;
    QStringList sections;
    ini.GetIniSections(sections);
    for (const QString& section : sections) {
        if (!section.startsWith(QLatin1String("Setting ")))
            continue;
        QStringList values;
        for (const QString& key : keys) {
            QString value;
            ini.GetIniString(section, key, QString(), &value);
            if (!value.isEmpty())
                values << value;
        }
        result << values.join(QLatin1Char(' '));
    }
    return result;
}

void MainWindowFixture::saveSettings(const std::function<void(CLumivox5Data*)>& change)
{
    std::unique_ptr<CLumivox5Data> hub = makeHub();
    change(hub.get());
    hub->WriteRegistryAll();
}

std::unique_ptr<Lumivox5Main> MainWindowFixture::makeWindow(const QStringList& arguments)
{
    CTestCommandLine line(arguments);
    return std::unique_ptr<Lumivox5Main>(new Lumivox5Main(line.argc(), line.argv()));
}

void MainWindowFixture::selectProjectors(Lumivox5Main* window, const QList<int>& ids)
{
    CProjectorTreeView* list = window->ui->treeViewPJList;
    list->clearSelection();
    QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        if (ids.contains(index.data(CProjectorTreeView::ROLE_PJDATA_ID).toInt()))
            list->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}
