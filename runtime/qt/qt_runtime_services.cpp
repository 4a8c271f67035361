#include "qt_runtime_services.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QValidator>

#include <algorithm>

#include "accessible_names.h"
#include "locale_number_marks.h"
#include "qt_pasted_text.h"

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
    return numberSettingsFrom({locale.decimalPoint(), locale.groupSeparator(), locale.negativeSign(),
                               locale.zeroDigit(), locale.toString(Q_INT64_C(123456789012))});
}

NumberSettings numberSettingsFrom(const LocaleNumberTexts& texts)
{
    // The group sizes are the lengths of the last group and the one before
    // it; a locale that writes no group mark groups no digits.
    const std::u16string group = toU16(texts.group);
    QList<qsizetype> groups{0};
    for (const uint c : texts.grouped.toUcs4()) {
        if (isDirectionMark(c)) continue;
        if (group.size() == 1 && c == group.front()) groups.append(0);
        else ++groups.back();
    }
    const std::u16string decimal = toU16(texts.decimal);
    const std::u16string minus = toU16(texts.minus);
    const std::u16string zero = toU16(texts.zero);
    const auto size = static_cast<int>(groups.back());
    const auto repeat = static_cast<int>(groups.size() > 2 ? groups[groups.size() - 2] : groups.back());
    const std::u16string_view mark = groups.size() < 2 ? std::u16string_view() : group;
    return numberSettingsOfMarks({decimal, mark, minus, zero, size, repeat});
}

namespace {

// A control of the form by its name. The form is compiled into the program,
// so a missing control is a broken build, found before the window opens.
template <class T>
T* control(QWidget& form, std::u16string_view name)
{
    T* found = form.findChild<T*>(toQString(name));
    if (found == nullptr) qFatal("the form has no control %s", qPrintable(toQString(name)));
    return found;
}

template <class T, std::size_t N>
std::array<T*, N> controls(QWidget& form, const std::array<std::u16string_view, N>& names)
{
    std::array<T*, N> found{};
    for (std::size_t i = 0; i < N; ++i) found[i] = control<T>(form, names[i]);
    return found;
}

// Refuses any text longer than maxBoxLength, or with a line break inside it
// (qt_pasted_text.h). QLineEdit asks it after each edit by the user, with the
// line breaks the edit brought, and undoes a refused edit whole, before it
// lays the text out; `refused` hears of each refusal.
class BoxTextRule final : public QValidator {
public:
    BoxTextRule(QObject* parent, std::function<void()> refused) : QValidator(parent), refused_(std::move(refused)) {}

    State validate(QString& text, int&) const override
    {
        if (text.size() <= maxBoxLength && !hasLineBreakInside(text)) return Acceptable;
        refused_();
        return Invalid;
    }

private:
    std::function<void()> refused_;
};

// The list's selection, kept as a list box keeps it: one chosen entry, which
// the user moves but cannot take away, neither by a click beside the entries,
// nor by Ctrl with a click or Space, nor through a screen reader. A newly
// chosen entry replaces the old one; only emptying the list leaves none.
class OneChosenEntry final : public QItemSelectionModel {
public:
    using QItemSelectionModel::QItemSelectionModel;
    using QItemSelectionModel::select;

    void select(const QItemSelection& selection, SelectionFlags command) override
    {
        if (command.testFlag(Select) && !selection.isEmpty()) {
            QItemSelectionModel::select(selection, command | Clear);
        } else if (!hasSelection() || model()->rowCount() == 0) {
            QItemSelectionModel::select(selection, command);
        }
    }
};

// Hands each key press a control gets to `take`; a press it takes goes no
// further.
class KeyPresses final : public QObject {
public:
    using Take = std::function<bool(QObject& control, const QKeyEvent& key)>;
    KeyPresses(QObject* parent, Take take) : QObject(parent), take_(std::move(take)) {}

    bool eventFilter(QObject* control, QEvent* event) override
    {
        return event->type() == QEvent::KeyPress && take_(*control, *static_cast<QKeyEvent*>(event));
    }

private:
    Take take_;
};

// A key pressed alone, on the main keyboard or the keypad.
bool alone(const QKeyEvent& key) { return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier; }

// Enter and the keypad's Enter press the focused button once, as Space does.
// Enter in a box still presses nothing: the window has no default button.
void enterPressesTheFocusedButton(QObject& events, QPushButton* button)
{
    button->installEventFilter(new KeyPresses(&events, [button](QObject&, const QKeyEvent& key) {
        if ((key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) || !alone(key)) return false;
        if (!key.isAutoRepeat()) button->click();
        return true;
    }));
}

// The arrows go round the options in the form's order, Left and Right as Up
// and Down, from the last to the first and back, and choose the option they
// reach. Qt itself would pick the option nearest in the arrow's direction,
// which for options of different widths skips some and sticks at others.
template <std::size_t N>
void arrowsGoRoundTheOptions(QObject& events, const std::array<QRadioButton*, N>& options)
{
    const auto take = [options](QObject& control, const QKeyEvent& key) {
        int step = 0;
        if (key.key() == Qt::Key_Down || key.key() == Qt::Key_Right) step = 1;
        if (key.key() == Qt::Key_Up || key.key() == Qt::Key_Left) step = static_cast<int>(N) - 1;
        if (step == 0 || !alone(key)) return false;
        const auto at = static_cast<std::size_t>(std::find(options.begin(), options.end(), &control) - options.begin());
        QRadioButton* const next = options[(at + static_cast<std::size_t>(step)) % N];
        next->click();
        next->setFocus(step == 1 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    };
    for (QRadioButton* option : options) option->installEventFilter(new KeyPresses(&events, take));
}

// Tab into the options comes to the chosen one, also where the program chose
// it (Reset). Qt would come back to the option that last had the focus.
template <std::size_t N>
void tabComesToTheChosenOption(QObject& events, const std::array<QRadioButton*, N>& options)
{
    for (QRadioButton* chosen : options) {
        QObject::connect(chosen, &QAbstractButton::toggled, &events, [chosen, options](bool on) {
            if (!on) return;
            for (QRadioButton* o : options) {
                const int policy = o->focusPolicy();
                o->setFocusPolicy(Qt::FocusPolicy(o == chosen ? policy | Qt::TabFocus : policy & ~Qt::TabFocus));
            }
        });
    }
}

// While no entry is chosen, Down, Up and Home choose the first entry and End
// the last. Qt would step from the current row that tabbing in set: Down
// would choose the second entry, Up and Home none.
void listKeysStartFromItsEnds(QObject& events, QListWidget* list)
{
    list->installEventFilter(new KeyPresses(&events, [list](QObject&, const QKeyEvent& key) {
        if (!alone(key) || list->count() == 0 || list->selectionModel()->hasSelection()) return false;
        const bool first = key.key() == Qt::Key_Down || key.key() == Qt::Key_Up || key.key() == Qt::Key_Home;
        if (!first && key.key() != Qt::Key_End) return false;
        list->setCurrentRow(first ? 0 : list->count() - 1, QItemSelectionModel::ClearAndSelect);
        return true;
    }));
}

}  // namespace

QtRuntimeServices::QtRuntimeServices(QWidget& form)
    : form_(&form),
      options_(controls<QRadioButton>(form, optionButtonNames)),
      list1_(control<QListWidget>(form, listBoxName)),
      boxes_(controls<QLineEdit>(form, textBoxNames)),
      labels_{UnitLabel{control<QLabel>(form, labelNames[0]), boxes_[0], {}, {}},
              UnitLabel{control<QLabel>(form, labelNames[1]), boxes_[1], {}, {}}},
      buttons_(controls<QPushButton>(form, commandButtonNames))
{
    for (UnitLabel& l : labels_) {
        l.labelName = toU16(l.label->accessibleName());
        l.boxName = toU16(l.box->accessibleName());
    }

    // An option's Click is its becoming selected, by mouse, arrow keys, a
    // screen reader or the program; clicking the option that is selected
    // already changes nothing.
    for (std::size_t i = 0; i < options_.size(); ++i) {
        QObject::connect(options_[i], &QAbstractButton::toggled, &events_, [this, i](bool on) {
            if (on) raiseClick(static_cast<OptionButton>(i));
        });
    }
    QItemSelectionModel* const plain = list1_->selectionModel();
    list1_->setSelectionModel(new OneChosenEntry(list1_->model(), list1_));
    delete plain;
    // The list's Click is a selection made by the user, by mouse or keys;
    // emptying and filling the list are not, and neither is the current row
    // that tabbing into the list sets.
    QObject::connect(list1_, &QListWidget::itemSelectionChanged, &events_, [this] { raiseClick(ListBox::list1); });
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        QObject::connect(buttons_[i], &QAbstractButton::clicked, &events_,
                         [this, i] { raiseClick(static_cast<CommandButton>(i)); });
    }
    // The keys of the options, the list and the buttons, as on the other
    // desktops and the window's other host.
    arrowsGoRoundTheOptions(events_, options_);
    tabComesToTheChosenOption(events_, options_);
    listKeysStartFromItsEnds(events_, list1_);
    for (QPushButton* button : buttons_) enterPressesTheFocusedButton(events_, button);
    // A box takes in at most one character beyond the limit, so that a huge
    // paste costs no more than a short one; the validator then refuses the
    // edit whole, so nothing is ever cut short. The refusal is raised once the
    // box has finished undoing the edit, from the event loop rather than from
    // inside the box's own handling of it. A paste comes in without the white
    // space and line breaks around it.
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i]->setMaxLength(maxBoxLength + 1);
        trimPastes(*boxes_[i]);
        boxes_[i]->setValidator(new BoxTextRule(&events_, [this, i] {
            QMetaObject::invokeMethod(
                &events_, [this, i] { raiseEditRefused(static_cast<TextBox>(i)); }, Qt::QueuedConnection);
        }));
    }
}

std::u16string QtRuntimeServices::text(TextBox b) const { return toU16(box(b)->text()); }

void QtRuntimeServices::setText(TextBox b, std::u16string_view text)
{
    // Shown from its first character, as after Home: a long result shows its
    // sign and leading digits, not the end that the cursor would scroll to.
    QLineEdit* const edit = box(b);
    edit->setText(toQString(text));
    edit->setCursorPosition(0);
}

void QtRuntimeServices::setCaption(Label label, std::u16string_view caption)
{
    // A screen reader names the label and its box by the unit it shows, and
    // by the names the form gave them while no unit is shown.
    const UnitLabel& l = labels_[at(label)];
    l.label->setText(toQString(caption));
    l.label->setAccessibleName(toQString(unitAccessibleName(caption, l.labelName)));
    l.box->setAccessibleName(toQString(unitAccessibleName(caption, l.boxName)));
}

bool QtRuntimeServices::optionValue(OptionButton o) const { return option(o)->isChecked(); }

void QtRuntimeServices::selectOption(OptionButton o)
{
    if (option(o)->isChecked()) {
        raiseClick(o);
        return;
    }
    // Checking it unchecks the others, and its change raises its Click.
    option(o)->setChecked(true);
}

std::int16_t QtRuntimeServices::listIndex() const
{
    const QList<QListWidgetItem*> selected = list1_->selectedItems();
    if (selected.isEmpty()) return -1;
    return listIndexOf(list1_->row(selected.front()));
}

std::int16_t QtRuntimeServices::listCount() const
{
    return listCountOf(list1_->count());
}

std::u16string QtRuntimeServices::listText() const
{
    const QList<QListWidgetItem*> selected = list1_->selectedItems();
    return selected.isEmpty() ? std::u16string() : toU16(selected.front()->text());
}

void QtRuntimeServices::listClear()
{
    // Emptying the list is not the user choosing an entry.
    const QSignalBlocker blocker(list1_);
    list1_->clear();
}

void QtRuntimeServices::listAddItem(std::u16string_view caption) { list1_->addItem(toQString(caption)); }

void QtRuntimeServices::setFocus(TextBox b) { box(b)->setFocus(Qt::OtherFocusReason); }

void QtRuntimeServices::setFocus(OptionButton o) { option(o)->setFocus(Qt::OtherFocusReason); }

void QtRuntimeServices::showBox(BoxKind kind, const QString& text)
{
    if (boxSink_) {
        boxSink_(kind, text);
        return;
    }
    QMessageBox box(kind == BoxKind::Message ? QMessageBox::NoIcon : QMessageBox::Warning,
                    toQString(applicationTitle), text, QMessageBox::Ok, form_);
    box.exec();
}

void QtRuntimeServices::showMessage(std::u16string_view text) { showBox(BoxKind::Message, toQString(text)); }

void QtRuntimeServices::showRunError(RunError error) { showBox(BoxKind::RunError, toQString(describe(error))); }

void QtRuntimeServices::endProgram()
{
    form_->hide();
    QCoreApplication::exit(0);
}

NumberSettings QtRuntimeServices::numberSettings() const { return numberSettingsOf(QLocale()); }

}  // namespace mensora
