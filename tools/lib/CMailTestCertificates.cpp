#include "CMailTestCertificates.h"

#include <QFile>
#include <QProcess>
#include <QSslConfiguration>

namespace {

const int OpensslTimeoutMs = 30000;

QString KindName(CMailTestCertificates::Kind kind)
{
    switch (kind) {
    case CMailTestCertificates::SelfSigned:
        return QStringLiteral("selfsigned");
    case CMailTestCertificates::WrongAddress:
        return QStringLiteral("wrongaddress");
    default:
        return QStringLiteral("server");
    }
}

QStringList NewKey()
{
    return {QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
            QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
}

QString AltNames(const QList<QHostAddress>& addresses)
{
    QString names = QStringLiteral("DNS:localhost");
    for (const QHostAddress& address : addresses)
        names += QStringLiteral(",IP:") + address.toString();
    return names;
}

} // namespace

bool CMailTestCertificates::run(const QStringList& arguments, QString* error) const
{
    QProcess openssl;
    openssl.setWorkingDirectory(m_Dir.path());
    openssl.start(QStringLiteral("openssl"), arguments);
    if (!openssl.waitForStarted(OpensslTimeoutMs)) {
        *error = QStringLiteral("cannot run openssl (package openssl): ") + openssl.errorString();
        return false;
    }
    if (!openssl.waitForFinished(OpensslTimeoutMs) || openssl.exitStatus() != QProcess::NormalExit
        || openssl.exitCode() != 0) {
        *error = QStringLiteral("openssl %1 failed: %2")
                     .arg(arguments.join(QLatin1Char(' ')),
                          QString::fromLocal8Bit(openssl.readAllStandardError()));
        return false;
    }
    return true;
}

bool CMailTestCertificates::signedCertificate(const QString& name, const QString& subjectAltName,
                                              QString* error) const
{
    QFile extensions(file(name + QStringLiteral(".ext")));
    if (!extensions.open(QIODevice::WriteOnly)
        || extensions.write(QStringLiteral("subjectAltName=%1\nbasicConstraints=CA:FALSE\n"
                                           "keyUsage=digitalSignature,keyEncipherment\n"
                                           "extendedKeyUsage=serverAuth\n")
                                .arg(subjectAltName)
                                .toLatin1())
               < 0) {
        *error = QStringLiteral("cannot write ") + extensions.fileName();
        return false;
    }
    extensions.close();
    return run(QStringList{QStringLiteral("req")} + NewKey()
                   + QStringList{QStringLiteral("-keyout"), name + QStringLiteral(".key"),
                                 QStringLiteral("-out"), name + QStringLiteral(".csr"),
                                 QStringLiteral("-subj"), QStringLiteral("/CN=localhost")},
               error)
        && run({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"),
                name + QStringLiteral(".csr"), QStringLiteral("-CA"), QStringLiteral("ca.pem"),
                QStringLiteral("-CAkey"), QStringLiteral("ca.key"), QStringLiteral("-CAcreateserial"),
                QStringLiteral("-days"), QStringLiteral("3650"), QStringLiteral("-extfile"),
                name + QStringLiteral(".ext"), QStringLiteral("-out"), name + QStringLiteral(".pem")},
               error);
}

bool CMailTestCertificates::create(const QList<QHostAddress>& addresses,
                                   const QHostAddress& otherAddress, QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    if (!m_Dir.isValid()) {
        *error = QStringLiteral("no temporary folder for the certificates");
        return false;
    }
    const QString names = AltNames(addresses);
    m_Created =
        run(QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + NewKey()
                + QStringList{QStringLiteral("-keyout"), QStringLiteral("ca.key"), QStringLiteral("-out"),
                              QStringLiteral("ca.pem"), QStringLiteral("-days"), QStringLiteral("3650"),
                              QStringLiteral("-subj"), QStringLiteral("/CN=Lumivox mail test CA"),
                              QStringLiteral("-addext"), QStringLiteral("basicConstraints=critical,CA:TRUE"),
                              QStringLiteral("-addext"),
                              QStringLiteral("keyUsage=critical,keyCertSign,cRLSign")},
            error)
        && signedCertificate(KindName(Trusted), names, error)
        && signedCertificate(KindName(WrongAddress),
                             QStringLiteral("IP:") + otherAddress.toString(), error)
        && run(QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + NewKey()
                   + QStringList{QStringLiteral("-keyout"), QStringLiteral("selfsigned.key"),
                                 QStringLiteral("-out"), QStringLiteral("selfsigned.pem"),
                                 QStringLiteral("-days"), QStringLiteral("3650"), QStringLiteral("-subj"),
                                 QStringLiteral("/CN=localhost"), QStringLiteral("-addext"),
                                 QStringLiteral("subjectAltName=") + names},
               error);
    return m_Created;
}

QString CMailTestCertificates::caFile() const
{
    return file(QStringLiteral("ca.pem"));
}

QString CMailTestCertificates::certificateFile(Kind kind) const
{
    return file(KindName(kind) + QStringLiteral(".pem"));
}

QString CMailTestCertificates::keyFile(Kind kind) const
{
    return file(KindName(kind) + QStringLiteral(".key"));
}

QSslCertificate CMailTestCertificates::certificate(Kind kind) const
{
    const QList<QSslCertificate> found = QSslCertificate::fromPath(certificateFile(kind));
    return found.isEmpty() ? QSslCertificate() : found.first();
}

QSslKey CMailTestCertificates::key(Kind kind) const
{
    QFile in(keyFile(kind));
    if (!in.open(QIODevice::ReadOnly))
        return QSslKey();
    return QSslKey(in.readAll(), QSsl::Ec);
}

void CMailTestCertificates::trustInThisProcess() const
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.addCaCertificates(caFile());
    QSslConfiguration::setDefaultConfiguration(configuration);
}
