#include "window/form1.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

#include "core/convert_command.h"
#include "ui_form1_layout.h"
#include "window/form1_events.h"

namespace mensora {

namespace {

FormControls controlsOf(QWidget* window, const Ui::Form1& ui)
{
    FormControls c;
    c.window = window;
    c.options = {ui.optDistance, ui.optVolume, ui.optTemp, ui.optArea, ui.optWeight};
    c.list1 = ui.list1;
    c.lblInput = ui.lblInput;
    c.lblOutput = ui.lblOutput;
    c.txtInput = ui.txtInput;
    c.txtOutput = ui.txtOutput;
    c.cmdConvert = ui.cmdConvert;
    c.cmdExit = ui.cmdExit;
    c.cmdReset = ui.cmdReset;
    return c;
}

// Every size of the icon. They are read as the PNGs they are: letting Qt
// guess the format would load every image plugin on the system first.
QIcon applicationIcon()
{
    QIcon icon;
    const QDir dir(QStringLiteral(":/icons"));
    for (const QString& name : dir.entryList({QStringLiteral("mensora-*.png")}, QDir::Files)) {
        QImageReader reader(dir.filePath(name), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

}  // namespace

void prepareApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Mensora"));
    QApplication::setApplicationVersion(QStringLiteral(MENSORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.mensora.Mensora"));
    // Linux rarely has the window's font; Comic Neue is drawn to stand in for it.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    app.setWindowIcon(applicationIcon());
}

Form1::Form1(QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::Form1>()),
      controls_((ui_->setupUi(this), controlsOf(this, *ui_))),
      runtime_(controls_)
{
    setWindowIcon(QApplication::windowIcon());
    // A fixed window: it can be minimised and closed, not resized or maximised.
    setFixedSize(size());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // An option's Click is its becoming selected, by mouse, arrow keys, a
    // screen reader or the program; clicking the option that is selected
    // already changes nothing.
    using Handler = void (*)(RuntimeServices&);
    static constexpr std::array<Handler, 5> optionHandlers{optDistance_Click, optVolume_Click, optTemp_Click,
                                                           optArea_Click, optWeight_Click};
    for (std::size_t i = 0; i < optionHandlers.size(); ++i) {
        connect(controls_.options[i], &QAbstractButton::toggled, this, [this, handler = optionHandlers[i]](bool on) {
            if (on) handler(runtime_);
        });
    }
    runtime_.setOptionClick([this](Category category) {
        optionHandlers[static_cast<std::size_t>(category)](runtime_);
    });
    // A selection made by the user, by mouse or keys; emptying and filling the
    // list are done with its signals blocked, and the current row that tabbing
    // into the list sets is not a selection.
    connect(ui_->list1, &QListWidget::itemSelectionChanged, this, [this] { list1_Click(runtime_); });
    connect(ui_->cmdConvert, &QPushButton::clicked, this, [this] { cmdConvert_Click(runtime_); });
    connect(ui_->cmdReset, &QPushButton::clicked, this, [this] { cmdReset_Click(runtime_); });
    connect(ui_->cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(runtime_); });

    // The focus starts on the Distance option, and that selects it.
    ui_->optDistance->setFocus(Qt::OtherFocusReason);
    runtime_.selectOption(Category::Distance);
}

Form1::~Form1() = default;

}  // namespace mensora
