// A static text with its own colour, font and hover cursor that can act as a link: clicked, it asks the
// desktop to open its own text.
#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QLabel>

#include <optional>

class ShellHost;

class CLabel : public QLabel {
    Q_OBJECT

public:
    // Addresses open through `shell`.
    explicit CLabel(ShellHost& shell, QWidget* parent = nullptr);

    // With 1 the label takes clicks (and shows its hover cursor); with 0 they go to what lies beneath.
    void SetNotify(int notify);
    // The text colour, shown at once.
    void SetTextColour(const QColor& colour);
    // Underlines the text (1) or not (0), shown at once.
    void SetFontUnderline(int underline);
    // The cursor while the mouse is over the label; without one the normal arrow.
    void SetHoverCursor(const QCursor& cursor);

    int Notify() const { return notify_; }
    QColor TextColour() const { return textColour_; }

protected:
    // A left click opens whatever the label shows now.
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Redraw();

    QColor textColour_;
    QFont font_;
    int notify_ = 1;
    std::optional<QCursor> cursor_;
    ShellHost& shell_;
};
