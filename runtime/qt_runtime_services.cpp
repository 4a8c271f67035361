#include "runtime/qt_runtime_services.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <stdexcept>

namespace mensora {

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string toU16(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

NumberSettings numberSettingsOf(const QLocale& locale)
{
    NumberSettings s = usSettings;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    if (decimal.size() == 1) s.decimal = decimal.front().unicode();
    if (group.size() == 1) s.group = group.front().unicode();
    else if (group.isEmpty()) s.group = u'\0';
    if (s.group == s.decimal) s.group = u'\0';
    return s;
}

QtRuntimeServices::QtRuntimeServices(const FormControls& controls)
    : c_(controls),
      inputNames_{controls.lblInput->accessibleName(), controls.txtInput->accessibleName()},
      outputNames_{controls.lblOutput->accessibleName(), controls.txtOutput->accessibleName()}
{
}

QLineEdit* QtRuntimeServices::box(Control control) const
{
    if (control == Control::txtInput) return c_.txtInput;
    if (control == Control::txtOutput) return c_.txtOutput;
    throw std::invalid_argument("not a text box");
}

QLabel* QtRuntimeServices::label(Control control) const
{
    if (control == Control::lblInput) return c_.lblInput;
    if (control == Control::lblOutput) return c_.lblOutput;
    throw std::invalid_argument("not a label");
}

QWidget* QtRuntimeServices::widget(Control control) const
{
    switch (control) {
    case Control::optDistance:
    case Control::optVolume:
    case Control::optTemp:
    case Control::optArea:
    case Control::optWeight:
        return c_.options[static_cast<std::size_t>(control) - static_cast<std::size_t>(Control::optDistance)];
    case Control::list1: return c_.list1;
    case Control::lblInput: return c_.lblInput;
    case Control::lblOutput: return c_.lblOutput;
    case Control::txtInput: return c_.txtInput;
    case Control::txtOutput: return c_.txtOutput;
    case Control::cmdConvert: return c_.cmdConvert;
    case Control::cmdExit: return c_.cmdExit;
    case Control::cmdReset: return c_.cmdReset;
    }
    throw std::invalid_argument("no such control");
}

std::u16string QtRuntimeServices::text(Control control) const { return toU16(box(control)->text()); }

void QtRuntimeServices::setText(Control control, std::u16string_view text) { box(control)->setText(toQString(text)); }

std::u16string QtRuntimeServices::caption(Control control) const { return toU16(label(control)->text()); }

void QtRuntimeServices::setCaption(Control control, std::u16string_view caption)
{
    // A screen reader names the label and its box by the unit it shows, and
    // by the names the form gave them while no unit is shown.
    const bool input = control == Control::lblInput;
    QLabel* l = label(control);
    QLineEdit* buddy = input ? c_.txtInput : c_.txtOutput;
    const RoleNames& names = input ? inputNames_ : outputNames_;
    const QString text = toQString(caption);
    l->setText(text);
    l->setAccessibleName(text.isEmpty() ? names.label : text);
    buddy->setAccessibleName(text.isEmpty() ? names.box : text);
}

bool QtRuntimeServices::optionValue(Category category) const
{
    return c_.options[static_cast<std::size_t>(category)]->isChecked();
}

void QtRuntimeServices::selectOption(Category category)
{
    QRadioButton* option = c_.options[static_cast<std::size_t>(category)];
    if (option->isChecked()) {
        if (optionClick_) optionClick_(category);
        return;
    }
    // Checking it unchecks the others, and its change raises its Click.
    option->setChecked(true);
}

std::int16_t QtRuntimeServices::listIndex() const
{
    const QList<QListWidgetItem*> selected = c_.list1->selectedItems();
    if (selected.isEmpty()) return -1;
    const int row = c_.list1->row(selected.front());
    return row > INT16_MAX ? std::int16_t{-1} : static_cast<std::int16_t>(row);
}

std::int16_t QtRuntimeServices::listCount() const
{
    const int count = c_.list1->count();
    return count > INT16_MAX ? INT16_MAX : static_cast<std::int16_t>(count);
}

std::u16string QtRuntimeServices::listText() const
{
    const QList<QListWidgetItem*> selected = c_.list1->selectedItems();
    return selected.isEmpty() ? std::u16string() : toU16(selected.front()->text());
}

void QtRuntimeServices::listClear()
{
    // Emptying the list is not the user choosing an entry.
    const QSignalBlocker blocker(c_.list1);
    c_.list1->clear();
}

void QtRuntimeServices::listAddItem(std::u16string_view caption)
{
    c_.list1->addItem(toQString(caption));
}

void QtRuntimeServices::setFocus(Control control) { widget(control)->setFocus(Qt::OtherFocusReason); }

void QtRuntimeServices::showBox(BoxKind kind, const QString& text)
{
    if (boxSink_) {
        boxSink_(kind, text);
        return;
    }
    QMessageBox box(kind == BoxKind::Message ? QMessageBox::NoIcon : QMessageBox::Warning,
                    toQString(applicationTitle), text, QMessageBox::Ok, c_.window);
    box.setObjectName(kind == BoxKind::Message ? QStringLiteral("messageBox") : QStringLiteral("runErrorBox"));
    box.exec();
}

void QtRuntimeServices::showMessage(std::u16string_view text) { showBox(BoxKind::Message, toQString(text)); }

void QtRuntimeServices::showRunError(RunError error) { showBox(BoxKind::RunError, toQString(describe(error))); }

void QtRuntimeServices::endProgram()
{
    if (c_.window) c_.window->hide();
    QCoreApplication::exit(0);
}

NumberSettings QtRuntimeServices::numberSettings() const { return numberSettingsOf(QLocale()); }

}  // namespace mensora
