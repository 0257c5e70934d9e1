#pragma once

#include <QLabel>

// The colour swatch of a category (colours as 0x00BBGGRR). It takes the
// focus, and a click, Space or Enter asks for another colour.
class ColourSwatch : public QLabel {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    quint32 colour() const { return colour_; }
    void setColour(quint32 colour);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    quint32 colour_ = 0;
};
