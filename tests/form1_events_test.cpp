#include "window/form1_events.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/fake_runtime_services.h"

namespace mensora {
namespace {

// A fake form whose options raise the window's category handlers.
struct EventsForm : FakeRuntimeServices {
    EventsForm()
    {
        onOptionClick = [this](Category c) { categoryChosen(*this, c); };
    }
};

std::vector<std::u16string> captionsOf(Category category)
{
    std::vector<std::u16string> captions;
    for (const Entry& e : entriesOf(category)) captions.emplace_back(e.caption);
    return captions;
}

TEST(Form1Events, EachOptionHandlerLoadsItsCategory)
{
    using Handler = void (*)(RuntimeServices&);
    const std::vector<std::pair<Handler, Category>> handlers{{optDistance_Click, Category::Distance},
                                                             {optVolume_Click, Category::Volume},
                                                             {optTemp_Click, Category::Temperature},
                                                             {optArea_Click, Category::Area},
                                                             {optWeight_Click, Category::Weight}};
    for (const auto& [handler, category] : handlers) {
        EventsForm form;
        form.listItems = {u"stale"};
        form.listSelected = 0;
        form.lblInput = u"a";
        form.lblOutput = u"b";
        form.txtInput = u"1";
        form.txtOutput = u"2";
        handler(form);
        EXPECT_EQ(form.listItems, captionsOf(category));
        EXPECT_EQ(form.listSelected, -1);
        EXPECT_EQ(form.lblInput, u"");
        EXPECT_EQ(form.lblOutput, u"");
        EXPECT_EQ(form.txtInput, u"1");
        EXPECT_EQ(form.txtOutput, u"2");
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
        form.lblInput = u"old in";
        form.lblOutput = u"old out";
        form.txtInput = u"in";
        form.txtOutput = u"out";
        list1_Click(form);
        EXPECT_EQ(form.lblInput, c.source);
        EXPECT_EQ(form.lblOutput, c.target);
        EXPECT_EQ(form.txtInput, c.input);
        EXPECT_EQ(form.txtOutput, c.output);
        EXPECT_EQ(form.focusMoves == std::vector<Control>{Control::txtInput}, c.focused);
    }
}

TEST(Form1Events, ResetReachesTheHomeStateFromAnywhere)
{
    for (const Category from : allCategories) {
        EventsForm form;
        form.selectOption(from);
        form.listSelected = 2;
        list1_Click(form);
        form.txtInput = u"1";
        form.txtOutput = u"2";
        cmdReset_Click(form);
        EXPECT_TRUE(form.optionValue(Category::Distance));
        EXPECT_EQ(form.listItems, captionsOf(Category::Distance));
        EXPECT_EQ(form.listSelected, -1);
        EXPECT_EQ(form.lblInput, u"");
        EXPECT_EQ(form.lblOutput, u"");
        EXPECT_EQ(form.txtInput, u"");
        EXPECT_EQ(form.txtOutput, u"");
    }
}

TEST(Form1Events, ExitEndsTheProgram)
{
    EventsForm form;
    form.txtOutput = u"80.33";
    cmdExit_Click(form);
    EXPECT_TRUE(form.ended);
}

}  // namespace
}  // namespace mensora
