#include <gtest/gtest.h>

#include "options/hotkeytable.h"

namespace qv::options {
namespace {

TEST(HotkeyTable, RowsKeepTheirIdsAndNames) {
    EXPECT_EQ(hotkeyId(RowRelease), 0xB001);
    EXPECT_EQ(hotkeyId(RowCopy), 0xB00D);
    EXPECT_EQ(hotkeyId(RowContextMenu), kLastHotkeyId);
    EXPECT_EQ(kLastHotkeyId, 0xB00F);
    EXPECT_EQ(hotkeyRowName(RowCopy), "Copy to Clipboard");
    EXPECT_EQ(hotkeyRowName(RowContextMenu), "Popup Context Menu");
    EXPECT_EQ(hotkeyRowName(kHotkeyRows), "");
}

TEST(HotkeyTable, HotkeyTextsSplitIntoModifierAndKey) {
    struct Case {
        const char* text;
        int modifiers;  // -1: not a hotkey
        char key;
    };
    const Case cases[] = {
        {"CTRL+R", 2, 'R'},
        {"ALT+A", 1, 'A'},
        {"SHIFT+Z", 4, 'Z'},
        {"CTRL+ALT+F", 3, 'F'},
        {"CTRL+SHIFT+Q", 6, 'Q'},
        {"ALT+CTRL+F", -1, 0},
        {"CTRL+r", -1, 0},
        {"CTRL+1", -1, 0},
        {"R", -1, 0},
        {"", -1, 0},
        {"ctrl+R", -1, 0},
        {"CTRL+RR", -1, 0},
    };
    for (const Case& c : cases) {
        const std::optional<ParsedHotkey> parsed = parseHotkey(QString::fromLatin1(c.text));
        if (c.modifiers < 0) {
            EXPECT_FALSE(parsed) << c.text;
            continue;
        }
        ASSERT_TRUE(parsed) << c.text;
        EXPECT_EQ(parsed->modifiers, c.modifiers) << c.text;
        EXPECT_EQ(parsed->key, c.key) << c.text;
    }
}

TEST(HotkeyTable, CaptionRule) {
    const CaptionInputs off{"Paint", 0};
    const CaptionInputs on{"Paint", 1};
    const CaptionInputs greyed{"Paint", 2};
    struct Case {
        int row;
        QString hotkey;
        CaptionInputs inputs;
        std::optional<QString> withHotkey;
        std::optional<QString> without;
    };
    const Case cases[] = {
        {RowFreeze, "CTRL+F", off, "Freeze Desktop   CTRL+F", "Freeze Desktop"},
        {RowFreeze, "", off, "Freeze Desktop   ", "Freeze Desktop"},
        {RowEmail, "ALT+E", on, "Email to...   ALT+E", "Email to..."},
        {RowContainerApp, "CTRL+ALT+P", off, "Start Default Application( Paint )   CTRL+ALT+P",
         "Start Default Application( Paint )"},
        {RowContainerApp, "", CaptionInputs{"", 1}, "Start Default Application(  )   ",
         "Start Default Application(  )"},
        {RowCopy, "CTRL+C", off, "Copy to Clipboard   CTRL+C", "Copy to Clipboard"},
        {RowCopy, "CTRL+C", on, "Copy to Clipboard( Autocopy Enabled )    CTRL+C",
         "Copy to Clipboard( Autocopy Enabled ) "},
        {RowCopy, "CTRL+C", greyed, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(menuCaption(c.row, c.hotkey, c.inputs), c.withHotkey) << c.row;
        EXPECT_EQ(menuCaptionWithoutHotkey(c.row, c.inputs), c.without) << c.row;
    }
}

}  // namespace
}  // namespace qv::options
