// Recognising the vendor's update page and reading version and address out of it.
#include "update/update_page.h"

#include <QUrl>
#include <gtest/gtest.h>

namespace {

const QString kMarker = LowerAscii(QString::fromLatin1(UpdatePageMarker));

} // namespace

TEST(UpdatePage, MarkerAndLowerCase) {
    EXPECT_EQ(sizeof(UpdatePageMarker) - 1, 76u);
    // Only A to Z change; other letters keep their case.
    EXPECT_EQ(LowerAscii(QString::fromUtf8(u8"AbZ-ÄÖ-Ω-软件")),
              QString::fromUtf8(u8"abz-ÄÖ-Ω-软件"));
    EXPECT_TRUE(IsVendorPage("<body>" + kMarker + "</body>"));
    EXPECT_FALSE(IsVendorPage(QString::fromLatin1(UpdatePageMarker))); // not lower-cased
    EXPECT_FALSE(IsVendorPage(kMarker.chopped(1)));
}

TEST(UpdatePage, BodyOfPage) {
    EXPECT_EQ(BodyOfPage("<html><head><title>x</title></head><BODY class=a>hi</Body></html>"),
              "<BODY class=a>hi</Body>");
    EXPECT_EQ(BodyOfPage("<html><body>open to the end"), "<body>open to the end");
    EXPECT_EQ(BodyOfPage("plain text"), "plain text");
    EXPECT_EQ(BodyOfPage(""), "");
}

TEST(UpdatePage, ParsesVersionAndAddress) {
    float version = 0;
    QString address = "old";
    ParseUpdatePage("x softversion_3.32_softversion y softurl_https://h/u.exe_softurl z", version,
                    address);
    EXPECT_FLOAT_EQ(version, 3.32f);
    EXPECT_EQ(address, "https://h/u.exe");

    // An unreadable or missing number keeps the previous one; a missing address empties it.
    for (const char* page :
         {"softversion_abc_softversion", "softversion__softversion", "softversion_3,5_softversion",
          "softversion_1e99_softversion", "no tags at all", "_softversion softversion_4.0"}) {
        version = 3.32f;
        address = "old";
        ParseUpdatePage(QString::fromLatin1(page), version, address);
        EXPECT_FLOAT_EQ(version, 3.32f) << page;
        EXPECT_EQ(address, "") << page;
    }
    // The first tags count, whatever follows.
    ParseUpdatePage("softversion_ 4.5 _softversion softversion_9_softversion "
                    "softurl_a_softurl softurl_b_softurl",
                    version, address);
    EXPECT_FLOAT_EQ(version, 4.5f);
    EXPECT_EQ(address, "a");
}

TEST(UpdatePage, NewerVersion) {
    EXPECT_FALSE(IsNewerThanProgram(0.0f));
    EXPECT_FALSE(IsNewerThanProgram(3.3f));
    // 3.31 as a 32-bit number lies just under 3.3 + 0.01.
    EXPECT_FALSE(IsNewerThanProgram(3.31f));
    EXPECT_TRUE(IsNewerThanProgram(3.32f));
    EXPECT_TRUE(IsNewerThanProgram(4.0f));
}

TEST(UpdatePage, OnlyAddressesThatCannotBeSwappedOnTheWay) {
    const QUrl securePage("https://www.qelsoft.example/update/gb/");
    const QUrl plainPage("http://www.qelsoft.example/update/gb/");
    EXPECT_EQ(SafeDownloadUrl("https://dl.example/u.exe", plainPage),
              QUrl("https://dl.example/u.exe"));
    EXPECT_EQ(SafeDownloadUrl(" https://dl.example:8443/u.exe ", securePage),
              QUrl("https://dl.example:8443/u.exe"));
    EXPECT_EQ(SafeDownloadUrl("/files/u.exe", securePage),
              QUrl("https://www.qelsoft.example/files/u.exe"));
    EXPECT_EQ(SafeDownloadUrl("u.exe", securePage),
              QUrl("https://www.qelsoft.example/update/gb/u.exe"));
    for (const char* refused : {"http://www.qelsoft.example/u.exe", "ftp://h/u.exe",
                                "file:///tmp/u.exe", "https:///u.exe", "", "  "})
        EXPECT_TRUE(SafeDownloadUrl(QString::fromLatin1(refused), securePage).isEmpty()) << refused;
    // A relative address on a page that came over plain http could have been rewritten.
    EXPECT_TRUE(SafeDownloadUrl("/files/u.exe", plainPage).isEmpty());
}
