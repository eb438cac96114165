#include "bandedstyle.h"

#include <QImage>
#include <QPainter>
#include <QStyleOption>

#include <vector>

namespace {

bool isOpaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *pixel = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(pixel[x]) != 255)
                return false;
        }
    }
    return true;
}

} // namespace

void BandedStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                     QPainter *painter, const QWidget *widget) const
{
    if (control == CC_ScrollBar && drawScrollBarInBands(option, painter, widget))
        return;
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

// A scroll bar cannot be banded by clipping: the style replaces the clip to
// draw the groove's edge. Each band is drawn to an image of its own rows
// instead and copied in. That gives the same pixels only where the style
// covers the whole control with opaque paint first, as it does for its
// groove; anything else, and anything the painter would scale or fade, is
// drawn directly.
bool BandedStyle::drawScrollBarInBands(const QStyleOptionComplex *option, QPainter *painter,
                                       const QWidget *widget) const
{
    const QRect rect = option->rect;
    if (rect.height() <= BandHeight || rect.width() <= 0 || painter->opacity() != 1.0
        || painter->worldTransform().type() > QTransform::TxTranslate
        || painter->device()->devicePixelRatio() != 1.0)
        return false;

    std::vector<QImage> bands;
    for (int top = rect.top(); top <= rect.bottom(); top += BandHeight) {
        QImage band(rect.width(), qMin(BandHeight, rect.bottom() + 1 - top),
                    QImage::Format_ARGB32_Premultiplied);
        band.fill(Qt::transparent);
        QPainter bandPainter(&band);
        bandPainter.setRenderHints(painter->renderHints());
        bandPainter.translate(-rect.left(), -top);
        QProxyStyle::drawComplexControl(CC_ScrollBar, option, &bandPainter, widget);
        bandPainter.end();
        if (!isOpaque(band))
            return false;
        bands.push_back(std::move(band));
    }
    int top = rect.top();
    for (const QImage &band : bands) {
        painter->drawImage(QPoint(rect.left(), top), band);
        top += BandHeight;
    }
    return true;
}

void BandedStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                QPainter *painter, const QWidget *widget) const
{
    const QRect rect = option->rect;
    if (element != PE_FrameGroupBox || rect.height() <= BandHeight) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The group box's frame is a picture stretched over its edges; painted
    // once per band through a clip of the band's rows (and any clip the
    // painter already has). The title is drawn apart, once.
    for (int top = rect.top(); top <= rect.bottom(); top += BandHeight) {
        painter->save();
        painter->setClipRect(QRect(rect.left(), top, rect.width(), BandHeight), Qt::IntersectClip);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        painter->restore();
    }
}
