// The one window, built from its Designer form.
#pragma once

#include <QStringList>
#include <QWidget>

#include <memory>
#include <span>
#include <string_view>

#include "form1_font.h"

class QApplication;

namespace Ui {
class Form1;
}

namespace mensora {

// The face the window's text is drawn in: "Comic Sans MS" where it is
// installed, else the first installed of its stand-ins; or of other faces,
// such as the result box's.
QString windowFontFamily(const QStringList& installedFamilies,
                         std::span<const std::u16string_view> faces = form1FontFaces);

// What the program sets up once before its window: name, version, icon, the
// frames' look, and its font: that face at 8.25 pt.
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
