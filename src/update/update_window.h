// The online-update window: fetches the vendor's update page, makes sure it is the
// vendor's, compares the published version with the program's and downloads the updater
// to "update.exe" beside the program, then offers to start it.
#pragma once

#include "common/shell_routines.h"

#include <QPointer>
#include <QSslConfiguration>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <memory>

class ImageControl;
class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QProgressBar;
class QPushButton;
class AtomicFile;
class QSslCertificate;
class QTextBrowser;
class QTimer;

class TFrmUpdate : public QWidget {
    Q_OBJECT
  public:
    // owner: the vendor panel. programFolder: where "update.exe" goes (created when
    // needed); empty means the folder of the program file. noProgram: told when no
    // program could open a page's link or the updater.
    explicit TFrmUpdate(QWidget* owner = nullptr, const QString& programFolder = QString(),
                        NoProgramHook noProgram = {});
    ~TFrmUpdate() override;

    // Trusts one more certificate authority for the page and the download (besides the
    // system's).
    void AddCaCertificate(const QSslCertificate& certificate);

    // Whether the fetched page is the vendor's update page; shows it over the panel when
    // it is, the picture otherwise.
    bool CheckUpdatePage(QTextBrowser* browser, int panelWidth, int panelHeight, QWidget* picture);
    // Whether the fetched page is the vendor's and offers a newer version from an address
    // the updater may safely come from.
    bool IsNewerVersionPublished();
    void ParseUpdatePage();
    void StartDownload();

    QWidget* PnlMain = nullptr;
    ImageControl* Image1 = nullptr;
    QTextBrowser* WebBrowser1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* LblHint = nullptr;
    QWidget* Panel2 = nullptr;
    QPushButton* SpeedButton3 = nullptr;
    QTimer* Timer1 = nullptr;

    // The vendor's update page, fetched each time the window is shown: the interface
    // table's address unless told otherwise.
    QString UpdateAddress;
    QString UpdatePageText;
    float PublishedVersion = 0.0f;
    QString DownloadAddress;
    QString UpdateFile;

  protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void FormShow();
    void Navigate(const QUrl& address);
    void NavigateComplete(QNetworkReply* reply);
    void Timer1Timer();
    void BeginDownload();
    void DownloadProgress(qint64 received, qint64 total);
    void DownloadFinished();
    void EndDownload(const QString& hint);
    void SpeedButton3Click();
    void ShowMessageAtPosition(const QString& text);
    // Reads the fetched page into UpdatePageText; false when there is no page to read.
    bool ReadPage();

    QNetworkAccessManager* FNetwork = nullptr;
    QSslConfiguration FSslConfiguration;
    QPointer<QNetworkReply> FPageReply;
    QPointer<QNetworkReply> FDownload;
    std::unique_ptr<AtomicFile> FTarget;
    bool FWriteFailed = false;
    QTimer* FDownloadDelay = nullptr;
    QUrl FDownloadUrl;
    // The page last fetched: its final address and its body.
    QUrl FPageAddress;
    QString FPageBody;
    QPoint FMessagePosition;
    NoProgramHook FNoProgram;
};
