#include "app/picture_list.h"

#include "app/control_rows.h"
#include "common/text_tables.h"
#include "library/pic_folder.h"

#include <QMenu>
#include <QStyledItemDelegate>

namespace {

// Every entry of the picture list is 16 pixels high.
class PicListDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(16);
        return size;
    }
};

} // namespace

PictureList::PictureList(QWidget* parent) : QListWidget(parent) {
    setObjectName("BitmapListBox");
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setItemDelegate(new PicListDelegate(this));
    setUniformItemSizes(true);

    PmImgList = Named(new QMenu(this), "PmImgList");
    MakeMenuItems(PmImgList, ListMenuItems(),
                  [this](FormCommand handler) { emit command(handler); });
    connect(this, &QWidget::customContextMenuRequested, PmImgList,
            [this](const QPoint& p) { PmImgList->popup(mapToGlobal(p)); });
}

void PictureList::fill(const QString& folder, const QStringList& names) {
    clear();
    FFolder = folder;
    addItems(names);
}

void PictureList::clearAll() {
    clear();
    FFolder.clear();
}

void PictureList::addFile(const QString& path) {
    auto* item = new QListWidgetItem(FileNamePart(path));
    item->setData(Qt::UserRole, path);
    addItem(item);
}

QString PictureList::pathOf(int row) const {
    const QListWidgetItem* entry = item(row);
    if (!entry) return QString();
    // Entries added for a file from elsewhere carry their own path; the others lie in the
    // folder the list was filled from.
    const QVariant own = entry->data(Qt::UserRole);
    return own.isValid() ? own.toString() : FFolder + entry->text();
}

void PictureList::applyTexts() {
    setToolTip(texts::Texts().TxtListHint);
    WordMenuItems(PmImgList, ListMenuItems());
}
