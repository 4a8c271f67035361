// The one window: built from its Designer form, its controls wired to the
// handlers, and the runtime through which the handlers reach it.
#pragma once

#include <QWidget>

#include <memory>

#include "runtime/qt_runtime_services.h"

class QApplication;

namespace Ui {
class Form1;
}

namespace mensora {

// What the program sets up once before its window: name, version, icon, and
// the stand-in font where "Comic Sans MS" is not installed.
void prepareApplication(QApplication& app);

class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The runtime the handlers reach the window through.
    QtRuntimeServices& runtime() { return runtime_; }
    // The controls, by name.
    const FormControls& controls() const { return controls_; }

private:
    std::unique_ptr<Ui::Form1> ui_;
    FormControls controls_;
    QtRuntimeServices runtime_;
};

}  // namespace mensora
