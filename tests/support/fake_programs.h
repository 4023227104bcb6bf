// Stand-ins for the programs the shell routines start (xdg-open, picture editors). Each
// fake records the arguments of every call, one per line, and the order in which the calls
// of all the fakes started, so that tests can see what was asked to open and when. While the
// object lives its folder comes first on PATH (also for a program a test starts).
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>

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
    // One call of a fake: the fake's name and the arguments it was given.
    struct Call {
        QString program;
        QStringList arguments;
        bool operator==(const Call&) const = default;
    };
    // The finished calls of all the fakes in the order they started, up to the first one
    // still running.
    QList<Call> orderedCalls() const;
    // Waits (bounded) until `count` calls are in orderedCalls and returns those.
    QList<Call> waitForOrderedCalls(int count) const;

    // Forgets the recorded calls.
    void clear() const;

  private:
    // The arguments of one finished call by its record's name; false while it runs.
    bool readCall(const QString& record, QStringList& arguments) const;

    QTemporaryDir m_dir;
    QByteArray m_oldPath;
};

// Readable failures in expectations on calls.
void PrintTo(const FakePrograms::Call& call, std::ostream* out);
