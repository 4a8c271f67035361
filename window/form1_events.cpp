#include "window/form1_events.h"

#include <string>

namespace mensora {

void categoryChosen(RuntimeServices& form, Category category)
{
    form.listClear();
    form.setCaption(Control::lblInput, u"");
    form.setCaption(Control::lblOutput, u"");
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
        form.setCaption(Control::lblInput, units.source);
        form.setCaption(Control::lblOutput, units.target);
        form.setFocus(Control::txtInput);
    }
    form.setText(Control::txtInput, u"");
    form.setText(Control::txtOutput, u"");
}

void cmdReset_Click(RuntimeServices& form)
{
    // Selecting Distance raises its Click, which reloads its entries with none
    // selected, also when Distance was selected already.
    form.selectOption(Category::Distance);
    form.setText(Control::txtInput, u"");
    form.setText(Control::txtOutput, u"");
    form.setCaption(Control::lblInput, u"");
    form.setCaption(Control::lblOutput, u"");
}

void cmdExit_Click(RuntimeServices& form) { form.endProgram(); }

}  // namespace mensora
