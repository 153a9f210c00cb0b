// The link label.
#include "dialogs/CLabel.h"

#include "framework/ShellHost.h"

#include <QMouseEvent>
#include <QPalette>

CLabel::CLabel(ShellHost& shell, QWidget* parent)
    : QLabel(parent), textColour_(palette().color(QPalette::WindowText)), font_(font()), shell_(shell)
{
    // The text is an address or a name to open, never markup to interpret.
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
}

void CLabel::SetNotify(int notify)
{
    notify_ = notify != 0 ? 1 : 0;
    setAttribute(Qt::WA_TransparentForMouseEvents, notify_ == 0);
    if (notify_ != 0 && cursor_) {
        setCursor(*cursor_);
    } else {
        unsetCursor();
    }
}

void CLabel::SetTextColour(const QColor& colour)
{
    textColour_ = colour;
    QPalette shown = palette();
    shown.setColor(QPalette::WindowText, colour);
    shown.setColor(QPalette::Text, colour);
    setPalette(shown);
    Redraw();
}

void CLabel::SetFontUnderline(int underline)
{
    font_.setUnderline(underline != 0);
    setFont(font_);
    Redraw();
}

void CLabel::SetHoverCursor(const QCursor& cursor)
{
    cursor_ = cursor;
    if (notify_ != 0) setCursor(cursor);
}

void CLabel::Redraw()
{
    // Painted now, not at the next paint that happens to come along.
    if (isVisible()) repaint();
}

void CLabel::mousePressEvent(QMouseEvent* event)
{
    if (notify_ != 0 && event->button() == Qt::LeftButton) shell_.Open(text().toStdString());
    QLabel::mousePressEvent(event);
}
