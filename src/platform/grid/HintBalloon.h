#pragma once

#include <QFont>
#include <QPainterPath>
#include <QWidget>

namespace platform {

// A hint drawn as a balloon with rounded corners and a call-out pointer at
// its top left, pointing at the spot it explains.
class HintBalloon : public QWidget {
    Q_OBJECT
public:
    struct Style {
        QFont font;
        int cornerRadius = 6;
    };

    explicit HintBalloon(QWidget* parent = nullptr);

    // Shows text with its pointer at globalPoint; an empty text hides it.
    void showText(const QPoint& globalPoint, const QString& text, const Style& style);
    QString text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPainterPath outline(const QRectF& body) const;

    static constexpr int kPointer = 8;
    static constexpr int kPadding = 6;
    QString text_;
    Style style_;
};

} // namespace platform
