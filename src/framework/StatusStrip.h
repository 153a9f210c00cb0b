// The status strip along a dialog's bottom edge, as the online-status broadcast sees it.
#pragma once

// Implemented by the widget layer; the picture control that shows the status bitmap.
class StatusStrip {
public:
    virtual ~StatusStrip() = default;
    virtual void SetStatusBitmap(int bitmapId) = 0;
    // False once the strip's window is gone (or before it was created): such a strip is skipped.
    virtual bool Exists() const = 0;
};
