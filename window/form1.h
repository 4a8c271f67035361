// The one window, built from its Designer form.
#pragma once

#include <QWidget>

#include <memory>

class QApplication;

namespace Ui {
class Form1;
}

namespace mensora {

// What the program sets up once before its window: name, version, icon, and
// its font, "Comic Sans MS" 8.25 pt, with the stand-in where that is not
// installed.
void prepareApplication(QApplication& app);

// The window and its controls, each named as on the form; the runtime finds
// them by those names.
class Form1 : public QWidget {
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

private:
    std::unique_ptr<Ui::Form1> ui_;
};

}  // namespace mensora
