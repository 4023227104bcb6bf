#include "update/local_https_server.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const char kServerScript[] = R"PY(
import http.server, os, ssl, sys, threading, time

root, log_path, cert, key = sys.argv[1:5]
log_lock = threading.Lock()

def record(line):
    with log_lock, open(log_path, "a") as log:
        log.write(line + "\n")

class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=root, **kwargs)

    def log_message(self, *args):
        pass

    def do_GET(self):
        record(self.server.scheme + " " + self.path)
        for prefix, stall in (("/half/", False), ("/stall/", True)):
            if self.path.startswith(prefix):
                return self.send_half(self.path[len(prefix):], stall)
        return super().do_GET()

    def send_half(self, name, stall):
        with open(os.path.join(root, name), "rb") as f:
            data = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data[: len(data) // 2])
        self.wfile.flush()
        if stall:
            time.sleep(120)

def start(scheme, context):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.scheme = scheme
    if context:
        server.socket = context.wrap_socket(server.socket, server_side=True)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.server_address[1]

context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(cert, key)
print(start("https", context), start("http", None), flush=True)
sys.stdin.read()
)PY";

} // namespace

LocalHttpsServer::LocalHttpsServer() {
    if (!m_dir.isValid()) {
        m_error = "no temporary folder";
        return;
    }
    const QString dir = m_dir.path();
    QDir().mkpath(dir + "/www");
    const QString openssl = QStandardPaths::findExecutable("openssl");
    const QString python = QStandardPaths::findExecutable("python3");
    if (openssl.isEmpty() || python.isEmpty()) {
        m_error = "openssl or python3 missing";
        return;
    }
    if (!run(openssl,
             {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
              "-days", "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
              "-keyout", dir + "/key.pem", "-out", dir + "/cert.pem"}))
        return;
    const QList<QSslCertificate> certificates = QSslCertificate::fromPath(dir + "/cert.pem");
    if (certificates.isEmpty()) {
        m_error = "openssl made no readable certificate";
        return;
    }
    m_certificate = certificates.first();

    QFile script(dir + "/server.py");
    if (!script.open(QIODevice::WriteOnly) || script.write(kServerScript) < 0) {
        m_error = "cannot write the server script";
        return;
    }
    script.close();
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(python, {script.fileName(), dir + "/www", dir + "/requests.log",
                             dir + "/cert.pem", dir + "/key.pem"});
    if (!m_process.waitForStarted(10000)) {
        m_error = "python3 did not start";
        return;
    }
    while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
    }
    const QStringList ports = QString::fromLatin1(m_process.readLine()).split(' ');
    if (ports.size() != 2) {
        m_error =
            "the server did not start: " + QString::fromUtf8(m_process.readAllStandardError());
        return;
    }
    m_httpPort = ports[1].trimmed().toInt();
    m_httpsPort = ports[0].toInt();
}

LocalHttpsServer::~LocalHttpsServer() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.closeWriteChannel(); // the server ends when its input closes
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool LocalHttpsServer::run(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    if (tool.waitForFinished(30000) && tool.exitStatus() == QProcess::NormalExit &&
        tool.exitCode() == 0)
        return true;
    m_error = program + " failed: " + QString::fromUtf8(tool.readAllStandardError());
    return false;
}

void LocalHttpsServer::serve(const QString& path, const QByteArray& data) {
    const QString file = m_dir.path() + "/www/" + path;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(data);
}

QStringList LocalHttpsServer::requests() const {
    QFile log(m_dir.path() + "/requests.log");
    if (!log.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
}
