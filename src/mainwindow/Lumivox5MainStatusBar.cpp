// The status bar: its three labels and their messages.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CDataFunctions.h"
#include "CProjectorTreeView.h"
#include "CVirtualTime.h"
#include "ExceptionTrace.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QStatusBar>

namespace {

// The alert icon's square beside the event text.
const int EVENT_ICON_SIZE = 14;
const int EVENT_TEXT_GAP = 2;

} // namespace

void Lumivox5Main::f_CreateStatusBar()
{
    ui->statusBar->setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
    const Qt::Alignment alignments[3] = {Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignCenter,
                                         Qt::AlignRight | Qt::AlignVCenter};
    for (int i = 0; i < 3; ++i) {
        m_lblStatus[i] = new QLabel(ui->statusBar);
        m_lblStatus[i]->setAlignment(alignments[i]);
        ui->statusBar->addPermanentWidget(m_lblStatus[i], 1);
        m_lblStatus[i]->setVisible(i == 1);
    }
    f_CreateEventStringStatusBar(0);
}

// The event field: a label with an alert icon at its left, made hidden.
void Lumivox5Main::f_CreateEventStringStatusBar(int index)
{
    QLabel* label = new QLabel(ui->statusBar);
    label->setObjectName(QStringLiteral("lblEventString"));
    QGraphicsView* icon = new QGraphicsView(label);
    icon->setObjectName(QStringLiteral("graphicsViewEventAlert"));
    icon->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    icon->setMinimumSize(EVENT_ICON_SIZE, EVENT_ICON_SIZE);
    icon->setMaximumSize(EVENT_ICON_SIZE, EVENT_ICON_SIZE);
    icon->setBaseSize(EVENT_ICON_SIZE, EVENT_ICON_SIZE);
    icon->setFocusPolicy(Qt::NoFocus);
    icon->setContextMenuPolicy(Qt::NoContextMenu);
    icon->setAcceptDrops(false);
    icon->setFrameShape(QFrame::NoFrame);
    icon->setFrameShadow(QFrame::Plain);
    icon->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    icon->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    icon->setStyleSheet(QStringLiteral("background: transparent"));
    icon->resize(EVENT_ICON_SIZE, EVENT_ICON_SIZE);
    // The view owns its scene, so that it goes with the window.
    QGraphicsScene* scene = new QGraphicsScene(icon);
    scene->addPixmap(QPixmap(QStringLiteral(":/icon/ico/StatusbarAlert2.ico")));
    icon->setScene(scene);
    label->setIndent(icon->width() + EVENT_TEXT_GAP);
    if (scene->width() > 0) {
        const qreal scale = icon->width() / scene->width();
        icon->scale(scale, scale);
    }
    icon->show();
    label->hide();
    ui->statusBar->insertWidget(index, label, 1);
}

void Lumivox5Main::f_SetStatusbarCenterMessage()
{
    if (!m_lblStatus[1])
        return;
    RunTraced([&] {
        const int selected = f_GetSelectedPjDataList().size();
        if (selected == 0) {
            m_lblStatus[1]->setText(QString());
            return;
        }
        const int displayed = ui->treeViewPJList->GetPjDataIDList(false).size();
        m_lblStatus[1]->setText(tr("%1 of %2 selected").arg(selected).arg(displayed));
    });
}

// Nothing shows events in the status bar yet: the field stays hidden.
void Lumivox5Main::f_UpdateEventStringStatusBar(QString) {}
void Lumivox5Main::f_UpdateEventStringStatusBar(QString, QString, int) {}

// The scheduler's date and time, refreshed whether or not the field shows.
void Lumivox5Main::updateStatusMessage()
{
    if (!m_lblStatus[2] || !m_DataThread || !m_DataThread->GetVirtualTime())
        return;
    m_lblStatus[2]->setText(m_DataThread->GetVirtualTime()->GetNowTime().toString(tr("statusBarDateFormat")));
}
