#include "convert_command.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fake_runtime_services.h"
#include "test_support.h"

namespace mensora {
namespace {

// The form as the user left it before pressing Convert.
struct FormState {
    std::optional<Category> category;
    int listIndex;
    std::u16string_view input;
    std::u16string_view output = u"old result";
};

FakeRuntimeServices makeForm(const FormState& s)
{
    FakeRuntimeServices form;
    if (s.category) {
        form.setOption(optionOf(*s.category));
        for (const Entry& e : entriesOf(*s.category)) form.listItems.emplace_back(e.caption);
    }
    form.listSelected = s.listIndex;
    form.box(TextBox::txtInput) = s.input;
    form.box(TextBox::txtOutput) = s.output;
    form.labels = {u"source", u"target"};
    return form;
}

struct ConvertCase {
    const char* what;
    FormState before;
    std::u16string_view input;   // txtInput afterwards
    std::u16string_view output;  // txtOutput afterwards
    bool message;                // the numeric-entry message was shown
    RunError error;              // the run-time error shown, if any
};

TEST(ConvertCommand, ChecksSelectsComputesAndWrites)
{
    const std::vector<ConvertCase> cases{
        {"a conversion writes its result", {Category::Distance, 1, u"1"}, u"1", u"2.54", false, RunError::None},
        {"the typical road", {Category::Temperature, 4, u"300"}, u"300", u"80.33", false, RunError::None},
        {"empty input reads as 0", {Category::Distance, 4, u""}, u"", u"0", false, RunError::None},
        {"empty input in a two-stage entry", {Category::Temperature, 0, u""}, u"", u"32", false, RunError::None},
        {"grouped input", {Category::Distance, 1, u"1,000"}, u"1,000", u"2540", false, RunError::None},
        {"non-numeric input", {Category::Distance, 1, u"abc"}, u"", u"old result", true, RunError::None},
        {"a number followed by letters", {Category::Weight, 0, u"12abc"}, u"", u"old result", true, RunError::None},
        {"a decimal comma under US settings", {Category::Distance, 1, u"1,5"}, u"", u"old result", true,
         RunError::None},
        {"a decimal comma that would read as a thousand times more", {Category::Distance, 1, u"0,125"}, u"",
         u"old result", true, RunError::None},
        {"blanks only", {Category::Area, 0, u"   "}, u"", u"old result", true, RunError::None},
        {"the check comes before the category", {std::nullopt, -1, u"abc"}, u"", u"old result", true, RunError::None},
        {"the check comes before the entry", {Category::Volume, -1, u"abc"}, u"", u"old result", true,
         RunError::None},
        {"no category", {std::nullopt, 1, u"5"}, u"5", u"old result", false, RunError::None},
        {"no entry", {Category::Temperature, -1, u"5"}, u"5", u"old result", false, RunError::None},
        {"an index beyond the category", {Category::Volume, 4, u"5"}, u"5", u"old result", false, RunError::None},
        {"an index far beyond", {Category::Weight, 32767, u"5"}, u"5", u"old result", false, RunError::None},
        {"overflow writes nothing", {Category::Distance, 1, u"1E+308"}, u"1E+308", u"old result", false,
         RunError::Overflow},
        {"a number beyond any double", {Category::Distance, 0, u"1E+999"}, u"1E+999", u"old result", false,
         RunError::Overflow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeRuntimeServices form = makeForm(c.before);
        const auto optionsBefore = form.options;
        const auto listBefore = form.listItems;

        cmdConvert_Click(form);

        EXPECT_EQ(form.box(TextBox::txtInput), c.input);
        EXPECT_EQ(form.box(TextBox::txtOutput), c.output);
        if (c.message) {
            ASSERT_EQ(form.messages.size(), 1U);
            EXPECT_EQ(form.messages[0], u"Valid Numeric Entry Only Please");
            ASSERT_EQ(form.focusMoves.size(), 1U);
            EXPECT_EQ(form.focusMoves[0], decltype(form.focusMoves)::value_type(TextBox::txtInput));
        } else {
            EXPECT_TRUE(form.messages.empty());
            EXPECT_TRUE(form.focusMoves.empty());
        }
        if (c.error != RunError::None) {
            ASSERT_EQ(form.errors.size(), 1U);
            EXPECT_EQ(form.errors[0], c.error);
        } else {
            EXPECT_TRUE(form.errors.empty());
        }
        // Convert never touches the labels, the list or the options
        EXPECT_EQ(form.labels, (std::array<std::u16string, 2>{u"source", u"target"}));
        EXPECT_EQ(form.options, optionsBefore);
        EXPECT_EQ(form.listItems, listBefore);
        EXPECT_EQ(form.listSelected, c.before.listIndex);
        EXPECT_FALSE(form.ended);
    }
}

TEST(ConvertCommand, PressedTwiceGivesTheSameResult)
{
    FakeRuntimeServices form = makeForm({Category::Distance, 1, u"1"});
    cmdConvert_Click(form);
    cmdConvert_Click(form);
    EXPECT_EQ(form.box(TextBox::txtOutput), u"2.54");
    EXPECT_EQ(form.box(TextBox::txtInput), u"1");
}

TEST(ConvertCommand, FollowsTheFormNumberSettings)
{
    FakeRuntimeServices form = makeForm({Category::Distance, 1, u"12,5"});
    form.settings = testing::german;
    cmdConvert_Click(form);
    EXPECT_EQ(form.box(TextBox::txtOutput), u"31,75");

    form.box(TextBox::txtInput) = u"300";
    form.setOption(OptionButton::optTemp);
    form.listSelected = 4;
    cmdConvert_Click(form);
    EXPECT_EQ(form.box(TextBox::txtOutput), u"80,33");
}

TEST(ConvertCommand, TheFirstSelectedOptionGivesTheCategory)
{
    // options are one group, but should two ever read as selected, the upper one counts
    FakeRuntimeServices form = makeForm({Category::Temperature, 4, u"300"});
    form.option(OptionButton::optVolume) = true;
    cmdConvert_Click(form);
    EXPECT_EQ(form.box(TextBox::txtOutput), u"old result");  // Volume has no entry 4

    form.listSelected = 3;
    cmdConvert_Click(form);
    EXPECT_EQ(form.box(TextBox::txtOutput), u"170.478375");  // 300 pints to litres
}

TEST(ConvertCommand, ShowsEachErrorInItsOwnPlainWords)
{
    const std::vector<std::pair<RunError, std::u16string_view>> cases{
        {RunError::TypeMismatch, u"The input could not be read as a number."},
        {RunError::Overflow, u"The number is too large: the conversion overflowed, so no result was written."},
        {RunError::InvalidOperation, u"The calculation did not give a number, so no result was written."},
        {RunError::OutOfMemory, u"There was not enough memory to finish that."},
        {RunError::Internal, u"Mensora could not finish that: something went wrong inside it."},
    };
    for (const auto& [error, words] : cases) EXPECT_EQ(describe(error), words);
    EXPECT_EQ(numericEntryMessage, u"Valid Numeric Entry Only Please");
}

}  // namespace
}  // namespace mensora
