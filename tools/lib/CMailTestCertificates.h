#ifndef CMAILTESTCERTIFICATES_H
#define CMAILTESTCERTIFICATES_H

#include <QHostAddress>
#include <QList>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTemporaryDir>

// Throwaway certificates for the mail tests, made with the openssl command
// for one run: a CA, a server certificate it signs for the given addresses
// (and "localhost"), a self-signed certificate for the same names and a
// CA-signed one for another address only. Nothing is installed system-wide:
// trustInThisProcess() adds the CA to this process's default TLS settings.
class CMailTestCertificates
{
public:
    enum Kind { Trusted, SelfSigned, WrongAddress };

    CMailTestCertificates() = default;
    CMailTestCertificates(const CMailTestCertificates&) = delete;
    CMailTestCertificates& operator=(const CMailTestCertificates&) = delete;

    // False with the reason in `error` when openssl is missing or fails.
    bool create(const QList<QHostAddress>& addresses, const QHostAddress& otherAddress,
                QString* error);

    QString caFile() const;
    QString certificateFile(Kind kind) const;
    QString keyFile(Kind kind) const;
    QSslCertificate certificate(Kind kind) const;
    QSslKey key(Kind kind) const;

    void trustInThisProcess() const;

private:
    bool run(const QStringList& arguments, QString* error) const;
    bool signedCertificate(const QString& name, const QString& subjectAltName, QString* error) const;
    QString file(const QString& name) const { return m_Dir.filePath(name); }

    QTemporaryDir m_Dir;
    bool m_Created = false;
};

#endif // CMAILTESTCERTIFICATES_H
