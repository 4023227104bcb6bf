#include "app/window_module.h"

#include "app/command_line.h"

#include <QString>

#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace {

using Entry = int (*)(int*, char**);

// The folder of the running program file, as the kernel knows it.
std::filesystem::path ProgramFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

} // namespace

int RunWindowModule(int& argc, char** argv) {
    const std::filesystem::path folder = ProgramFolder();
    const std::filesystem::path places[] = {folder / kWindowModuleName,
                                            folder / ".." / "lib" / "qelshot" / kWindowModuleName};
    for (const std::filesystem::path& place : places) {
        std::error_code error;
        if (folder.empty() || !std::filesystem::is_regular_file(place, error)) continue;
        // Its own symbols stay its own: the executable's copies of the shared code never
        // stand in for the module's.
        void* module = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            SayFailure(
                QString::fromUtf8(u8"无法载入窗口模块 %1：%2")
                    .arg(QString::fromLocal8Bit(place.c_str()), QString::fromLocal8Bit(dlerror())));
            return 1;
        }
        const auto entry = reinterpret_cast<Entry>(dlsym(module, kWindowModuleEntry));
        if (!entry) {
            SayFailure(
                QString::fromUtf8(u8"窗口模块 %1 不完整：%2")
                    .arg(QString::fromLocal8Bit(place.c_str()), QString::fromLocal8Bit(dlerror())));
            return 1;
        }
        return entry(&argc, argv);
    }
    SayFailure(QString::fromUtf8(u8"找不到窗口模块 %1（应在程序文件旁或 ../lib/qelshot/ 中）")
                   .arg(QString::fromLatin1(kWindowModuleName)));
    return 1;
}
