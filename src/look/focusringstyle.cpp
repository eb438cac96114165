#include "look/focusringstyle.h"

int FocusRingStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                const QWidget *widget) const
{
    if (metric == PM_FocusFrameHMargin || metric == PM_FocusFrameVMargin)
        return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

int FocusRingStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                              QStyleHintReturn *returnData) const
{
    if (hint == SH_FocusFrame_AboveWidget)
        return 1;
    if (hint == SH_FocusFrame_Mask)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
