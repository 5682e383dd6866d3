#pragma once

#include "widgets/JvLabel.h"

#include <QString>

namespace vlnokan {

// A label that leads to a web page: a hand pointer over it, its caption blue and underlined while
// the pointer is there, and a click opens its Url with the desktop's handler. The caption is what
// the user reads, the Url what is opened; the window sets both.
class TJvHotLink : public TJvLabel {
    Q_OBJECT
    Q_PROPERTY(QString Url READ Url WRITE setUrl)

public:
    // Where a link leads until its window gives it its own address.
    static inline const QString defaultUrl =
        QStringLiteral("https://en.wikipedia.org/wiki/Antenna_(radio)");

    explicit TJvHotLink(QWidget* parent = nullptr);

    const QString& Url() const { return m_url; }
    void setUrl(const QString& url) { m_url = url; }

    // After the label's own click handling, hands the Url to the desktop. Whether the desktop
    // accepted it makes no difference: the label stays as it is and says nothing.
    void Click() override;

private:
    QString m_url = defaultUrl;
};

} // namespace vlnokan
