// A web server on 127.0.0.1 for the update tests: HTTPS with a certificate made for the
// test run, plus a plain-HTTP port, both serving the files of one folder and recording every
// path asked for. Paths under /half/ send the first half of the file and hang up; paths
// under /stall/ send the first half and then wait.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QSslCertificate>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class LocalHttpsServer {
  public:
    LocalHttpsServer();
    ~LocalHttpsServer();
    LocalHttpsServer(const LocalHttpsServer&) = delete;
    LocalHttpsServer& operator=(const LocalHttpsServer&) = delete;

    // Whether the server runs; when not, error() says why.
    bool isRunning() const { return m_httpsPort > 0; }
    QString error() const { return m_error; }

    // The certificate the server presents (its own authority).
    QSslCertificate certificate() const { return m_certificate; }
    QString httpsBase() const { return QStringLiteral("https://127.0.0.1:%1").arg(m_httpsPort); }
    QString httpBase() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_httpPort); }

    // Puts a file into the served folder; path without the leading '/'.
    void serve(const QString& path, const QByteArray& data);
    // Every request so far as "https /path" or "http /path".
    QStringList requests() const;

  private:
    bool run(const QString& program, const QStringList& arguments);

    QTemporaryDir m_dir;
    QProcess m_process;
    QSslCertificate m_certificate;
    int m_httpsPort = 0;
    int m_httpPort = 0;
    QString m_error;
};
