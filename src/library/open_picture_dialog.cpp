#include "library/open_picture_dialog.h"

#include "common/picture_formats.h"
#include "common/text_tables.h"
#include "library/picture_codecs.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewSide = 160;

QString FilterLabel(const QString& ext) {
    if (ext == ".jpg" || ext == ".jpeg") return QStringLiteral("JPEG Image File");
    if (ext == ".bmp") return QStringLiteral("Bitmaps");
    if (ext == ".png") return QStringLiteral("Portable Network Graphics");
    if (ext == ".emf") return QStringLiteral("Enhanced Metafiles");
    if (ext == ".wmf") return QStringLiteral("Metafiles");
    return QStringLiteral("Icons");
}

// Both letter cases, since the loaders take ".JPG" as well as ".jpg".
QString Patterns(const QString& ext) {
    return '*' + ext + QStringLiteral(" *") + ext.toUpper();
}

} // namespace

QStringList PictureFileFilters() {
    QStringList all;
    QStringList filters;
    for (const QString& ext : PictureFormatList()) {
        all << Patterns(ext);
        filters << FilterLabel(ext) + QStringLiteral(" (") + Patterns(ext) + ')';
    }
    filters.prepend(QStringLiteral("All (") + all.join(' ') + ')');
    return filters;
}

PictureFileDialog::PictureFileDialog(QWidget* parent, Mode mode, const QString& folder,
                                     int formatIndex)
    : QFileDialog(parent) {
    setOption(QFileDialog::DontUseNativeDialog);
    setDirectory(folder);
    const QStringList filters = PictureFileFilters();
    setNameFilters(filters);
    if (formatIndex >= 0 && formatIndex + 1 < filters.size())
        selectNameFilter(filters.at(formatIndex + 1));
    if (mode == Mode::Open) {
        setAcceptMode(QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::ExistingFiles);
    } else {
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
        setDefaultSuffix(QStringLiteral("jpg"));
    }

    auto* preview = new QWidget(this);
    preview->setObjectName("PicturePreview");
    auto* column = new QVBoxLayout(preview);
    column->setContentsMargins(6, 0, 0, 0);
    auto* title = new QLabel(texts::Texts().TxtPreview, preview);
    PreviewSize = new QLabel(preview);
    PreviewSize->setObjectName("PreviewSize");
    PreviewImage = new QLabel(preview);
    PreviewImage->setObjectName("PreviewImage");
    PreviewImage->setFixedSize(kPreviewSide, kPreviewSide);
    PreviewImage->setAlignment(Qt::AlignCenter);
    PreviewImage->setFrameShape(QFrame::StyledPanel);
    column->addWidget(title);
    column->addWidget(PreviewSize);
    column->addWidget(PreviewImage);
    column->addStretch(1);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);

    resize(860, 500);
    connect(this, &QFileDialog::currentChanged, this,
            [this](const QString& path) { showPreview(path); });
}

void PictureFileDialog::showPreview(const QString& path) {
    QImage picture;
    if (!QFileInfo(path).isFile() || !DecodePictureFile(path, picture) || picture.isNull()) {
        PreviewSize->clear();
        PreviewImage->clear();
        return;
    }
    PreviewSize->setText(QStringLiteral("%1 x %2").arg(picture.width()).arg(picture.height()));
    if (picture.width() > kPreviewSide || picture.height() > kPreviewSide)
        picture = picture.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);
    PreviewImage->setPixmap(QPixmap::fromImage(picture));
}

QStringList ChoosePicturesToOpen(QWidget* parent, const QString& folder, int formatIndex) {
    PictureFileDialog dialog(parent, PictureFileDialog::Mode::Open, folder, formatIndex);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

QString ChoosePictureToSave(QWidget* parent, const QString& folder, int formatIndex) {
    PictureFileDialog dialog(parent, PictureFileDialog::Mode::Save, folder, formatIndex);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}
