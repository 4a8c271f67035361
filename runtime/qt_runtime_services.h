// The host in Qt: the named controls of the form, the message box, the
// display of run-time errors and program end.
#pragma once

#include <QString>

#include <array>
#include <functional>

#include "runtime/runtime_services.h"

class QLabel;
class QLocale;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace mensora {

// The form's controls, by name.
struct FormControls {
    QWidget* window = nullptr;
    std::array<QRadioButton*, 5> options{};  // in category order
    QListWidget* list1 = nullptr;
    QLabel* lblInput = nullptr;
    QLabel* lblOutput = nullptr;
    QLineEdit* txtInput = nullptr;
    QLineEdit* txtOutput = nullptr;
    QPushButton* cmdConvert = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdReset = nullptr;
};

QString toQString(std::u16string_view text);
std::u16string toU16(const QString& text);

// The settings of the default locale (the system's, unless a test sets one).
NumberSettings numberSettingsOf(const QLocale& locale);

class QtRuntimeServices final : public RuntimeServices {
public:
    enum class BoxKind { Message, RunError };
    // Receives what a message box would show, in place of the modal box.
    using BoxSink = std::function<void(BoxKind kind, const QString& text)>;

    explicit QtRuntimeServices(const FormControls& controls);

    // Tests route the boxes here so that no modal box blocks the run.
    void setBoxSink(BoxSink sink) { boxSink_ = std::move(sink); }

    // The Click of the category options, which selectOption raises again
    // when the option is selected already.
    void setOptionClick(std::function<void(Category)> click) { optionClick_ = std::move(click); }

    std::u16string text(Control box) const override;
    void setText(Control box, std::u16string_view text) override;
    std::u16string caption(Control label) const override;
    void setCaption(Control label, std::u16string_view caption) override;
    bool optionValue(Category category) const override;
    void selectOption(Category category) override;
    std::int16_t listIndex() const override;
    std::int16_t listCount() const override;
    std::u16string listText() const override;
    void listClear() override;
    void listAddItem(std::u16string_view caption) override;
    void setFocus(Control control) override;
    void showMessage(std::u16string_view text) override;
    void showRunError(RunError error) override;
    void endProgram() override;
    NumberSettings numberSettings() const override;

private:
    QLineEdit* box(Control control) const;
    QLabel* label(Control control) const;
    QWidget* widget(Control control) const;
    void showBox(BoxKind kind, const QString& text);

    // The accessible names a unit label and its box have while no unit is shown.
    struct RoleNames {
        QString label;
        QString box;
    };

    FormControls c_;
    RoleNames inputNames_;
    RoleNames outputNames_;
    BoxSink boxSink_;
    std::function<void(Category)> optionClick_;
};

}  // namespace mensora
