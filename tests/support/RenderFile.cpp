#include "support/RenderFile.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

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

// Two colours look alike when no channel is off by more than this: anti-aliasing of another font
// library stays below it; a control's border or text against the window's background lies far above it.
constexpr int kChannelSlack = 64;
// A pixel is unmatched when the other picture has no like colour at its place or one pixel around it:
// the reach forgives glyphs hinted or placed a pixel apart. Such pixels lie thinly spread over the text
// (under 12 in any square of 32 x 32 when the fonts are rendered without hinting); a control that moved
// by two pixels leaves over 50 in one square, a small button that vanished over 100.
constexpr int kSquare = 32;
constexpr int kUnmatchedPerSquare = 32;

bool Alike(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= kChannelSlack && std::abs(qGreen(a) - qGreen(b)) <= kChannelSlack &&
           std::abs(qBlue(a) - qBlue(b)) <= kChannelSlack;
}

bool MatchedNear(QRgb colour, const QImage& other, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (other.valid(x + dx, y + dy) && Alike(colour, other.pixel(x + dx, y + dy))) return true;
        }
    }
    return false;
}

// Unmatched pixels per square, both ways: what one picture shows that the other does not.
std::vector<int> UnmatchedPerSquare(const QImage& a, const QImage& b)
{
    const int columns = (a.width() + kSquare - 1) / kSquare;
    std::vector<int> squares(static_cast<std::size_t>(columns * ((a.height() + kSquare - 1) / kSquare)));
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb left = a.pixel(x, y);
            const QRgb right = b.pixel(x, y);
            if (Alike(left, right)) continue;
            const int unmatched = (MatchedNear(left, b, x, y) ? 0 : 1) + (MatchedNear(right, a, x, y) ? 0 : 1);
            squares[static_cast<std::size_t>((y / kSquare) * columns + x / kSquare)] += unmatched;
        }
    }
    return squares;
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

QImage SaveAndCompareRender(QWidget& widget, const QString& name)
{
    const QImage picture = SaveRender(widget, name).convertToFormat(QImage::Format_RGB32);
    const char* source = std::getenv("RV_SOURCE_DIR");
    const QString path = QString::fromUtf8(source ? source : ".") + QStringLiteral("/tests/data/renders/") + name +
                         QStringLiteral(".png");
    const char* update = std::getenv("RV_UPDATE_RENDERS");
    if (update && std::string(update) == "1") {
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()) && picture.save(path)) << path.toStdString();
        return picture;
    }
    const QImage reference = QImage(path).convertToFormat(QImage::Format_RGB32);
    EXPECT_FALSE(reference.isNull()) << path.toStdString() << " is missing";
    if (reference.isNull()) return picture;
    EXPECT_EQ(picture.size(), reference.size()) << name.toStdString();
    if (picture.size() != reference.size()) return picture;
    const std::vector<int> squares = UnmatchedPerSquare(picture, reference);
    const auto worst = std::max_element(squares.begin(), squares.end());
    const int columns = (picture.width() + kSquare - 1) / kSquare;
    const int index = static_cast<int>(worst - squares.begin());
    EXPECT_LE(*worst, kUnmatchedPerSquare)
        << name.toStdString() << " differs from " << path.toStdString() << " most in the square at ("
        << index % columns * kSquare << ", " << index / columns * kSquare << "): " << *worst
        << " unmatched pixels (the picture: renders/" << name.toStdString() << ".png)";
    return picture;
}
