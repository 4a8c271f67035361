#include "form1_events.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert_command.h"
#include "fake_runtime_services.h"

namespace mensora {
namespace {

// A fake form with the window's handlers on its controls, as the program
// starts it.
struct EventsForm : FakeRuntimeServices {
    EventsForm() { connectForm1(*this); }
};

std::vector<std::u16string> captionsOf(Category category)
{
    std::vector<std::u16string> captions;
    for (const Entry& e : entriesOf(category)) captions.emplace_back(e.caption);
    return captions;
}

TEST(Form1Events, EachOptionLoadsItsCategory)
{
    for (const Category category : allCategories) {
        EventsForm form;
        form.listItems = {u"stale"};
        form.listSelected = 0;
        form.labels = {u"a", u"b"};
        form.boxes = {u"1", u"2"};
        form.selectOption(optionOf(category));
        EXPECT_EQ(form.listItems, captionsOf(category));
        EXPECT_EQ(form.listSelected, -1);
        EXPECT_EQ(form.labels, (std::array<std::u16string, 2>{}));
        EXPECT_EQ(form.boxes, (std::array<std::u16string, 2>{u"1", u"2"}));
    }
}

struct ListCase {
    const char* what;
    std::vector<std::u16string> items;
    int selected;
    std::u16string_view source, target;  // labels afterwards
    std::u16string_view input, output;   // boxes afterwards
    bool focused;                        // focus moved to the input box
};

TEST(Form1Events, ListClickShowsUnitsAndEmptiesTheBoxes)
{
    const std::vector<ListCase> cases{
        {"an entry chosen", captionsOf(Category::Temperature), 1, u"Fahrenheit", u"Centigrade (Celsius)", u"", u"",
         true},
        {"the last entry", captionsOf(Category::Area), 3, u"Square Metres", u"Acres", u"", u"", true},
        {"no entry selected: boxes emptied, labels kept", captionsOf(Category::Weight), -1, u"old in", u"old out",
         u"", u"", false},
        {"an empty list: nothing happens", {}, -1, u"old in", u"old out", u"in", u"out", false},
        {"a caption without the separator", {u"Cubits"}, 0, u"Cubits", u"", u"", u"", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EventsForm form;
        form.listItems = c.items;
        form.listSelected = c.selected;
        form.labels = {u"old in", u"old out"};
        form.boxes = {u"in", u"out"};
        form.clickList();
        EXPECT_EQ(form.label(Label::lblInput), c.source);
        EXPECT_EQ(form.label(Label::lblOutput), c.target);
        EXPECT_EQ(form.box(TextBox::txtInput), c.input);
        EXPECT_EQ(form.box(TextBox::txtOutput), c.output);
        EXPECT_EQ(form.focusMoves == decltype(form.focusMoves){TextBox::txtInput}, c.focused);
    }
}

TEST(Form1Events, ResetReachesTheHomeStateFromAnywhere)
{
    for (const Category from : allCategories) {
        EventsForm form;
        form.selectOption(optionOf(from));
        form.listSelected = 2;
        form.clickList();
        form.boxes = {u"1", u"2"};
        form.click(CommandButton::cmdReset);
        EXPECT_EQ(form.options, (std::array<bool, 5>{true, false, false, false, false}));
        EXPECT_EQ(form.listItems, captionsOf(Category::Distance));
        EXPECT_EQ(form.listSelected, -1);
        EXPECT_EQ(form.labels, (std::array<std::u16string, 2>{}));
        EXPECT_EQ(form.boxes, (std::array<std::u16string, 2>{}));
    }
}

TEST(Form1Events, StartsOnDistanceAndConvertsAndExits)
{
    EventsForm form;
    firstFocus(form);
    EXPECT_EQ(form.focusMoves, decltype(form.focusMoves){OptionButton::optDistance});
    EXPECT_TRUE(form.option(OptionButton::optDistance));
    EXPECT_EQ(form.listItems, captionsOf(Category::Distance));

    form.listSelected = 1;
    form.box(TextBox::txtInput) = u"1";
    form.click(CommandButton::cmdConvert);
    EXPECT_EQ(form.box(TextBox::txtOutput), u"2.54");

    form.click(CommandButton::cmdExit);
    EXPECT_TRUE(form.ended);
}

TEST(Form1Events, AnEditRefusedAsTooLongShowsTheMessageAndKeepsTheBoxes)
{
    for (const TextBox box : {TextBox::txtInput, TextBox::txtOutput}) {
        EventsForm form;
        form.boxes = {u"12", u"34"};
        form.refuseEdit(box);
        EXPECT_EQ(form.messages, std::vector<std::u16string>{std::u16string(numericEntryMessage)});
        EXPECT_EQ(form.boxes, (std::array<std::u16string, 2>{u"12", u"34"}));
        EXPECT_TRUE(form.errors.empty());
    }
}

}  // namespace
}  // namespace mensora
