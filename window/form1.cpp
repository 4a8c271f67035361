#include "form1.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QResource>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>

#include <cstdlib>

#include "fitted_box.h"
#include "form1_font.h"
#include "ui_form1_layout.h"

namespace mensora {

namespace {

// Every size of the icon compiled in (window/CMakeLists.txt), by name, as the
// raw pixels data/icons/draw_icon.py writes beside the PNGs: shown without
// decoding anything, the start needs neither the PNG decoder nor a look
// through the image plugins.
QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        const QResource pixels(QStringLiteral(":/icons/mensora-%1.rgba").arg(size));
        if (pixels.compressionAlgorithm() != QResource::NoCompression || pixels.size() != qint64{size} * size * 4) {
            continue;  // a broken build; the window test finds the size missing
        }
        icon.addPixmap(QPixmap::fromImage(
            QImage(pixels.data(), size, size, QImage::Format_RGBA8888_Premultiplied)));
    }
    return icon;
}

// Whether a line in `role` shows on the window: its lightness differs from
// the window's by at least as much as a light scheme's mid tone does.
bool standsOut(const QPalette& palette, QPalette::ColorRole role)
{
    return std::abs(palette.color(role).lightness() - palette.color(QPalette::Window).lightness()) >= 40;
}

// Whether the palette's shades are lost against the window: under a dark
// scheme, where a style's lines, drawn darker than the window, vanish, and
// under a high-contrast one whose mid tone is the window's own colour.
bool shadesVanish(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness() ||
           !standsOut(palette, QPalette::Mid);
}

// The window's outlines: the palette's mid tone where its shades show, else
// its text colour; a control with the focus is outlined in the highlight
// where that shows.
QColor outlineColour(const QStyleOption& option)
{
    const QPalette& palette = option.palette;
    if (option.state & QStyle::State_HasFocus && standsOut(palette, QPalette::Highlight)) {
        return palette.color(QPalette::Highlight);
    }
    return palette.color(shadesVanish(palette) ? QPalette::WindowText : QPalette::Mid);
}

// Outlines a control drawn by the desktop's style again in the palette's
// colours, where the style's own lines are lost in them.
void outlineAgain(const QStyleOption& option, QPainter& painter, bool round)
{
    if (!shadesVanish(option.palette)) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(outlineColour(option));
    painter.setBrush(Qt::NoBrush);
    const QRectF edge = QRectF(option.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    if (round) painter.drawEllipse(edge.adjusted(1, 1, -1, -1));
    else painter.drawRoundedRect(edge, 2, 2);
    painter.restore();
}

// The frames: a thin rounded line in the outlines' colour, with the caption
// set into the line near its left end; the inside is not filled. Everything
// else is drawn by the desktop's style, and outlined again where the
// palette's shades vanish: the boxes, the labels' borders, the list, the
// options and the buttons.
class FrameStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (element == PE_FrameLineEdit || element == PE_PanelButtonCommand) outlineAgain(*option, *painter, false);
        if (element == PE_IndicatorRadioButton) outlineAgain(*option, *painter, true);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (element == CE_ShapedFrame && frame != nullptr && frame->frameShape != QFrame::NoFrame &&
            frame->frameShape != QFrame::HLine && frame->frameShape != QFrame::VLine) {
            outlineAgain(*option, *painter, false);
        }
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override
    {
        if (control != CC_GroupBox) return QProxyStyle::subControlRect(control, option, sub, widget);
        const QRect all = option->rect;
        switch (sub) {
        case SC_GroupBoxFrame:
            return all.adjusted(0, lineTop, 0, 0);
        case SC_GroupBoxContents:
            return all.adjusted(1, lineTop + 1, -1, -1);
        case SC_GroupBoxLabel: {
            const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
            if (box == nullptr || box->text.isEmpty()) return {};
            const int width = box->fontMetrics.horizontalAdvance(box->text) + 2 * captionPadding;
            return {all.left() + captionIndent, all.top(), width, box->fontMetrics.height()};
        }
        default:
            return {};
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control != CC_GroupBox || box == nullptr) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QRect caption = subControlRect(control, option, SC_GroupBoxLabel, widget);
        painter->save();
        if (!caption.isEmpty()) painter->setClipRegion(QRegion(box->rect) - caption);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(outlineColour(*box));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(subControlRect(control, option, SC_GroupBoxFrame, widget))
                                     .adjusted(0.5, 0.5, -0.5, -0.5),
                                 radius, radius);
        painter->restore();
        if (!caption.isEmpty()) {
            drawItemText(painter, caption.adjusted(captionPadding, 0, -captionPadding, 0),
                         Qt::AlignLeft | Qt::AlignVCenter, box->palette, box->state & State_Enabled, box->text,
                         QPalette::WindowText);
        }
    }

private:
    static constexpr int lineTop = 7;        // the line runs through the caption
    static constexpr int captionIndent = 6;  // from the frame's left edge
    static constexpr int captionPadding = 4; // the gap in the line on each side
    static constexpr qreal radius = 2;
};

}  // namespace

QString windowFontFamily(const QStringList& installedFamilies, std::span<const std::u16string_view> faces)
{
    for (const std::u16string_view face : faces) {
        const QString name = QString::fromUtf16(face.data(), static_cast<qsizetype>(face.size()));
        if (installedFamilies.contains(name)) return name;
    }
    // None of them: fontconfig finds the sans-serif most like the last.
    return QString::fromUtf16(faces.back().data(), static_cast<qsizetype>(faces.back().size()));
}

void prepareApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Mensora"));
    QApplication::setApplicationVersion(QStringLiteral(MENSORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.mensora.Mensora"));
    // Every control draws in the window's font, the frames and boxes too, so
    // one face is all the window opens. Set before any widget is built, it is
    // every widget's own font from the start. It names a face that is
    // installed: asked for a missing one, Qt would first have fontconfig rank
    // every installed font as a replacement.
    QFont font(windowFontFamily(QFontDatabase::families()));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(form1FontPointSize);
    QApplication::setFont(font);
    app.setWindowIcon(applicationIcon());
    QApplication::setStyle(new FrameStyle);
}

Form1::Form1(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::Form1>())
{
    ui_->setupUi(this);
    fitFontToText(*findChild<QLineEdit*>(QString::fromUtf16(form1FittedBox.data(), std::ssize(form1FittedBox))),
                  form1FittedFont);
    // A fixed window: it can be minimised and closed, not resized or maximised.
    setFixedSize(size());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

Form1::~Form1() = default;

}  // namespace mensora
