// Pictures of windows for a person to look at, written to <build>/renders.
#pragma once

#include <QImage>
#include <QString>

class QWidget;

// Grabs the widget as it is painted now and saves it as renders/<name>.png. A failed save or a picture
// without content (fewer than a handful of colours: an empty or unpainted window) fails the test.
QImage SaveRender(QWidget& widget, const QString& name);
