// Writing a file that appears under its name only whole. The data goes into a file without
// a name in the target's folder, which vanishes by itself if the program dies or the write
// fails; only a complete, synced file is given a name. Where the file system cannot make a
// file without a name, a hidden temporary file is used instead (see IsAtomicFileTempName).
#pragma once

#include <QFileDevice>
#include <QIODevice>
#include <QString>

class AtomicFile : public QIODevice {
  public:
    // `path` is the file that commit() replaces; a symbolic link there is followed, so the
    // file it points to is the one replaced. Nothing happens on disk before open().
    explicit AtomicFile(QString path);
    // Discards whatever was not committed.
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Starts the file in the target's folder, for writing only. False with errorString() and
    // systemError() set when the folder cannot take it.
    bool open(OpenMode mode = WriteOnly) override;

    // Makes the written data durable and gives it the target's name, replacing the file
    // there (whose permissions and owner the new file takes over). False when any write
    // failed, the data could not be synced or the name not given; then the old file is as
    // it was and nothing of the new one remains.
    bool commit();

    // Makes the written data durable and gives it the name `name` (a path in the same
    // file system) unless something already exists there: then the result is false,
    // nameTaken() is true and the file stays open for another name. Any other failure
    // discards the data.
    bool commitNew(const QString& name);
    bool nameTaken() const { return nameTaken_; }

    // Discards the data; nothing of it remains on disk.
    void cancel();
    void close() override { cancel(); }

    // The system's error number of the first failure, 0 when there was none.
    int systemError() const { return error_; }

    // The permissions the file gets, instead of those of the file it replaces (or, for a new
    // file, read and write as the umask allows). Only while open.
    bool setPermissions(QFileDevice::Permissions permissions);

    // The number of bytes written so far.
    qint64 size() const override { return written_; }
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override;

  private:
    bool fail(int error);
    bool sync();
    // Gives a file without a name a hidden temporary name in the folder.
    bool linkTempName();
    void closeFiles();

    QString path_;
    QByteArray folder_;   // the target's folder, encoded
    QByteArray baseName_; // the target's name in it, encoded
    int dirFd_ = -1;
    int fd_ = -1;
    QByteArray tempName_; // the hidden name of the data in the folder, if it has one
    qint64 written_ = 0;
    bool modeSet_ = false;
    bool synced_ = false;
    bool nameTaken_ = false;
    int error_ = 0;
};

// Whether a file name is one of the hidden temporary names this program writes pictures
// and settings through (".qelshot-" and six letters or digits, then an extension), which
// may be left behind where the program was killed during a save.
bool IsAtomicFileTempName(const QString& fileName);
