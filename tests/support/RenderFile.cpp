#include "support/RenderFile.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

#include <cstdlib>
#include <set>

namespace {

int ColourCount(const QImage& image, int enough)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
            if (static_cast<int>(colours.size()) >= enough) return enough;
        }
    }
    return static_cast<int>(colours.size());
}

}  // namespace

QImage SaveRender(QWidget& widget, const QString& name)
{
    QApplication::processEvents();
    const char* binary = std::getenv("RV_BINARY_DIR");
    const QString folder = QString::fromUtf8(binary ? binary : ".") + QStringLiteral("/renders");
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    const QImage image = widget.grab().toImage();
    EXPECT_TRUE(QDir().mkpath(folder) && image.save(path)) << path.toStdString();
    constexpr int kContent = 8;
    EXPECT_EQ(ColourCount(image, kContent), kContent) << path.toStdString() << " shows nothing";
    return image;
}
