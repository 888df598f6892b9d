// CSV export of what the projector list shows.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CIniFileAccess.h"
#include "CListViewColumnStatus.h"
#include "CLumivox5Data.h"
#include "CSystemClock.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"
#include "SaveFileBytes.h"
#include "ModalBoxes.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QSaveFile>
#include <QTextCodec>
#include <QVector>

#include <algorithm>

namespace {

// A field as the file holds it, followed by its separator. A value holding
// the separator, a quote or a line break is quoted (inner quotes doubled), so
// that every row keeps as many fields as the title row.
void AppendCsvField(QString& text, const QString& value)
{
    const bool quote = std::any_of(value.cbegin(), value.cend(), [](QChar c) {
        return c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
    });
    if (quote) {
        text += QLatin1Char('"');
        text += QString(value).replace(QLatin1Char('"'), QLatin1String("\"\""));
        text += QLatin1Char('"');
    } else {
        text += value;
    }
    text += QLatin1Char(',');
}

} // namespace

QString Lumivox5Main::f_CsvText(const QDateTime& now)
{
    QString text;
    AppendCsvField(text, now.toString(QStringLiteral("yyyy/MM/dd")));
    AppendCsvField(text, now.toString(QStringLiteral("HH:mm:ss")));
    // Without a selected group the path field stays empty; the line still ends.
    const QModelIndexList groups = ui->treeViewGroup->selectionModel()->selectedRows();
    AppendCsvField(text, groups.isEmpty() ? QString() : ui->treeViewGroup->GetFullPath(true, groups.first()));
    text += QLatin1Char('\n');

    // The widths and places the operator gave the columns go to the table
    // first, so the order below is the one on screen.
    f_UpdatePjListColumn(true);
    const QMap<int, CListViewColumnStatus*>& columns = *m_Lumivox5Data->m_pPjListColumnStatus;
    QVector<int> order(columns.size(), -1);
    CProjectorTreeView* list = ui->treeViewPJList;
    for (const CListViewColumnStatus* status : columns) {
        if (!status || status->m_DisplayIndex < 0 || status->m_DisplayIndex >= order.size())
            continue;
        order[status->m_DisplayIndex] = status->m_Visible ? list->m_columnIndexByKey.value(status->m_ID, 0) : -1;
    }
    QVector<int> shown;
    for (int column : order) {
        if (column >= 0)
            shown.append(column);
    }

    const QAbstractItemModel* model = list->model();
    for (int column : shown)
        AppendCsvField(text, model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    text += QLatin1Char('\n');
    const int rows = model->rowCount();
    text.reserve(text.size() + rows * shown.size() * 12);
    for (int row = 0; row < rows; ++row) {
        for (int column : shown)
            AppendCsvField(text, model->index(row, column).data(Qt::DisplayRole).toString());
        text += QLatin1Char('\n');
    }
    return text;
}

void Lumivox5Main::f_Export()
{
    CLumivox5Data* hub = m_Lumivox5Data;
    // Set from the file dialog until the last box has closed.
    CModalDialogFlag modal(hub);
    RunTraced([&] {
        const QString start = hub->m_PathExportCSV + QLatin1Char('/') + tr("DefaultCSVFileName");
        const QString fileName = CFileDialogs::GetSaveFileName(this, hub, QString(), start, tr("CSVFileFilter"));
        activateWindow();
        if (fileName.isEmpty())
            return;
        hub->m_PathExportCSV = QFileInfo(fileName).absolutePath();

        const QString title = tr("Lumivox5MsgTitle");
        // A failed write leaves the file as it was before the export.
        QSaveFile file(fileName);
        if (!file.open(QIODevice::WriteOnly)) {
            qCDebug(lcMainWindow, "CSV export: %s: %s", qUtf8Printable(fileName), qUtf8Printable(file.errorString()));
            CMessageBoxes::Critical(this, hub, title, tr("MainMsgExportCSVErrorMessage"));
            return;
        }
        bool convertible = true;
        const bool written = RunTraced(false, [&] {
            const QString text = f_CsvText(CSystemClock::Now());
            QTextCodec* codec = QTextCodec::codecForName(CIniFileAccess::CODEPAGE_UTF16.toLatin1());
            convertible = codec->canEncode(text);
            // The codec puts the byte-order mark first, in the host's order.
            const QByteArray bytes = codec->fromUnicode(text);
            if (WriteWholeAndCommit(file, bytes))
                return true;
            qCDebug(lcMainWindow, "!! write ini file error !!");
            return false;
        });
        if (!written) {
            file.cancelWriting();
            CMessageBoxes::Critical(this, hub, title, tr("MainMsgExportCSVErrorMessage"));
        } else if (!convertible) {
            CMessageBoxes::Warning(this, hub, title, tr("MainMsgExportCSVConvertedErrorMessage"));
        } else {
            CMessageBoxes::Information(this, hub, title, tr("MainMsgExportCSVCompletedMessage"));
        }
    });
}
