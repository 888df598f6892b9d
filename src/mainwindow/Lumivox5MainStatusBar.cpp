// The status bar: its three labels and their messages.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include <QLabel>
#include <QStatusBar>

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

void Lumivox5Main::f_CreateEventStringStatusBar(int) {}
void Lumivox5Main::f_SetStatusbarCenterMessage() {}
void Lumivox5Main::f_UpdateEventStringStatusBar(QString) {}
void Lumivox5Main::f_UpdateEventStringStatusBar(QString, QString, int) {}
void Lumivox5Main::updateStatusMessage() {}
