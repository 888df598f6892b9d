#include "About.h"
#include "ui_About.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGraphicsScene>
#include <QPixmap>
#include <QShowEvent>
#include <QStringList>
#include <QtGlobal>

#include "DialogLayout.h"
#include "ExceptionTrace.h"
#include "VersionProperties.h"

namespace {

const char* const HELP_PAGE_VERSION = "_RESOURCE/html/helpversion.htm";

QString aboutApplicationText(const char* name)
{
    return QCoreApplication::instance()->property(name).toString();
}

// A version part as a number; a part that is none reads 0.
int aboutVersionPart(const QString& part, bool* ok = nullptr)
{
    return part.toInt(ok, 10);
}

// While it lives, the form's connection by name is kept from reporting the
// dialog's own help signal: its name begins like a designer slot's, so Qt
// looks for a sender to connect it to and warns that there is none.
class AboutSignalNameNotice
{
public:
    AboutSignalNameNotice()
        : m_Prior(qInstallMessageHandler(&AboutSignalNameNotice::f_Filter))
    {
        prior() = m_Prior;
    }
    ~AboutSignalNameNotice() { qInstallMessageHandler(m_Prior); }
    AboutSignalNameNotice(const AboutSignalNameNotice&) = delete;
    AboutSignalNameNotice& operator=(const AboutSignalNameNotice&) = delete;

private:
    static QtMessageHandler& prior()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static void f_Filter(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtWarningMsg && message.startsWith(QLatin1String("QMetaObject::connectSlotsByName"))
            && message.contains(QLatin1String("on_f_HelpRevision")))
            return;
        prior()(type, context, message);
    }

    QtMessageHandler m_Prior;
};

} // namespace

About::About(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::About)
{
    RunTraced([&] {
        Q_INIT_RESOURCE(Lumivox5Icons);
        {
            AboutSignalNameNotice quiet;
            ui->setupUi(this);
        }
        f_CorrectLayout();
        // The scene belongs to the dialog; a missing icon leaves it empty.
        m_IconScene.reset(new QGraphicsScene);
        ui->gvAppIcon->setScene(m_IconScene.get());
        m_IconScene->clear();
        const QPixmap icon(QStringLiteral(":/icon/ico/ProjectorImage.ico"));
        if (!icon.isNull())
            m_IconScene->addPixmap(icon);
        ui->gvAppIcon->setStyleSheet(QStringLiteral("background: transparent"));
        ui->gvAppIcon->setFrameShadow(QFrame::Plain);
        ui->gvAppIcon->setFrameShape(QFrame::NoFrame);
    });
}

About::~About()
{
    // The view goes with the form; it must not outlive its scene's use.
    if (ui && ui->gvAppIcon)
        ui->gvAppIcon->setScene(nullptr);
}

void About::SetupVersion()
{
    // The property list lives in a static library, which the linker would
    // otherwise leave out.
    Q_INIT_RESOURCE(AppPlist);
    VersionConstants constants;
    constants.programName = QStringLiteral("Lumivox 5");
    constants.copyright = QStringLiteral("Copyright (C) 2009-2026 Corvex Systems, Ltd. All Rights Reserved.");
    constants.companyName = QStringLiteral("Corvex Systems, Ltd.");
    constants.originalFilename = QStringLiteral("Lumivox5.exe");
    constants.executableName = QStringLiteral("Lumivox5");
    SetupVersionProperties(QStringLiteral(":/app.plist"), constants);
}

QString About::f_GetSetupVersion()
{
    return aboutApplicationText("SetupVersion");
}

QString About::f_GetAppVersion()
{
    return RunTraced(QString(), [] {
        const QStringList parts = QCoreApplication::applicationVersion().split(QLatin1Char('.'));
        if (parts.size() < 3)
            return QString();
        bool majorOk = false;
        bool minorOk = false;
        const int major = aboutVersionPart(parts.at(0), &majorOk);
        const int minor = aboutVersionPart(parts.at(1), &minorOk);
        if (!majorOk || !minorOk)
            return QString();
        // A version of three parts reads its missing fourth as 0.
        const int build = parts.size() > 3 ? aboutVersionPart(parts.at(3)) : 0;
        return QString::asprintf("%d.%d.%d.%d", major, minor, aboutVersionPart(parts.at(2)), build);
    });
}

QString About::GetVersionString(QString text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    QString shown = text;
    if (parts.size() >= 3)
        shown = QString::asprintf("%d.%d.0.%d", aboutVersionPart(parts.at(0)), aboutVersionPart(parts.at(1)),
                                  aboutVersionPart(parts.at(2)));
    return shown.isEmpty() ? QStringLiteral("---") : shown;
}

void About::f_CorrectLayout()
{
    DialogLayout::RaiseToMinimumButtonHeight(ui->btnOK);
    DialogLayout::RaiseToMinimumButtonHeight(ui->cmdHelp);
}

void About::showEvent(QShowEvent* event)
{
    RunTraced([&] {
        const QString legalCopyright = aboutApplicationText("LegalCopyright");
        const QString productName = aboutApplicationText("ProductName");
        m_ProfileVersion = aboutApplicationText("ProfileVersion");
        m_ProfileExtraVersion = aboutApplicationText("ProfileExtraVersion");
        setWindowTitle(tr("AboutWindowTitle").arg(productName));
        ui->lblProductName->setText(productName);
        const QString years = aboutApplicationText("CopyrightYear");
        ui->lblCopyright->setText(years.isEmpty() ? legalCopyright : tr("CopyrightYear").arg(years));
        ui->lblSetupVer->setText(GetVersionString(f_GetSetupVersion()) + QLatin1Char(' ') + m_ProfileExtraVersion);
        ui->lblAppVer->setText(f_GetAppVersion());
        ui->lblProfileVer->setText(GetVersionString(m_ProfileVersion));
    });
    QDialog::showEvent(event);
}

void About::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void About::on_cmdHelp_pressed()
{
    emit on_f_HelpRevision(QString::fromLatin1(HELP_PAGE_VERSION), this);
}

void About::on_btnOK_clicked()
{
    close();
}
