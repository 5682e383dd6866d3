#include "app/HintStyle.h"

namespace vlnokan {

int HintStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
    if (hint == SH_ToolTip_WakeUpDelay)
        return wakeUpDelay;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace vlnokan
