// Refreshing the picture list from a folder of 10 000 files (9 000 pictures, mixed numbered
// and named, 1 000 other files): the listing and sorting alone, and the main window's whole
// refresh (validation, listing, sorting, filling the list box).
#include "app/main_window.h"
#include "common/path_routines.h"
#include "common/picture_formats.h"
#include "library/pic_folder.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kFiles = 10000;

// The folder is made once per run; names are numbered, prefixed or plain words.
const QTemporaryDir& PictureFolder() {
    static QTemporaryDir dir;
    static const bool filled = [] {
        const QStringList exts = PictureFormatList();
        for (int i = 0; i < kFiles; ++i) {
            QString name;
            if (i % 10 == 9)
                name = QString("note%1.txt").arg(i);
            else if (i % 3 == 0)
                name = QString("PIC%1").arg(i) + exts.at(i % exts.size());
            else
                name = QString::number((i * 7919) % kFiles) + '_' + QString::number(i) +
                       exts.at(i % exts.size());
            QFile file(dir.path() + '/' + name);
            file.open(QIODevice::WriteOnly);
        }
        return true;
    }();
    (void)filled;
    return dir;
}

void BM_ListAndSort10000(benchmark::State& state) {
    const QString folder = PictureFolder().path() + '/';
    qsizetype listed = 0;
    for (auto _ : state) {
        QStringList paths;
        ListFolderFiles(folder, paths);
        const QStringList names = PicNamesOf(paths, PictureFormatList());
        listed = names.size();
        benchmark::DoNotOptimize(names);
    }
    state.counters["listed"] = double(listed);
}
BENCHMARK(BM_ListAndSort10000)->Unit(benchmark::kMillisecond);

void BM_SortOnly9000(benchmark::State& state) {
    QStringList paths;
    ListFolderFiles(PictureFolder().path() + '/', paths);
    QStringList names;
    for (const QString& path : paths)
        names << FileNamePart(path);
    for (auto _ : state) {
        QStringList copy = names;
        SortPicNames(copy);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_SortOnly9000)->Unit(benchmark::kMillisecond);

void BM_RefreshPicList10000(benchmark::State& state) {
    QTemporaryDir appDir;
    TFrmMain form(nullptr, appDir.path());
    form.findChild<QLineEdit*>("EdtPicPath")->setText(PictureFolder().path());
    for (auto _ : state)
        form.RefreshPicList();
    state.counters["entries"] = double(form.findChild<QListWidget*>("BitmapListBox")->count());
}
BENCHMARK(BM_RefreshPicList10000)->Unit(benchmark::kMillisecond);

} // namespace
