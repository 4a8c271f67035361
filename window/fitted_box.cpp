#include "fitted_box.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

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

void fit(QLineEdit& box, FontSteps steps)
{
    const QFont inherited = box.parentWidget()->font();
    const int room = textRoom(box);
    const QString text = box.displayText();
    const auto sized = [&inherited](double points) {
        QFont font = inherited;
        font.setPointSizeF(points);
        return font;
    };
    const double size = fittedPointSize(inherited.pointSizeF(), steps, [&](double points) {
        return qRound(QFontMetricsF(sized(points)).horizontalAdvance(text)) <= room;
    });
    if (size == box.font().pointSizeF()) return;
    // the inherited font itself where the text fits in it
    box.setFont(size == inherited.pointSizeF() ? QFont() : sized(size));
}

}  // namespace

void fitFontToText(QLineEdit& box, FontSteps steps)
{
    QObject::connect(&box, &QLineEdit::textChanged, &box, [&box, steps] { fit(box, steps); });
    fit(box, steps);
}

}  // namespace mensora
