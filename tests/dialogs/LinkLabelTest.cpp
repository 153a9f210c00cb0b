// The link label: a click opens what it shows now, colour and underline take effect at once, and the hover
// cursor only when one was given.
#include "dialogs/CLabel.h"

#include "support/RecordingShellHost.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

namespace {

void Press(CLabel& label, Qt::MouseButton button)
{
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, label.mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(&label, &press);
}

TEST(LinkLabel, AClickOpensTheTextShownNow)
{
    RecordingShellHost shell;
    CLabel label(TestHosts().shell);
    label.setText("https://first.example/");
    Press(label, Qt::LeftButton);
    label.setText("manual one.pdf");
    Press(label, Qt::LeftButton);
    Press(label, Qt::RightButton);
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"https://first.example/", "manual one.pdf"}));

    label.SetNotify(0);
    Press(label, Qt::LeftButton);
    EXPECT_TRUE(label.testAttribute(Qt::WA_TransparentForMouseEvents)) << "clicks go to what lies beneath";
    EXPECT_EQ(shell.opened.size(), 2u);
    label.SetNotify(1);
    EXPECT_FALSE(label.testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST(LinkLabel, TextIsNeverTakenForMarkup)
{
    RecordingShellHost shell;
    CLabel label(TestHosts().shell);
    label.setText("<a href=\"x\">y</a>");
    Press(label, Qt::LeftButton);
    EXPECT_EQ(shell.opened, std::vector<std::string>{"<a href=\"x\">y</a>"});
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
}

TEST(LinkLabel, HoverCursorOnlyWhenGiven)
{
    CLabel label(TestHosts().shell);
    EXPECT_EQ(label.cursor().shape(), Qt::ArrowCursor);
    label.SetHoverCursor(QCursor(Qt::PointingHandCursor));
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
}

// Counts the pixels that are clearly this colour's hue (text drawn with anti-aliasing is blended).
int PixelsNear(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) < 60 && std::abs(pixel.green() - colour.green()) < 60 &&
                std::abs(pixel.blue() - colour.blue()) < 60)
                ++count;
        }
    }
    return count;
}

TEST(LinkLabel, ColourAndUnderlineAreShownAtOnce)
{
    CLabel label(TestHosts().shell);
    label.setText("https://rv.example/");
    label.resize(200, 24);
    label.show();
    QApplication::processEvents();
    label.SetTextColour(QColor(0, 0, 255));
    EXPECT_EQ(label.TextColour(), QColor(0, 0, 255));
    EXPECT_GT(PixelsNear(label.grab().toImage(), QColor(0, 0, 255)), 20);
    EXPECT_FALSE(label.font().underline());
    label.SetFontUnderline(1);
    EXPECT_TRUE(label.font().underline());
    label.SetFontUnderline(0);
    EXPECT_FALSE(label.font().underline());
}

}  // namespace
