// The LUT editor offscreen without a camera: the mode label, the mouse on the graph, conversion and
// clearing, the three editors' placement and showing, the gamma file menu items, and renders to look at.
#include "dialogs/CLUTDlg.h"
#include "dialogs/CProgressBarDialog.h"
#include "dialogs/LutEditors.h"

#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"
#include "link/ComPort.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "support/RecordingFileDialogHost.h"
#include "support/RecordingMessageHost.h"
#include "support/TempFolder.h"
#include "support/TestData.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

// Where the renders go, for a person to look at: <build>/renders.
QString RenderPath(const char* name)
{
    const QByteArray binary = qgetenv("RV_BINARY_DIR");
    const QString folder = (binary.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(binary)) + "/renders";
    QDir().mkpath(folder);
    return folder + "/" + QLatin1String(name);
}

class LutEditorFixture : public ::testing::Test {
protected:
    LutEditorFixture()
        : link_(
              LinkSettings{}, port_, [](int) -> ClSerialKind* { return nullptr; }, nullptr),
          command_(link_, TestHosts())
    {
        progress_.SetCloseDelayMs(0);
    }

    std::unique_ptr<CLUTDlg> Editor(int colour)
    {
        auto editor = std::make_unique<CLUTDlg>(nullptr, TestHosts(), colour, command_, progress_);
        editor->InitDialog();
        return editor;
    }

    static void Mouse(CLUTDlg& editor, QEvent::Type type, QPoint at, Qt::MouseButtons held,
                      Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton
                                       : held & Qt::RightButton  ? Qt::RightButton
                                                                 : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), editor.Graph()->mapToGlobal(QPointF(at)), button, held, keys);
        QApplication::sendEvent(editor.Graph(), &event);
    }

    RecordingMessageHost host_;
    CProgressBarDialog progress_;
    ComPort port_;
    SerialLink link_;
    Command command_;
};

TEST_F(LutEditorFixture, AFreshEditorShowsTheStraightLineInEditMode)
{
    auto red = Editor(0);
    EXPECT_EQ(red->windowTitle(), "LUT Setting for Red");
    EXPECT_EQ(Editor(2)->windowTitle(), "LUT Setting for Blue");
    EXPECT_EQ(red->ModeText(), "Edit Mode");
    EXPECT_EQ(red->Spin()->GetPos32(), 8);
    EXPECT_EQ(red->Table().tableData[0], 0);
    EXPECT_EQ(red->Table().tableData[255], 4095);
    EXPECT_EQ(red->Table().inputLevels[254], 16u * 254u);
    EXPECT_EQ(red->Table().inputLevels[255], 4095u);
    EXPECT_EQ(red->Graph()->size(), QSize(256, 256));
    const QPoint graph = red->Graph()->mapTo(red->Body(), QPoint(0, 0));
    EXPECT_EQ(graph, QPoint(CLUTDlg::kGraphLeft + 2, CLUTDlg::kGraphTop + 2));  // inside the 2-pixel sunken edge
}

TEST_F(LutEditorFixture, MouseOnTheGraphAddsDragsAndDeletesPointsUnderTheCursor)
{
    auto editor = Editor(0);
    Mouse(*editor, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    ASSERT_EQ(editor->EditPoints().PointCount(), 3);
    EXPECT_EQ(editor->EditPoints().Point(1).x, 100);
    EXPECT_EQ(editor->EditPoints().Point(1).y, 100);
    // The table follows at once: entry 100 now lies on the curve through (100, 100).
    EXPECT_NEAR(editor->Table().tableData[100], 16 * 156, 40);

    Mouse(*editor, QEvent::MouseMove, {110, 90}, Qt::LeftButton);
    EXPECT_EQ(editor->EditPoints().Point(1).x, 110);
    Mouse(*editor, QEvent::MouseMove, {110, 90}, Qt::LeftButton, Qt::ShiftModifier);
    Mouse(*editor, QEvent::MouseMove, {150, 150}, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(editor->EditPoints().PointCount(), 3);
    Mouse(*editor, QEvent::MouseButtonPress, {300, 90}, Qt::LeftButton);  // dragged off the graph
    EXPECT_EQ(editor->EditPoints().PointCount(), 3);
    Mouse(*editor, QEvent::MouseButtonPress, {118, 98}, Qt::RightButton);
    EXPECT_EQ(editor->EditPoints().PointCount(), 2);
    EXPECT_EQ(editor->Table().tableData[128], 16 * 128);
}

TEST_F(LutEditorFixture, ViewModeKeepsTheLoadedTableUntilConvertedOrCleared)
{
    auto editor = Editor(2);
    GammaTable& table = editor->Table();
    for (int i = 0; i < 256; ++i) table.tableData[static_cast<std::size_t>(i)] = 4095 - 16 * i;
    editor->ShowLoadedTable();
    EXPECT_EQ(editor->ModeText(), "View Mode");
    Mouse(*editor, QEvent::MouseButtonPress, {128, 20}, Qt::LeftButton);  // changes the points, not the table
    editor->Graph()->grab();
    EXPECT_EQ(table.tableData[0], 4095);
    EXPECT_EQ(table.tableData[200], 4095 - 3200);

    editor->ConvertEditable(8);
    EXPECT_EQ(editor->ModeText(), "Edit Mode");
    EXPECT_EQ(editor->EditPoints().PointCount(), 8);
    EXPECT_EQ(editor->EditPoints().Point(0).y, 256 - 4095 / 16);
    EXPECT_GE(table.tableData[255], 4080);  // the converted curve always ends at the top right

    editor->SetDisplayMode(5);
    EXPECT_EQ(editor->ModeText(), "Unknown Mode");
    editor->ClearTableData();
    EXPECT_EQ(editor->ModeText(), "Edit Mode");
    EXPECT_EQ(editor->EditPoints().PointCount(), 2);
    EXPECT_EQ(table.tableData[128], 16 * 128);
}

TEST_F(LutEditorFixture, ButtonsConvertWithTheSpinCountAndClear)
{
    auto editor = Editor(0);
    editor->Spin()->SetPos32(5);
    qobject_cast<QPushButton*>(FindChildControl(editor.get(), CLUTDlg::kConvertId))->click();
    EXPECT_EQ(editor->EditPoints().PointCount(), 5);
    qobject_cast<QPushButton*>(FindChildControl(editor.get(), CLUTDlg::kClearId))->click();
    EXPECT_EQ(editor->EditPoints().PointCount(), 2);
    editor->show();
    editor->accept();  // Enter does nothing
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(LutEditorFixture, EditorsAreCreatedHiddenOffsetAndShownTogether)
{
    QWidget owner;
    LutEditors editors(command_, progress_, TestHosts());
    editors.Create(&owner);
    editors.Create(&owner);  // a second call creates nothing more
    const QPoint origin = owner.screen()->availableGeometry().topLeft();
    for (int colour = 0; colour < 3; ++colour) {
        CLUTDlg* editor = editors.Editor(colour);
        ASSERT_NE(editor, nullptr);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(editor->Table().colourIndex, colour);
        EXPECT_EQ(editor->pos(), origin + QPoint(50 * (colour + 1), 50 * (colour + 1)));
        EXPECT_TRUE(editor->isWindow());
    }
    EXPECT_EQ(owner.findChildren<CLUTDlg*>().size(), 3);
    editors.ShowAll(true);
    for (int colour = 0; colour < 3; ++colour) EXPECT_TRUE(editors.Editor(colour)->isVisible());
    editors.HideAll();
    for (int colour = 0; colour < 3; ++colour) EXPECT_FALSE(editors.Editor(colour)->isVisible());
}

TEST_F(LutEditorFixture, OpenLutFileStartsInTheWorkingFolderAndShowsTheTablesInViewMode)
{
    QWidget owner;
    LutEditors editors(command_, progress_, TestHosts());
    editors.Create(&owner);
    const TempFolder folder("rv-lut-open");
    const auto path = folder.Path() / "table.csv";
    {
        std::ofstream out(path, std::ios::binary);
        out << "GammaData (R G B)\r\n";
        for (int i = 0; i < 256; ++i) out << i << "," << 2 * i << "," << 4095 - i << "\r\n";
    }
    RecordingFileDialogHost files;
    files.QueueCancel();
    files.QueuePath(path.string());
    editors.OnOpenFile();  // cancelled: nothing
    EXPECT_EQ(editors.Editor(0)->ModeText(), "Edit Mode");
    editors.OnOpenFile();
    ASSERT_EQ(files.Shown().size(), 2u);
    const FileDialogRequest& request = files.Shown()[0];
    EXPECT_EQ(request.mode, FileDialogMode::Open);
    EXPECT_EQ(request.startFolder, std::filesystem::current_path().string());
    EXPECT_EQ(request.initialName, (std::filesystem::current_path() / "*.csv").string());
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].description, "Camera gamma data (*.csv)");
    EXPECT_EQ(request.filters[0].pattern, "*.csv");
    EXPECT_EQ(request.defaultExtension, "csv");
    for (int colour = 0; colour < 3; ++colour) EXPECT_EQ(editors.Editor(colour)->ModeText(), "View Mode");
    EXPECT_EQ(editors.Editor(1)->Table().tableData[100], 200);
    EXPECT_EQ(editors.Editor(2)->Table().tableData[0], 4095);
    EXPECT_TRUE(host_.Shown().empty());
}

TEST_F(LutEditorFixture, OpenLutFileKeepsNothingOfAShadingFileOrOfAShortFileTurnedDown)
{
    QWidget owner;
    LutEditors editors(command_, progress_, TestHosts());
    editors.Create(&owner);
    editors.Editor(0)->Table().tableData[0] = 123;
    // "Too many data" at row 257, before any question; then the question, whose default is No.
    for (const char* name : {"shading-full.csv", "shading-header-only.csv"})
        EXPECT_EQ(editors.ReadGammaFile(TestDataPath(name)), 0);
    EXPECT_EQ(host_.Texts(),
              (std::vector<std::string>{
                  "Too many data",
                  TestDataPath("shading-header-only.csv") +
                      "\nThis file holds 0 rows of shading data; a full gamma table has 256. Write it anyway?"}));
    EXPECT_EQ(editors.Editor(0)->Table().tableData[0], 123);
    EXPECT_EQ(editors.Editor(0)->ModeText(), "Edit Mode");
}

TEST_F(LutEditorFixture, SaveLutFileWithTheCameraOfflineAsksNothingAndWritesNothing)
{
    QWidget owner;
    LutEditors editors(command_, progress_, TestHosts());
    editors.Create(&owner);
    RecordingFileDialogHost files;
    const TempFolder folder("rv-lut-never");
    files.QueuePath(folder.File("never.csv"));
    editors.OnSaveFile(&owner);
    EXPECT_TRUE(files.Shown().empty());
    EXPECT_FALSE(std::filesystem::exists(folder.File("never.csv")));
    EXPECT_TRUE(owner.isEnabled());
    // Only red was tried, and a read that failed changes nothing.
    EXPECT_EQ(editors.Editor(1)->ModeText(), "Edit Mode");
    EXPECT_EQ(editors.Editor(0)->ModeText(), "Edit Mode");
}

// Renders for a person to look at: an editor with hand-placed points in edit mode, and the three editors
// side by side.
TEST_F(LutEditorFixture, RendersEditModeWithPointsAndAllThreeSideBySide)
{
    auto red = Editor(0);
    auto green = Editor(1);
    auto blue = Editor(2);
    for (QPoint at : {QPoint(40, 150), QPoint(110, 120), QPoint(180, 40)})
        Mouse(*red, QEvent::MouseButtonPress, at, Qt::LeftButton);
    for (int i = 0; i < 256; ++i)
        green->Table().tableData[static_cast<std::size_t>(i)] = static_cast<int>(4095 * std::pow(i / 255.0, 0.45));
    green->ShowLoadedTable();
    blue->Spin()->SetPos32(6);
    blue->ConvertEditable(6);
    Mouse(*blue, QEvent::MouseButtonPress, {102, 170}, Qt::LeftButton);  // grabs the point at (102, 154)
    Mouse(*blue, QEvent::MouseMove, {102, 200}, Qt::LeftButton);

    const QPixmap redShot = red->grab();
    ASSERT_TRUE(redShot.save(RenderPath("lut-edit-mode.png")));
    const QImage graph = red->Graph()->grab().toImage();
    // Three times enlarged, to see the curve meet the grid and the points pixel by pixel.
    ASSERT_TRUE(
        graph.scaled(768, 768, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(RenderPath("lut-graph-x3.png")));
    // The curve passes through a hand-placed point, in pure red, and the grid line at x = 25 is drawn.
    EXPECT_EQ(graph.pixelColor(110, 120), QColor(255, 0, 0));
    EXPECT_EQ(graph.pixelColor(25, 3), QColor(100, 50, 100));
    EXPECT_EQ(graph.pixelColor(120, 255), QColor(100, 50, 100));

    const QPixmap shots[] = {redShot, green->grab(), blue->grab()};
    QPixmap all(shots[0].width() * 3 + 20, shots[0].height());
    all.fill(Qt::darkGray);
    QPainter painter(&all);
    for (int i = 0; i < 3; ++i) painter.drawPixmap(i * (shots[0].width() + 10), 0, shots[i]);
    painter.end();
    ASSERT_TRUE(all.save(RenderPath("lut-three-editors.png")));
}

}  // namespace
