#include "platform/virtual_keys.h"

#include <gtest/gtest.h>

TEST(VirtualKeys, CodesNameTheKeysTheyNameOnWindows) {
    EXPECT_EQ(VirtualKeyToKeysym('A'), 0x61u); // a
    EXPECT_EQ(VirtualKeyToKeysym('Z'), 0x7au); // z
    EXPECT_EQ(VirtualKeyToKeysym('0'), 0x30u);
    EXPECT_EQ(VirtualKeyToKeysym('9'), 0x39u);
    // Lower-case letters' codes are the numeric keypad's.
    EXPECT_EQ(VirtualKeyToKeysym('a'), 0xffb1u);  // KP_1
    EXPECT_EQ(VirtualKeyToKeysym(0x60), 0xffb0u); // KP_0
    EXPECT_EQ(VirtualKeyToKeysym(0x6A), 0xffaau); // KP_Multiply
    EXPECT_EQ(VirtualKeyToKeysym(0x6F), 0xffafu); // KP_Divide
    EXPECT_EQ(VirtualKeyToKeysym(27), 0xff1bu);   // Escape
    EXPECT_EQ(VirtualKeyToKeysym(112), 0xffbeu);  // F1
    EXPECT_EQ(VirtualKeyToKeysym(123), 0xffc9u);  // F12
    EXPECT_EQ(VirtualKeyToKeysym(' '), 0x20u);
    EXPECT_EQ(VirtualKeyToKeysym(0xBA), 0x3bu);   // ;
    EXPECT_EQ(VirtualKeyToKeysym(0xBF), 0x2fu);   // /
    EXPECT_EQ(VirtualKeyToKeysym(0xC0), 0x60u);   // `
    EXPECT_EQ(VirtualKeyToKeysym(0xDE), 0x27u);   // '
    EXPECT_EQ(VirtualKeyToKeysym(0x2D), 0xff63u); // Insert
    EXPECT_EQ(VirtualKeyToKeysym(0x25), 0xff51u); // Left
    EXPECT_EQ(VirtualKeyToKeysym(0), 0u);
    EXPECT_EQ(VirtualKeyToKeysym(0x3A), 0u);
    EXPECT_EQ(VirtualKeyToKeysym(0x4E2D), 0u); // a Chinese character
}
