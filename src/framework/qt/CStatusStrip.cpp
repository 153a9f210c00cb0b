// The status strip.
#include "framework/qt/CStatusStrip.h"

#include <QPainter>

// The bitmaps live in a static library, whose resource initialiser the linker would drop unless
// something refers to it.
static void InitFrameworkResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(framework);
        return true;
    }();
    (void)done;
}

CStatusStrip::CStatusStrip(QWidget* parent) : QFrame(parent)
{
    InitFrameworkResources();
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(8);
}

void CStatusStrip::SetStatusBitmap(int bitmapId)
{
    // Every answered request reports the link online again: a strip that already shows the colour is
    // left alone rather than loading its bitmap and repainting thousands of times in a transfer.
    if (bitmapId == bitmapId_ && !bitmap_.isNull()) return;
    bitmapId_ = bitmapId;
    bitmap_ = QPixmap(QStringLiteral(":/bitmaps/%1.bmp").arg(bitmapId));
    update();
}

void CStatusStrip::paintEvent(QPaintEvent* event)
{
    // The bitmap is one colour: stretched over the frame's inside, it fills the strip with it.
    if (!bitmap_.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(contentsRect(), bitmap_);
    }
    QFrame::paintEvent(event);
}
