// libFuzzer harness for the settings file parser. Whatever the bytes, reading and writing
// keys must neither crash, hang nor leak, a written key must read back, and the text the
// profile would save must read back to the same lines once it has been saved once.
#include "common/profile_file.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The profile reads files; the inputs go through a file in memory, reached by its /proc name.
class MemoryFile {
  public:
    MemoryFile() : fd_(memfd_create("profile", MFD_CLOEXEC)) {}
    ~MemoryFile() {
        if (fd_ >= 0) close(fd_);
    }
    QString path(const QByteArray& contents) const {
        if (fd_ < 0 || ftruncate(fd_, 0) != 0) __builtin_trap();
        for (qsizetype done = 0; done < contents.size();) {
            const ssize_t n = pwrite(fd_, contents.constData() + done,
                                     size_t(contents.size() - done), off_t(done));
            if (n <= 0) __builtin_trap();
            done += n;
        }
        return QStringLiteral("/proc/self/fd/%1").arg(fd_);
    }

  private:
    int fd_;
};

QByteArray SavedText(const ProfileFile& profile) {
    QByteArray text;
    for (const QString& line : profile.lines())
        text += line.toUtf8() + '\n';
    return text;
}

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MemoryFile file;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ProfileFile profile(file.path(bytes));
    Check(profile.existedAtOpen());

    // Lookups of the program's own keys, as a start does.
    for (const char* key : {"PicPath", "PicFormat", "MarkX", "hotkey1_1", "FontName"}) {
        Check(profile.readString("default", key, "d").size() <= 2047);
        profile.readInteger("font", key, 7);
        profile.readBool("hotkey", key, true);
    }

    // A written key reads back, wherever its section and key stand in the text.
    const qsizetype before = profile.lines().size();
    profile.writeString("Hotkey", "hotkey1_3", "F\nx");
    profile.writeInteger("default", "MarkX", -12);
    Check(profile.readString("HOTKEY", "HOTKEY1_3", "") == QStringLiteral("F x"));
    Check(profile.readInteger("Default", "markx", 0) == -12);
    Check(profile.lines().size() <= before + 4);

    // Saved once, the text is plain UTF-8 lines: reading and saving it again changes nothing.
    ProfileFile saved(file.path(SavedText(profile)));
    const QByteArray once = SavedText(saved);
    Check(saved.readInteger("default", "MarkX", 0) == -12);
    ProfileFile again(file.path(once));
    Check(SavedText(again) == once);
    Check(again.lines() == saved.lines());
    return 0;
}
