#include "form1_events.h"

#include <string>

#include "convert_command.h"

namespace mensora {

void connectForm1(RuntimeServices& form)
{
    form.onClick(OptionButton::optDistance, optDistance_Click);
    form.onClick(OptionButton::optVolume, optVolume_Click);
    form.onClick(OptionButton::optTemp, optTemp_Click);
    form.onClick(OptionButton::optArea, optArea_Click);
    form.onClick(OptionButton::optWeight, optWeight_Click);
    form.onClick(ListBox::list1, list1_Click);
    form.onClick(CommandButton::cmdConvert, cmdConvert_Click);
    form.onClick(CommandButton::cmdExit, cmdExit_Click);
    form.onClick(CommandButton::cmdReset, cmdReset_Click);
    form.onEditRefused(TextBox::txtInput, textBox_EditRefused);
    form.onEditRefused(TextBox::txtOutput, textBox_EditRefused);
}

void firstFocus(RuntimeServices& form)
{
    form.setFocus(OptionButton::optDistance);
    form.selectOption(OptionButton::optDistance);
}

void categoryChosen(RuntimeServices& form, Category category)
{
    form.listClear();
    form.setCaption(Label::lblInput, u"");
    form.setCaption(Label::lblOutput, u"");
    for (const Entry& entry : entriesOf(category)) form.listAddItem(entry.caption);
}

void optDistance_Click(RuntimeServices& form) { categoryChosen(form, Category::Distance); }
void optVolume_Click(RuntimeServices& form) { categoryChosen(form, Category::Volume); }
void optTemp_Click(RuntimeServices& form) { categoryChosen(form, Category::Temperature); }
void optArea_Click(RuntimeServices& form) { categoryChosen(form, Category::Area); }
void optWeight_Click(RuntimeServices& form) { categoryChosen(form, Category::Weight); }

void list1_Click(RuntimeServices& form)
{
    const std::int16_t count = form.listCount();
    if (count <= 0) return;
    const std::int16_t index = form.listIndex();
    if (index >= 0 && index < count) {
        const std::u16string caption = form.listText();
        const UnitNames units = splitCaption(caption);
        form.setCaption(Label::lblInput, units.source);
        form.setCaption(Label::lblOutput, units.target);
        form.setFocus(TextBox::txtInput);
    }
    form.setText(TextBox::txtInput, u"");
    form.setText(TextBox::txtOutput, u"");
}

void cmdReset_Click(RuntimeServices& form)
{
    // Selecting Distance raises its Click, which reloads its entries with none
    // selected, also when Distance was selected already.
    form.selectOption(OptionButton::optDistance);
    form.setText(TextBox::txtInput, u"");
    form.setText(TextBox::txtOutput, u"");
    form.setCaption(Label::lblInput, u"");
    form.setCaption(Label::lblOutput, u"");
}

void textBox_EditRefused(RuntimeServices& form) { form.showMessage(numericEntryMessage); }

void cmdExit_Click(RuntimeServices& form) { form.endProgram(); }

}  // namespace mensora
