// The toolkit's catalogue belongs to its owner: it holds while the owner lives, a second
// install replaces the first, and the toolkit's own texts come back when the owner goes.
#include "common/toolkit_translation.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QString OkText() {
    QDialogButtonBox box(QDialogButtonBox::Ok);
    return box.button(QDialogButtonBox::Ok)->text();
}

} // namespace

TEST(ToolkitTranslation, TheCatalogueLastsAsLongAsItsOwner) {
    const QString untranslated = OkText();
    ASSERT_EQ(untranslated, "OK");
    {
        ToolkitTranslation first;
        ASSERT_TRUE(first.install(1));
        EXPECT_EQ(OkText(), QString::fromUtf8(u8"確定"));
        ASSERT_TRUE(first.install(0));
        EXPECT_EQ(OkText(), QString::fromUtf8(u8"确定"));
        {
            // A second owner's catalogue goes with it; the first one's holds again.
            ToolkitTranslation second;
            ASSERT_TRUE(second.install(1));
            EXPECT_EQ(OkText(), QString::fromUtf8(u8"確定"));
        }
        EXPECT_EQ(OkText(), QString::fromUtf8(u8"确定"));
    }
    // Neither the replaced catalogue nor the last one stays behind.
    EXPECT_EQ(OkText(), untranslated);
}
