// The host in Qt: the named controls of a form built from its Designer
// description, their Click events, the message box, the display of run-time
// errors, the number settings of the user's locale and program end.
#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <functional>

#include "runtime_services.h"

class QLabel;
class QLocale;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QPushButton;
class QWidget;

namespace mensora {

QString toQString(std::u16string_view text);
std::u16string toU16(const QString& text);

// What a locale writes numbers with, as Qt gives it.
struct LocaleNumberTexts {
    QString decimal;  // the decimal mark
    QString group;    // the group mark
    QString minus;    // the minus sign, direction marks and all
    QString zero;     // the zero digit
    QString grouped;  // a large integer as the locale writes it, grouped
};

// The number settings of a locale: its marks and digits, and its group sizes
// as it writes them (Qt tells them no other way).
NumberSettings numberSettingsOf(const QLocale& locale);
NumberSettings numberSettingsFrom(const LocaleNumberTexts& texts);

class QtRuntimeServices final : public RuntimeServices {
public:
    enum class BoxKind { Message, RunError };
    // Receives what a message box would show, in place of the modal box.
    using BoxSink = std::function<void(BoxKind kind, const QString& text)>;

    // Takes the form's controls by their names; the form outlives this.
    explicit QtRuntimeServices(QWidget& form);

    // Tests route the boxes here so that no modal box blocks the run.
    void setBoxSink(BoxSink sink) { boxSink_ = std::move(sink); }

    std::u16string text(TextBox box) const override;
    void setText(TextBox box, std::u16string_view text) override;
    void setCaption(Label label, std::u16string_view caption) override;
    bool optionValue(OptionButton option) const override;
    void selectOption(OptionButton option) override;
    std::int16_t listIndex() const override;
    std::int16_t listCount() const override;
    std::u16string listText() const override;
    void listClear() override;
    void listAddItem(std::u16string_view caption) override;
    void setFocus(TextBox box) override;
    void setFocus(OptionButton option) override;
    void showMessage(std::u16string_view text) override;
    void showRunError(RunError error) override;
    void endProgram() override;
    NumberSettings numberSettings() const override;

private:
    QRadioButton* option(OptionButton o) const { return options_[at(o)]; }
    QLineEdit* box(TextBox b) const { return boxes_[at(b)]; }
    void showBox(BoxKind kind, const QString& text);

    // A unit label, its box, and the accessible names the two have while no
    // unit is shown.
    struct UnitLabel {
        QLabel* label;
        QLineEdit* box;
        std::u16string labelName;
        std::u16string boxName;
    };

    QWidget* form_;
    std::array<QRadioButton*, 5> options_;
    QListWidget* list1_;
    std::array<QLineEdit*, 2> boxes_;
    std::array<UnitLabel, 2> labels_;
    std::array<QPushButton*, 3> buttons_;
    BoxSink boxSink_;
    // The receiver of the controls' signals: the events stop with this object.
    QObject events_;
};

}  // namespace mensora
