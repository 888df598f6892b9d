#include "PJSearchDlg.h"
#include "ui_PJSearchDlg.h"

#include "AddressInput.h"
#include "DialogLayout.h"
#include "Ipv4Text.h"
#include "MacUtil.h"
#include "NetworkInterfaceCard.h"
#include "PJSearchUdp.h"
#include "SettingsDialogFrame.h"

#include <QApplication>
#include <QHeaderView>
#include <QLoggingCategory>
#include <QStyle>
#include <QTimer>

Q_LOGGING_CATEGORY(lcSearchDialog, "lumivox.discovery.dialog", QtWarningMsg)

namespace {

enum { COLUMN_NAME = 0, COLUMN_ADDRESS = 1, COLUMN_STATUS = 2 };
const int MIN_NAME_WIDTH = 90;

} // namespace

PJSearchDlg::PJSearchDlg(int flags, QHostAddress connectedAddress, int mode, QHostAddress* range, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_PJSearchDlg)
    , m_Flags(flags)
    , m_ConnectedAddress(connectedAddress)
    , m_Mode(mode)
{
    ui->setupUi(this);
    f_CorrectLayout();
    setWindowFlags(SETTINGS_DIALOG_FLAGS);
    if (range) {
        m_Range[0] = range[0];
        m_Range[1] = range[1];
    }
    ui->pushButtonConnect->setEnabled(false);
    m_pTimer = new QTimer(this);
    m_pTimer->setObjectName(QStringLiteral("timerSearch"));
    m_pTimer->setInterval(TICK_MS);
    // A coarse timer may run 5 % late: a row would wait longer than one tick.
    m_pTimer->setTimerType(Qt::PreciseTimer);
    connect(m_pTimer, &QTimer::timeout, this, &PJSearchDlg::SearchTimerTimuout);

    // The operator knows the interfaces by the platform's service names.
    m_pNic = new NetworkInterfaceCard;
    void* platform = MacUtil::createObject();
    const QList<QHash<QString, QString>> services =
        platform ? MacUtil::services(platform, nullptr) : QList<QHash<QString, QString>>();
    for (int i = 0; i < m_pNic->GetDeviceCount(); ++i) {
        QString name;
        if (!m_pNic->GetDeviceName(i, &name))
            name.clear();
        for (const QHash<QString, QString>& service : services) {
            if (service.value(QStringLiteral("DeviceName")) == name) {
                name = service.value(QStringLiteral("CX_NETWORK_UI_NAME"));
                break;
            }
        }
        ui->comboBoxNic->addItem(name);
    }
    // Connected only now, so that filling the combo starts no search.
    connect(ui->comboBoxNic, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &PJSearchDlg::comboBoxNicCurrentIndexChanged);
    InitPJListView();
}

PJSearchDlg::~PJSearchDlg()
{
    delete m_pNic;
    delete m_pSearch;
    delete ui;
}

void PJSearchDlg::f_CorrectLayout()
{
    for (QWidget* button : {ui->pushButtonClose, ui->pushButtonConnect, ui->pushButtonHelp,
                            ui->pushButtonInputAddress, ui->pushButtonUpdate})
        DialogLayout::WidenToMinimumButtonWidth(button);
}

void PJSearchDlg::InitPJListView()
{
    QTableWidget* table = ui->tableWidgetPJList;
    QHeaderView* header = table->horizontalHeader();
    for (int column = 0; column < table->columnCount(); ++column) {
        if (QTableWidgetItem* item = table->horizontalHeaderItem(column))
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    // The columns share the table's width, so that with a desktop font no
    // address or status is cut off and nothing needs sideways scrolling: the
    // address and status columns as wide as their longest texts, the name
    // column the rest, but never too narrow to read.
    const QFontMetrics metrics(table->font());
    const int padding = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 2);
    const auto widest = [&](const QStringList& texts) {
        int width = 0;
        for (const QString& text : texts)
            width = qMax(width, metrics.horizontalAdvance(text));
        return width + padding;
    };
    header->setMinimumSectionSize(MIN_NAME_WIDTH);
    table->setColumnWidth(COLUMN_ADDRESS, widest({QStringLiteral("255.255.255.255"),
                                                  table->horizontalHeaderItem(COLUMN_ADDRESS)->text()}));
    table->setColumnWidth(COLUMN_STATUS, widest({tr("Search Failed"), tr("Connected"),
                                                 table->horizontalHeaderItem(COLUMN_STATUS)->text()}));
    header->setSectionResizeMode(COLUMN_NAME, QHeaderView::Stretch);
    header->setSectionsClickable(false);
    table->verticalHeader()->hide();
    table->setShowGrid(false);
    table->setCornerButtonEnabled(false);
    table->setAlternatingRowColors(false);
    table->setTabKeyNavigation(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
}

void PJSearchDlg::UpdateExec()
{
    on_pushButtonUpdate_clicked();
}

QList<QHostAddress> PJSearchDlg::GetSelectIpList()
{
    return m_SelectList;
}

int PJSearchDlg::GetInputAddress(int& mode, QHostAddress* range)
{
    mode = m_Mode;
    range[0] = m_Range[0];
    range[1] = m_Range[1];
    return 0;
}

void PJSearchDlg::f_SetSearchTargets(const QList<QHostAddress>& targets)
{
    if (!m_pSearch)
        m_pSearch = new PJSearchUdp(this, m_Flags, targets);
    else
        m_pSearch->SearchIpListUpdate(targets);
}

void PJSearchDlg::f_StartSearch(unsigned int command, QWidget* button)
{
    // A running search goes on with the new targets; the button waits for its end.
    if (m_pSearch->isRunning())
        button->setEnabled(false);
    else if (!m_pSearch->Start(command))
        qCDebug(lcSearchDialog, "Start Error!!");
    m_TimeoutCount = 0;
    m_pTimer->start();
}

void PJSearchDlg::on_pushButtonUpdate_clicked()
{
    ui->tableWidgetPJList->clearContents();
    ui->tableWidgetPJList->setRowCount(0);
    // The ticks went with the rows, without an item change.
    f_EnableConnectByTicks(false);
    QList<QHostAddress> targets;
    const int row = ui->comboBoxNic->currentIndex();
    if (row >= 0) {
        QHostAddress address;
        if (m_pNic->GetIpAddress(row, &address))
            targets.append(address);
        if (m_pNic->GetBroadcastAddress(row, &address))
            targets.append(address);
    }
    f_SetSearchTargets(targets);
    f_StartSearch(SRCH_CMD_BROADCAST, ui->pushButtonUpdate);
}

void PJSearchDlg::comboBoxNicCurrentIndexChanged()
{
    on_pushButtonUpdate_clicked();
}

void PJSearchDlg::on_pushButtonInputAddress_clicked()
{
    AddressInput input(m_Mode, m_Range, this);
    emit HTMLViewerParentChangeSignal(&input);
    const int result = input.exec();
    emit HTMLViewerParentChangeSignal(this);
    if (result != QDialog::Accepted)
        return;
    m_InputTargets.clear();
    const int row = ui->comboBoxNic->currentIndex();
    if (row < 0)
        return;
    QHostAddress own;
    if (m_pNic->GetIpAddress(row, &own))
        m_InputTargets.append(own);
    input.GetInputAddress(m_Mode, m_Range);
    const quint64 first = m_Range[0].toIPv4Address();
    const quint64 last = m_Mode == AddressInput::MODE_RANGE ? m_Range[1].toIPv4Address() : first;
    for (quint64 address = first; address <= last; ++address)
        m_InputTargets.append(QHostAddress(quint32(address)));
    f_DropUnanswered();
    f_SetSearchTargets(m_InputTargets);
    f_StartSearch(SRCH_CMD_UNICAST, ui->pushButtonInputAddress);
}

void PJSearchDlg::f_DropUnanswered()
{
    if (!m_pSearch)
        return;
    QList<PJ_LIST_INFO> kept;
    for (int index = m_pSearch->PJListCount() - 1; index >= 0; --index) {
        PJ_LIST_INFO info;
        if (!m_pSearch->PJListGet(index, info))
            continue;
        if (info.status != STATUS_NO_ANSWER)
            kept.prepend(info);
        else if (index < ui->tableWidgetPJList->rowCount())
            ui->tableWidgetPJList->removeRow(index);
    }
    if (kept.size() == m_pSearch->PJListCount())
        return;
    m_pSearch->PJListClear();
    for (const PJ_LIST_INFO& info : kept)
        m_pSearch->PJListAdd(info.address, info.name, info.status);
}

void PJSearchDlg::SearchTimerTimuout()
{
    const bool running = m_pSearch && m_pSearch->isRunning();
    if (running && ++m_TimeoutCount > TIMEOUT_TICKS) {
        m_pSearch->Stop();
        m_TimeoutCount = 0;
        qCDebug(lcSearchDialog, "#####################SearchTimeout!!");
    }
    if (!m_pSearch || !m_pSearch->isRunning()) {
        for (QPushButton* button : {ui->pushButtonUpdate, ui->pushButtonInputAddress}) {
            if (!button->isEnabled()) {
                button->setEnabled(true);
                button->setFocus();
            }
        }
        m_pTimer->stop();
        if (m_pSearch && m_pSearch->Mode() == SRCH_CMD_UNICAST && m_Mode == AddressInput::MODE_SINGLE)
            m_pSearch->PJListAdd(m_Range[0], QString(), STATUS_NO_ANSWER);
    }
    f_AppendNewRows();
}

void PJSearchDlg::f_AppendNewRows()
{
    if (!m_pSearch)
        return;
    QTableWidget* table = ui->tableWidgetPJList;
    const int count = m_pSearch->PJListCount();
    // New rows come unticked: they cannot change whether Connect is enabled.
    m_Filling = true;
    for (int row = table->rowCount(); row < count; ++row) {
        PJ_LIST_INFO info;
        if (!m_pSearch->PJListGet(row, info))
            break;
        table->setRowCount(row + 1);
        f_FillRow(row, info);
    }
    m_Filling = false;
}

void PJSearchDlg::f_FillRow(int row, const PJ_LIST_INFO& info)
{
    const bool unanswered = info.status == STATUS_NO_ANSWER;
    QString status;
    if (unanswered)
        status = tr("Search Failed");
    else if (!m_ConnectedAddress.isNull() && info.address == m_ConnectedAddress)
        status = tr("Connected");
    const QString texts[] = {info.name, info.address.toString(), status};
    QTableWidget* table = ui->tableWidgetPJList;
    const QBrush disabled = table->palette().brush(QPalette::Disabled, QPalette::WindowText);
    for (int column = COLUMN_NAME; column <= COLUMN_STATUS; ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        if (unanswered) {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
            item->setForeground(disabled);
        } else if (column == COLUMN_NAME) {
            item->setCheckState(Qt::Unchecked);
        }
        table->setItem(row, column, item);
    }
    table->setRowHeight(row, QFontMetrics(QApplication::font()).height() + 6);
}

void PJSearchDlg::on_tableWidgetPJList_itemChanged(QTableWidgetItem* item)
{
    if (m_Filling)
        return;
    f_EnableConnectByTicks(item && item->column() == COLUMN_NAME && item->checkState() == Qt::Checked);
}

void PJSearchDlg::f_EnableConnectByTicks(bool ticked)
{
    QTableWidget* table = ui->tableWidgetPJList;
    for (int row = 0; row < table->rowCount() && !ticked; ++row) {
        const QTableWidgetItem* name = table->item(row, COLUMN_NAME);
        ticked = name && name->checkState() == Qt::Checked;
    }
    if (ticked != ui->pushButtonConnect->isEnabled())
        ui->pushButtonConnect->setEnabled(ticked);
}

void PJSearchDlg::on_pushButtonConnect_clicked()
{
    QTableWidget* table = ui->tableWidgetPJList;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem* name = table->item(row, COLUMN_NAME);
        const QTableWidgetItem* address = table->item(row, COLUMN_ADDRESS);
        quint32 value = 0;
        if (name && address && name->checkState() != Qt::Unchecked && parseIpv4Text(address->text(), &value))
            m_SelectList.append(QHostAddress(value));
    }
}

void PJSearchDlg::on_pushButtonClose_clicked()
{
    if (m_pSearch)
        m_pSearch->Stop();
    close();
}

void PJSearchDlg::on_pushButtonHelp_clicked()
{
    emit ShowHelpSignal();
}
