#pragma once

#include <QProxyStyle>

// The style of the focus ring alone: the ring lies over the control, above
// it, as large as the control and unmasked, whatever the application's style
// does with focus frames (most draw none, or only around the outside).
class FocusRingStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
};
