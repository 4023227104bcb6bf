#include "update/update_window.h"

#include "common/guard.h"
#include "common/program_places.h"
#include "common/shell_routines.h"
#include "common/text_tables.h"
#include "library/resource_jpeg.h"
#include "platform/atomic_file.h"
#include "update/update_page.h"
#include "widgets/image_control.h"
#include "widgets/skin_frame.h"
#include "widgets/window_flags.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSslCertificate>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

constexpr int kWidth = 651;
constexpr int kHeight = 165;
// A page larger than this is not an update page; the fetch stops there.
constexpr qint64 kMaxPageBytes = 4 * 1024 * 1024;
// A transfer that stalls this long ends with an error.
constexpr int kPageTimeoutMs = 30000;
constexpr int kDownloadTimeoutMs = 60000;

QString Utf8(const char8_t* text) {
    return QString::fromUtf8(reinterpret_cast<const char*>(text));
}

// A text in the interface language.
QString PerLanguage(const char8_t* simplified, const char8_t* traditional, const char8_t* english) {
    return Utf8(texts::Texts().UiLanguage == texts::TraditionalChinese ? traditional
                : texts::Texts().UiLanguage == texts::English          ? english
                                                                       : simplified);
}

QString DownloadFailedText() {
    return PerLanguage(u8"更新下载失败，请稍后再试", u8"更新下載失敗，請稍後再試",
                       u8"Update download failed, please try again later");
}

QString DownloadCancelledText() {
    return PerLanguage(u8"已取消更新下载", u8"已取消更新下載", u8"Update download cancelled");
}

QString PageText(const QByteArray& data, const QString& contentType) {
    const qsizetype at = contentType.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
    if (at >= 0) {
        const QByteArray name =
            contentType.mid(at + 8).section(';', 0, 0).trimmed().remove('"').toLatin1();
        QStringDecoder decoder(name.constData());
        if (decoder.isValid()) return decoder.decode(data);
    }
    return QString::fromUtf8(data);
}

// The picture under the page: the vendor's artwork and the window's title.
QImage Banner(const QSize& size) {
    QImage banner(size, QImage::Format_RGB32);
    QPainter p(&banner);
    QLinearGradient fill(0, 0, size.width(), 0);
    fill.setColorAt(0, QColor(228, 240, 252));
    fill.setColorAt(1, kBarColor);
    p.fillRect(banner.rect(), fill);
    QImage art;
    LoadResJpeg(art, "QelSoft");
    int textLeft = 24;
    if (!art.isNull()) {
        const QImage scaled = art.scaledToHeight(size.height() - 12, Qt::SmoothTransformation);
        p.drawImage(16, 6, scaled);
        textLeft = 16 + scaled.width() + 20;
    }
    QFont title("Arial");
    title.setPixelSize(22);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0x22, 0x44, 0x77));
    p.drawText(QRect(textLeft, 14, size.width() - textLeft, 34), Qt::AlignLeft | Qt::AlignVCenter,
               Utf8(u8"QEL软件在线升级"));
    QFont line("Arial");
    line.setPixelSize(13);
    p.setFont(line);
    p.setPen(QColor(0x44, 0x44, 0x44));
    p.drawText(QRect(textLeft, 52, size.width() - textLeft, 24), Qt::AlignLeft | Qt::AlignVCenter,
               texts::Texts().ProductTitle + QString::asprintf(" %1.1f", texts::ProgramVersion));
    return banner;
}

} // namespace

TFrmUpdate::TFrmUpdate(QWidget* owner, const QString& programFolder, NoProgramHook noProgram)
    : QWidget(owner, Qt::Dialog), UpdateAddress(texts::Texts().UrlUpdate),
      FSslConfiguration(QSslConfiguration::defaultConfiguration()),
      FNoProgram(std::move(noProgram)) {
    setObjectName("TFrmUpdate");
    MakeFixedDialog(this);
    setWindowTitle(Utf8(u8"QEL软件在线升级"));
    StyleFixedWindow(this, kWidth, kHeight);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    PnlMain = new QWidget(this);
    PnlMain->setObjectName("PnlMain");
    column->addWidget(PnlMain, 1);
    auto* fill = new QVBoxLayout(PnlMain);
    fill->setContentsMargins(0, 0, 0, 0);
    Image1 = new ImageControl(PnlMain);
    Image1->setObjectName("Image1");
    Image1->setAutoSize(false);
    Image1->setStretch(true);
    fill->addWidget(Image1);
    WebBrowser1 = new QTextBrowser(PnlMain);
    WebBrowser1->setObjectName("WebBrowser1");
    WebBrowser1->setOpenLinks(false);
    WebBrowser1->setGeometry(0, -2000, kWidth, 97);
    connect(WebBrowser1, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        Guarded([&] {
            const QUrl target = FPageAddress.resolved(link);
            if (target.scheme() == QLatin1String("https") ||
                target.scheme() == QLatin1String("http"))
                OpenUrl(target.toString(), FNoProgram);
        });
    });

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setFixedHeight(13);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    column->addWidget(ProgressBar1);

    LblHint = new QLabel(Utf8(u8"正在更新软件，请稍候..."), this);
    LblHint->setObjectName("LblHint");
    LblHint->setAlignment(Qt::AlignCenter);
    LblHint->setFixedHeight(18);
    QPalette red = LblHint->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    LblHint->setPalette(red);
    column->addWidget(LblHint);

    Panel2 = new QWidget(this);
    Panel2->setObjectName("Panel2");
    Panel2->setFixedHeight(37);
    column->addWidget(Panel2);
    SpeedButton3 =
        new QPushButton(PerLanguage(u8"立即重启", u8"立即重啟", u8"Restart now"), Panel2);
    SpeedButton3->setObjectName("SpeedButton3");
    SpeedButton3->setGeometry((kWidth - 120) / 2, 5, 120, 27);
    SpeedButton3->hide();
    connect(SpeedButton3, &QAbstractButton::clicked, this, [this] { SpeedButton3Click(); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setSingleShot(true);
    Timer1->setInterval(250);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    FDownloadDelay = new QTimer(this);
    FDownloadDelay->setSingleShot(true);
    FDownloadDelay->setInterval(1000);
    connect(FDownloadDelay, &QTimer::timeout, this, [this] { BeginDownload(); });

    FNetwork = new QNetworkAccessManager(this);

    Guarded([&] {
        layout()->activate();
        Image1->setPicture(Banner(PnlMain->size()));
        const QScreen* screen =
            owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
        if (screen) move(screen->availableGeometry().center() - rect().center());
        FMessagePosition = pos() + QPoint(80, 30);
        const QString folder =
            programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder;
        UpdateFile = QDir(folder).filePath(QStringLiteral("update.exe"));
    });
}

TFrmUpdate::~TFrmUpdate() {
    // Stop the transfers without running their handlers on a window that is going away;
    // an unfinished download leaves nothing behind.
    for (QNetworkReply* reply : {FPageReply.data(), FDownload.data()}) {
        if (!reply) continue;
        reply->disconnect(this);
        reply->abort();
    }
    if (FTarget) FTarget->cancel();
}

void TFrmUpdate::AddCaCertificate(const QSslCertificate& certificate) {
    FSslConfiguration.addCaCertificate(certificate);
}

void TFrmUpdate::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // After the window is on the screen, so that a message box comes up over it.
    if (!e->spontaneous())
        QMetaObject::invokeMethod(
            this, [this] { Guarded([this] { FormShow(); }); }, Qt::QueuedConnection);
}

void TFrmUpdate::FormShow() {
    if (UpdateAddress.isEmpty()) {
        QMessageBox box(QMessageBox::NoIcon, texts::Texts().ProductTitle,
                        QStringLiteral("QELSoftCOMUpdate is null"), QMessageBox::Ok, this);
        box.exec();
    }
    Navigate(QUrl(UpdateAddress));
}

void TFrmUpdate::Navigate(const QUrl& address) {
    if (FPageReply) {
        FPageReply->disconnect(this);
        FPageReply->abort();
        FPageReply->deleteLater();
    }
    Timer1->stop();
    FPageAddress.clear();
    FPageBody.clear();
    // Nothing to fetch: no page ever arrives, so the check never runs.
    if (address.isEmpty() || !address.isValid()) return;
    QNetworkRequest request(address);
    request.setSslConfiguration(FSslConfiguration);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(kPageTimeoutMs);
    QNetworkReply* reply = FNetwork->get(request);
    FPageReply = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
        if (received > kMaxPageBytes) reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply] { Guarded([&] { NavigateComplete(reply); }); });
}

void TFrmUpdate::NavigateComplete(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != FPageReply) return;
    FPageReply = nullptr;
    // A failed fetch is an error page: it has an address but nothing of the vendor's.
    FPageAddress = reply->url();
    if (reply->error() == QNetworkReply::NoError)
        FPageBody = BodyOfPage(PageText(
            reply->readAll(), reply->header(QNetworkRequest::ContentTypeHeader).toString()));
    Timer1->start();
}

bool TFrmUpdate::ReadPage() {
    if (FPageAddress.isEmpty() || FPageBody.isEmpty()) return false;
    UpdatePageText = LowerAscii(FPageBody);
    return !UpdatePageText.isEmpty();
}

bool TFrmUpdate::CheckUpdatePage(QTextBrowser* browser, int panelWidth, int panelHeight,
                                 QWidget* picture) {
    bool vendor = false;
    Guarded([&] {
        vendor = ReadPage() && IsVendorPage(UpdatePageText);
        if (vendor) {
            browser->setHtml(FPageBody);
            browser->setGeometry(-2, -2, panelWidth + 4, panelHeight + 4);
            picture->hide();
        } else {
            browser->move(-2000, browser->y());
            picture->show();
            if (picture->parentWidget()) picture->parentWidget()->show();
        }
    });
    return vendor;
}

bool TFrmUpdate::IsNewerVersionPublished() {
    bool newer = false;
    Guarded([&] {
        if (!ReadPage() || !IsVendorPage(UpdatePageText)) return;
        ParseUpdatePage();
        FDownloadUrl = SafeDownloadUrl(DownloadAddress, FPageAddress);
        newer = IsNewerThanProgram(PublishedVersion) && FDownloadUrl.isValid();
    });
    return newer;
}

void TFrmUpdate::ParseUpdatePage() {
    ::ParseUpdatePage(UpdatePageText, PublishedVersion, DownloadAddress);
}

void TFrmUpdate::Timer1Timer() {
    Guarded([this] {
        Timer1->stop();
        if (CheckUpdatePage(WebBrowser1, PnlMain->width(), PnlMain->height(), Image1) &&
            IsNewerVersionPublished()) {
            StartDownload();
            return;
        }
        ShowMessageAtPosition(Utf8(u8"已经是最新版本"));
        close();
    });
}

void TFrmUpdate::ShowMessageAtPosition(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, texts::Texts().ProductTitle, text, QMessageBox::Ok, this);
    box.move(FMessagePosition);
    box.exec();
}

void TFrmUpdate::StartDownload() {
    Guarded([this] {
        LblHint->setText(Utf8(u8"软件正在更新中，请稍候..."));
        FDownloadDelay->start();
    });
}

void TFrmUpdate::BeginDownload() {
    Guarded([this] {
        if (FDownload) return;
        ProgressBar1->setRange(0, 100);
        ProgressBar1->setValue(0);
        // The file is written beside update.exe and takes its name only when complete.
        FWriteFailed = false;
        EnsureFolder(QFileInfo(UpdateFile).absolutePath());
        FTarget = std::make_unique<AtomicFile>(UpdateFile);
        if (!FTarget->open()) {
            EndDownload(DownloadFailedText());
            return;
        }
        QNetworkRequest request(FDownloadUrl);
        request.setSslConfiguration(FSslConfiguration);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setTransferTimeout(kDownloadTimeoutMs);
        QNetworkReply* reply = FNetwork->get(request);
        FDownload = reply;
        // Progress is reported per piece received (the reply's own progress signal is
        // throttled and may stay silent while a transfer stalls).
        connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
            if (!FTarget) return;
            const QByteArray chunk = reply->readAll();
            if (FTarget->write(chunk) != chunk.size()) {
                FWriteFailed = true;
                reply->abort();
                return;
            }
            const QVariant total = reply->header(QNetworkRequest::ContentLengthHeader);
            DownloadProgress(FTarget->size(), total.isValid() ? total.toLongLong() : -1);
        });
        connect(reply, &QNetworkReply::finished, this,
                [this] { Guarded([this] { DownloadFinished(); }); });
    });
}

void TFrmUpdate::DownloadProgress(qint64 received, qint64 total) {
    Guarded([&] {
        if (total <= 0) {
            ProgressBar1->setRange(0, 0); // size unknown: a busy bar
            return;
        }
        // The bar counts in int; very large files are counted in kilobytes.
        const int shift = total > std::numeric_limits<int>::max() ? 10 : 0;
        ProgressBar1->setMaximum(int(total >> shift));
        ProgressBar1->setValue(int(std::min(received, total) >> shift));
    });
}

void TFrmUpdate::DownloadFinished() {
    QNetworkReply* reply = FDownload;
    FDownload = nullptr;
    if (!reply || !FTarget) return;
    reply->deleteLater();
    const QByteArray rest = reply->readAll();
    if (FTarget->write(rest) != rest.size()) FWriteFailed = true;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool complete = reply->error() == QNetworkReply::NoError && !FWriteFailed &&
                          status >= 200 && status < 300 && FTarget->size() > 0;
    if (complete) {
        FTarget->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                QFileDevice::ExeOther);
        if (FTarget->commit()) {
            FTarget.reset();
            if (ProgressBar1->maximum() == 0) ProgressBar1->setRange(0, 1);
            ProgressBar1->setValue(ProgressBar1->maximum());
            EndDownload(Utf8(u8"更新完成，关闭后将自动重启软件"));
            SpeedButton3->show();
            return;
        }
    }
    EndDownload(DownloadFailedText());
}

void TFrmUpdate::EndDownload(const QString& hint) {
    if (FTarget) {
        FTarget->cancel();
        FTarget.reset();
    }
    LblHint->setText(hint);
}

void TFrmUpdate::closeEvent(QCloseEvent* e) {
    Guarded([this] {
        Timer1->stop();
        if (FPageReply) {
            FPageReply->disconnect(this);
            FPageReply->abort();
            FPageReply->deleteLater();
        }
        const bool downloading = FDownload || FDownloadDelay->isActive();
        FDownloadDelay->stop();
        if (FDownload) {
            QNetworkReply* reply = FDownload;
            FDownload = nullptr;
            reply->disconnect(this);
            reply->abort();
            reply->deleteLater();
        }
        if (downloading) EndDownload(DownloadCancelledText());
    });
    e->accept();
}

void TFrmUpdate::SpeedButton3Click() {
    Guarded([this] {
        ShellOpenHidden(UpdateFile, FNoProgram);
        QCoreApplication::quit();
    });
}
