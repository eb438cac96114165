#pragma once

#include <QProxyStyle>

// The desktop's style, with its tall controls painted in bands.
//
// Qt's raster engine hands any fill of 96 spans or more (a span is a run of
// pixels on one row: a tall gradient, a line with some transparency or a
// stretched picture is one span a row) to the global thread pool in parts of
// 64 spans, and waits for them. A scroll bar or a group box frame of this
// program's windows is such a fill: on the first paint the pool starts its
// threads for it, and every paint waits on them, which costs many times the
// fill itself. Painted 64 rows at a time, these controls keep every fill on
// the GUI thread, and the pixels are the same.
class BandedStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // The rows painted at a time. At this height no fill of the windows'
    // scroll bars and frames reaches the engine's threshold.
    static constexpr int BandHeight = 64;

    using QProxyStyle::QProxyStyle;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

private:
    bool drawScrollBarInBands(const QStyleOptionComplex *option, QPainter *painter,
                              const QWidget *widget) const;
};
