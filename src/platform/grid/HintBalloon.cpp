#include "platform/grid/HintBalloon.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QRegion>

namespace platform {

HintBalloon::HintBalloon(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void HintBalloon::showText(const QPoint& globalPoint, const QString& text, const Style& style) {
    if (text.isEmpty()) {
        text_.clear();
        hide();
        return;
    }
    text_ = text;
    style_ = style;
    const QFontMetrics metrics(style.font);
    const QRect textRect = metrics.boundingRect(QRect(0, 0, 600, 400), Qt::TextWordWrap, text);
    resize(textRect.width() + 2 * kPadding + 2, textRect.height() + 2 * kPadding + kPointer + 2);
    move(globalPoint + QPoint(0, 4));
    // The shape itself, also where no compositor draws translucent windows.
    const QRectF body = QRectF(rect()).adjusted(0, kPointer, 0, 0);
    setMask(QRegion(outline(body).toFillPolygon().toPolygon()));
    update();
    show();
    raise();
}

QPainterPath HintBalloon::outline(const QRectF& body) const {
    QPainterPath path;
    path.addRoundedRect(body, style_.cornerRadius, style_.cornerRadius);
    QPainterPath pointer;
    pointer.moveTo(body.left() + 6, body.top() + 1);
    pointer.lineTo(body.left() + 6, body.top() - kPointer);
    pointer.lineTo(body.left() + 6 + kPointer, body.top() + 1);
    pointer.closeSubpath();
    return path.united(pointer);
}

void HintBalloon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(0.5, kPointer + 0.5, -0.5, -0.5);
    const QPainterPath path = outline(body);
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.setBrush(palette().color(QPalette::ToolTipBase));
    painter.drawPath(path);
    painter.setFont(style_.font);
    painter.drawText(body.adjusted(kPadding, kPadding, -kPadding, -kPadding),
                     Qt::AlignCenter | Qt::TextWordWrap, text_);
}

} // namespace platform
