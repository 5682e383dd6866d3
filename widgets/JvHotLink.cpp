#include "widgets/JvHotLink.h"

#include "widgets/OpenTarget.h"

namespace vlnokan {

TJvHotLink::TJvHotLink(QWidget* parent) : TJvLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setHotTrack(true);
    LabelFont hot = HotTrackFont();
    hot.colour = QColor(0, 0, 255);
    hot.font.setBold(false);
    hot.font.setItalic(false);
    hot.font.setStrikeOut(false);
    hot.font.setUnderline(true);
    setHotTrackFont(hot);
}

void TJvHotLink::Click() {
    TJvLabel::Click();
    OpenTarget(m_url);
}

} // namespace vlnokan
