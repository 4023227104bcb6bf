#include "support/fake_programs.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

namespace {

constexpr int kWaitMs = 10000;

} // namespace

FakePrograms::FakePrograms(const QStringList& names, bool onlyThese) : m_oldPath(qgetenv("PATH")) {
    QDir(m_dir.path()).mkdir("calls");
    QDir(m_dir.path()).mkdir("bin");
    for (const QString& name : names)
        writeRecorder(m_dir.path() + "/bin/" + name, name);
    const QByteArray bin = QFile::encodeName(m_dir.path() + "/bin");
    qputenv("PATH", onlyThese ? bin : bin + ':' + m_oldPath);
}

FakePrograms::~FakePrograms() {
    qputenv("PATH", m_oldPath);
}

void FakePrograms::setExitCode(const QString& name, int exitCode) const {
    writeRecorder(m_dir.path() + "/bin/" + name, name, exitCode);
}

void FakePrograms::writeRecorder(const QString& path, const QString& name, int exitCode) const {
    // A call's record appears at once and whole: written aside, then renamed into place.
    // Its name goes first into the list of calls in starting order (one short appended
    // line, so calls that start together do not mix theirs).
    const QString prefix = m_dir.path() + "/calls/" + name + '.';
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(("#!/bin/sh\n"
                "out='" +
                prefix +
                "'\"$$\"\n"
                "printf '%s\\n' \"${out##*/}\" >> '" +
                m_dir.path() +
                "/order'\n"
                ": > \"$out.part\"\n"
                "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out.part\"; done\n"
                "/bin/mv \"$out.part\" \"$out\"\n"
                "exit " +
                QString::number(exitCode) + "\n")
                   .toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool FakePrograms::readCall(const QString& record, QStringList& arguments) const {
    QFile file(m_dir.path() + "/calls/" + record);
    if (!file.open(QIODevice::ReadOnly)) return false;
    arguments = QString::fromUtf8(file.readAll()).split('\n');
    arguments.removeLast();
    return true;
}

QList<QStringList> FakePrograms::calls(const QString& name) const {
    QList<QStringList> result;
    const QDir dir(m_dir.path() + "/calls");
    for (const QString& entry : dir.entryList({name + ".*"}, QDir::Files)) {
        if (entry.endsWith(".part")) continue;
        QStringList args;
        if (readCall(entry, args)) result.append(args);
    }
    return result;
}

QList<FakePrograms::Call> FakePrograms::orderedCalls() const {
    QList<Call> result;
    QFile order(m_dir.path() + "/order");
    if (!order.open(QIODevice::ReadOnly)) return result;
    for (const QString& record : QString::fromUtf8(order.readAll()).split('\n')) {
        // The last line may not be whole yet.
        const qsizetype dot = record.lastIndexOf('.');
        Call call;
        if (dot <= 0 || !readCall(record, call.arguments)) break;
        call.program = record.left(dot);
        result.append(call);
    }
    return result;
}

QList<FakePrograms::Call> FakePrograms::waitForOrderedCalls(int count) const {
    const QDeadlineTimer deadline(kWaitMs);
    QList<Call> found = orderedCalls();
    while (found.size() < count && !deadline.hasExpired()) {
        QThread::msleep(20);
        found = orderedCalls();
    }
    return found;
}

QList<QStringList> FakePrograms::waitForCalls(const QString& name, int count) const {
    const QDeadlineTimer deadline(kWaitMs);
    QList<QStringList> found = calls(name);
    while (found.size() < count && !deadline.hasExpired()) {
        QThread::msleep(20);
        found = calls(name);
    }
    return found;
}

void FakePrograms::clear() const {
    QDir dir(m_dir.path() + "/calls");
    for (const QString& entry : dir.entryList(QDir::Files))
        dir.remove(entry);
    QFile::remove(m_dir.path() + "/order");
}

void PrintTo(const FakePrograms::Call& call, std::ostream* out) {
    *out << call.program.toStdString();
    for (const QString& argument : call.arguments)
        *out << " [" << argument.toStdString() << ']';
}
