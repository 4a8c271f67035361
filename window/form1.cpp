#include "form1.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QResource>
#include <QStyleOptionGroupBox>

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

// The frames: a thin rounded line, darker than the window, with the caption
// set into the line near its left end; the inside is not filled. Everything
// else is drawn by the desktop's style.
class FrameStyle : public QProxyStyle {
public:
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
        painter->setPen(box->palette.color(QPalette::Mid));
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

QString windowFontFamily(const QStringList& installedFamilies)
{
    for (const std::u16string_view face : form1FontFaces) {
        const QString name = QString::fromUtf16(face.data(), static_cast<qsizetype>(face.size()));
        if (installedFamilies.contains(name)) return name;
    }
    // None of them: fontconfig finds the sans-serif most like the last.
    return QString::fromUtf16(form1FontFaces.back().data(), static_cast<qsizetype>(form1FontFaces.back().size()));
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
