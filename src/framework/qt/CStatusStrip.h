// The status strip along a dialog's bottom edge: a framed picture filled with the status bitmap
// (302 red: offline, 303 green: online).
#pragma once

#include "framework/StatusStrip.h"

#include <QFrame>
#include <QPixmap>

class CStatusStrip : public QFrame, public StatusStrip {
    Q_OBJECT

public:
    explicit CStatusStrip(QWidget* parent = nullptr);

    void SetStatusBitmap(int bitmapId) override;
    bool Exists() const override { return true; }  // the strip lives exactly as long as its widget

    int StatusBitmap() const { return bitmapId_; }
    QSize sizeHint() const override { return {40, 8}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int bitmapId_ = 0;
    QPixmap bitmap_;
};
