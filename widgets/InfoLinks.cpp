#include "widgets/InfoLinks.h"

#include "fonts/Fonts.h"
#include "widgets/JvHotLink.h"

#include <QApplication>

namespace vlnokan {

TJvHotLink* makeInfoLink(QWidget* parent, const QString& objectName, QPoint place,
                         const QString& url, int fontPixels) {
    auto* link = new TJvHotLink(parent);
    link->setObjectName(objectName);
    link->move(place);
    link->setLabelFont({Fonts::get().font(Face::Arial, fontPixels, false),
                        QApplication::palette().color(QPalette::WindowText)});
    LabelFont hot = link->HotTrackFont();
    hot.font = Fonts::get().font(Face::MsSansSerif, fontPixels, false);
    hot.font.setUnderline(true);
    link->setHotTrackFont(hot);
    link->setUrl(url);
    link->setCaption(url);
    return link;
}

} // namespace vlnokan
