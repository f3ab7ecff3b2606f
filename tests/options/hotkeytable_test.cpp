#include <gtest/gtest.h>

#include "options/hotkeytable.h"

namespace qv::options {
namespace {

TEST(HotkeyTable, HotkeyTextsSplitIntoModifierAndKey) {
    const struct {
        const char* text;
        int modifiers;  // -1: not a hotkey
        char key;
    } cases[] = {
        {"CTRL+SHIFT+Q", 6, 'Q'}, {"ALT+A", 1, 'A'}, {"ALT+CTRL+F", -1}, {"CTRL+r", -1},
        {"CTRL+1", -1},           {"R", -1},         {"", -1},
    };
    for (const auto& c : cases) {
        const std::optional<ParsedHotkey> parsed = parseHotkey(QString::fromLatin1(c.text));
        ASSERT_EQ(parsed.has_value(), c.modifiers >= 0) << c.text;
        if (parsed) {
            EXPECT_EQ(parsed->modifiers, c.modifiers) << c.text;
            EXPECT_EQ(parsed->key, c.key) << c.text;
        }
    }
}

TEST(HotkeyTable, CaptionRule) {
    const CaptionInputs off{"Paint", 0};
    const CaptionInputs on{"Paint", 1};
    const struct {
        int row;
        QString hotkey;
        CaptionInputs inputs;
        std::optional<QString> withHotkey;
        std::optional<QString> without;
    } cases[] = {
        {RowFreeze, "CTRL+F", off, "Freeze Desktop   CTRL+F", "Freeze Desktop"},
        {RowFreeze, "", off, "Freeze Desktop   ", "Freeze Desktop"},
        {RowContainerApp, "CTRL+ALT+P", off, "Start Default Application( Paint )   CTRL+ALT+P",
         "Start Default Application( Paint )"},
        {RowCopy, "CTRL+C", off, "Copy to Clipboard   CTRL+C", "Copy to Clipboard"},
        {RowCopy, "CTRL+C", on, "Copy to Clipboard( Autocopy Enabled )    CTRL+C",
         "Copy to Clipboard( Autocopy Enabled ) "},
        {RowCopy, "CTRL+C", CaptionInputs{"", 2}, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(menuCaption(c.row, c.hotkey, c.inputs), c.withHotkey) << c.row;
        EXPECT_EQ(menuCaptionWithoutHotkey(c.row, c.inputs), c.without) << c.row;
    }
}

}  // namespace
}  // namespace qv::options
