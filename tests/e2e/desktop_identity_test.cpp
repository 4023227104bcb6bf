// What the window manager and a taskbar learn from the program's main window: the class
// that ties it to the installed desktop entry, and the program's icon in every size.

#include "e2e/e2e_app.h"
#include "support/desktop_entry.h"

#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

#include <gtest/gtest.h>

TEST(DesktopIdentity, MainWindowMatchesTheDesktopEntryAndCarriesTheIcon) {
    E2eApp app;
    ASSERT_TRUE(app.start());
    const QString window = app.waitForWindow(QStringLiteral("QEL屏幕截图助手"));
    ASSERT_FALSE(window.isEmpty());

    // WM_CLASS(STRING) = "<instance>", "<class>": taskbars match the instance against the
    // entry's StartupWMClass.
    const QString wmClass = app.windowProperty(window, QStringLiteral("WM_CLASS"));
    const QRegularExpressionMatch names =
        QRegularExpression(QStringLiteral("= \"([^\"]*)\", \"([^\"]*)\"")).match(wmClass);
    ASSERT_TRUE(names.hasMatch()) << wmClass.toStdString();
    const QString startupClass =
        DesktopEntryValue(QStringLiteral(QELSHOT_DESKTOP_ENTRY), QStringLiteral("StartupWMClass"));
    ASSERT_FALSE(startupClass.isEmpty());
    EXPECT_EQ(names.captured(1), startupClass);

    // _NET_WM_ICON holds one picture for each size the icon theme installs. xprop reads all
    // of the property only when told a length.
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-len"), QStringLiteral("100000000"), QStringLiteral("-id"), window,
                 QStringLiteral("_NET_WM_ICON")});
    ASSERT_TRUE(xprop.waitForFinished(10000));
    const QString icons = QString::fromUtf8(xprop.readAllStandardOutput());
    QList<int> sides;
    auto it = QRegularExpression(QStringLiteral("Icon \\((\\d+) x (\\d+)\\)")).globalMatch(icons);
    while (it.hasNext()) {
        const QRegularExpressionMatch icon = it.next();
        EXPECT_EQ(icon.captured(1), icon.captured(2));
        sides << icon.captured(1).toInt();
    }
    std::sort(sides.begin(), sides.end());
    EXPECT_EQ(sides, QList<int>({16, 22, 24, 32, 48, 64, 128, 256}));

    app.terminate();
    EXPECT_TRUE(app.waitForExit(10000));
}
