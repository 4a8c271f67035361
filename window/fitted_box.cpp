#include "fitted_box.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include "form1.h"

namespace mensora {

namespace {

// Between the box's contents and its text QLineEdit leaves two pixels on
// either side, and one more for the cursor after the text; a text narrower
// than what is left stands whole from its first character.
constexpr int textPadding = 2;
constexpr int cursorWidth = 1;

int textRoom(const QLineEdit& box)
{
    QStyleOptionFrame frame;  // as the box describes itself to its style
    frame.initFrom(&box);
    frame.rect = box.contentsRect();
    frame.lineWidth = box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, &box) : 0;
    frame.state |= QStyle::State_Sunken;
    const QRect contents =
        box.style()->subElementRect(QStyle::SE_LineEditContents, &frame, &box).marginsRemoved(box.textMargins());
    return contents.width() - 2 * textPadding - cursorWidth;
}

void fit(QLineEdit& box, const QFont& face, double fullPointSize, FontSteps steps)
{
    const QString text = box.displayText();
    if (text.isEmpty()) {  // no text to draw: the box keeps the window's font, and opens no face of its own
        if (box.testAttribute(Qt::WA_SetFont)) box.setFont(QFont());
        return;
    }
    const int room = textRoom(box);
    const auto sized = [&face](double points) {
        QFont font = face;
        font.setPointSizeF(points);
        return font;
    };
    const double size = fittedPointSize(fullPointSize, steps, [&](double points) {
        return qRound(QFontMetricsF(sized(points)).horizontalAdvance(text)) <= room;
    });
    if (const QFont font = sized(size); font != box.font()) box.setFont(font);
}

}  // namespace

void fitFontToText(QLineEdit& box, FontSteps steps)
{
    QFont face(windowFontFamily(QFontDatabase::families(), steps.faces));
    face.setBold(steps.bold);
    const double full = box.parentWidget()->font().pointSizeF();
    QObject::connect(&box, &QLineEdit::textChanged, &box, [&box, face, full, steps] { fit(box, face, full, steps); });
    fit(box, face, full, steps);
}

}  // namespace mensora
