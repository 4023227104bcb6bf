// Stand-ins for the programs the shell routines start (xdg-open, picture editors). Each
// fake records the arguments of every call, one per line, so that tests can see what was
// asked to open. While the object lives its folder comes first on PATH.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

class FakePrograms {
  public:
    // names: the programs to fake. With onlyThese the system's own programs are out of
    // reach (PATH holds the fakes' folder alone).
    explicit FakePrograms(const QStringList& names = {"xdg-open", "kolourpaint"},
                          bool onlyThese = false);
    ~FakePrograms();
    FakePrograms(const FakePrograms&) = delete;
    FakePrograms& operator=(const FakePrograms&) = delete;

    // Writes an executable that records its calls under `name` to `path` and ends with
    // `exitCode` (xdg-open's 3: no program for the target).
    void writeRecorder(const QString& path, const QString& name, int exitCode = 0) const;
    // Makes the fake `name` end with `exitCode` from now on.
    void setExitCode(const QString& name, int exitCode) const;

    // Waits (bounded) until `name` has been called `count` times in all and returns the
    // arguments of every recorded call, in no particular order.
    QList<QStringList> waitForCalls(const QString& name, int count = 1) const;
    // Every call of `name` recorded so far.
    QList<QStringList> calls(const QString& name) const;
    // Forgets the recorded calls.
    void clear() const;

  private:
    QTemporaryDir m_dir;
    QByteArray m_oldPath;
};
