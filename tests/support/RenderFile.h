// Pictures of windows for a person to look at, written to <build>/renders.
#pragma once

#include <QImage>
#include <QString>

class QWidget;

// Grabs the widget as it is painted now and saves it as renders/<name>.png. A failed save or a picture
// without content (fewer than a handful of colours: an empty or unpainted window) fails the test.
QImage SaveRender(QWidget& widget, const QString& name);

// SaveRender, and the picture must look like the committed tests/data/renders/<name>.png: the same size,
// and few pixels apart, so that a control that moved, grew or vanished fails while font rendering does
// not. With RV_UPDATE_RENDERS=1 the picture becomes the reference instead (look at it before committing).
QImage SaveAndCompareRender(QWidget& widget, const QString& name);
