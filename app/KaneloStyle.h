#pragma once

#include <QProxyStyle>

// The platform's style, except for the icons of the buttons a menu bar or a
// toolbar shows when it runs out of room: those are drawn, not read from the
// style's image files. The first image read loads every image-format plugin,
// which the start of the program should not wait for.
class KaneloStyle : public QProxyStyle {
    Q_OBJECT
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
