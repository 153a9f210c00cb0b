// The LUT editor dialog.
#include "dialogs/CLUTDlg.h"

#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"
#include "operations/GammaActions.h"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int kSize = LutEditPoints::kGraphSize;
constexpr int kFrameEdge = 2;  // the sunken edge around the graph's client area
constexpr const char* kTitles[] = {"LUT Setting for Red", "LUT Setting for Green", "LUT Setting for Blue"};
const QColor kGridColour(100, 50, 100);

QPushButton* Button(const char* text, int controlId, QWidget* parent, const QRect& place)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    SetControlId(button, controlId);
    button->setAutoDefault(false);
    button->setGeometry(place);
    return button;
}

QLabel* Label(const char* text, QWidget* parent, const QRect& place,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setGeometry(place);
    label->setAlignment(alignment);
    return label;
}

QGroupBox* Group(const char* title, QWidget* parent, const QRect& place)
{
    auto* group = new QGroupBox(QString::fromLatin1(title), parent);
    group->setGeometry(place);
    return group;
}

QColor CurveColour(int colourIndex)
{
    if (colourIndex == 1) return QColor(0, 255, 0);
    if (colourIndex == 2) return QColor(0, 0, 255);
    return QColor(255, 0, 0);
}

}  // namespace

CLUTDlg::CLUTDlg(QWidget* parent, OperatorHosts hosts, int colourIndex, Command& command, CProgressBarDialog& progressDialog)
    : CDialogBase(parent, kStripId, hosts),
      table_(colourIndex),
      progress_(progressDialog, this),
      transfer_(command, &progress_, this, hosts)
{
    // A window of its own beside the main window, with a minimise box; never resized.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("LUT Setting"));
    BuildControls();
}

void CLUTDlg::BuildControls()
{
    QWidget* body = Body();
    // The editor's layout is fixed in pixels around the 256-pixel graph; its texts use a small font
    // so that they fit beside it.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    body->setFixedSize(590, 306);
    // One builder per group box, in the order the operator tabs through them.
    BuildModeGroup(body);
    BuildOperationGroup(body);
    BuildEditModeGroup(body);
    BuildGraph(body);
    BuildUsageGroup(body);
}

void CLUTDlg::BuildModeGroup(QWidget* body)
{
    Group("Current Mode Status", body, QRect(6, 4, 116, 44));
    modeLabel_ = Label("Edit Mode", body, QRect(14, 22, 100, 20), Qt::AlignCenter);
    SetControlId(modeLabel_, kModeLabelId);
    // Read by its text, the mode it shows; the group's caption describes it.
    modeLabel_->setAccessibleDescription(QStringLiteral("Current Mode Status"));
}

void CLUTDlg::BuildOperationGroup(QWidget* body)
{
    Group("Operation", body, QRect(6, 54, 116, 112));
    auto* read = Button("Read Table Data", kReadId, body, QRect(14, 74, 100, 26));
    auto* write = Button("Write Table Data", kWriteId, body, QRect(14, 104, 100, 26));
    auto* clear = Button("Clear Table Data", kClearId, body, QRect(14, 134, 100, 26));
    connect(read, &QPushButton::clicked, this, [this] { ReadTableData(); });
    connect(write, &QPushButton::clicked, this, [this] { WriteTableData(table_.colourIndex); });
    connect(clear, &QPushButton::clicked, this, [this] { ClearTableData(); });
}

void CLUTDlg::BuildEditModeGroup(QWidget* body)
{
    Group("Change To Edit Mode", body, QRect(6, 172, 116, 110));
    auto* countLabel = Label("Edit Point\nCount To Add", body, QRect(14, 190, 100, 30));
    auto* count = new QLineEdit(body);
    count->setReadOnly(true);
    count->setAlignment(Qt::AlignRight);
    count->setGeometry(14, 222, 62, 22);
    SetControlId(count, kCountEditId);
    countLabel->setBuddy(count);
    count->setAccessibleName(QStringLiteral("Edit Point Count To Add"));
    spin_ = new CSpinButton(body);
    SetControlId(spin_, kSpinId);
    spin_->setGeometry(76, 222, 18, 22);
    spin_->SetBuddy(count);
    spin_->setAccessibleName(QStringLiteral("Edit Point Count To Add"));
    auto* convert = Button("Convert Editable", kConvertId, body, QRect(14, 250, 100, 26));
    connect(convert, &QPushButton::clicked, this, [this] {
        ConvertEditable(spin_->GetPos32());
        InvalidateGraph();
    });
}

// The sunken frame around the graph, and the levels beside it.
void CLUTDlg::BuildGraph(QWidget* body)
{
    auto* frame = new QFrame(body);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(kFrameEdge);
    frame->setGeometry(kGraphLeft, kGraphTop, kSize + 2 * kFrameEdge, kSize + 2 * kFrameEdge);
    SetControlId(frame, kGraphId);
    graph_ = new QWidget(frame);
    graph_->setGeometry(kFrameEdge, kFrameEdge, kSize, kSize);
    graph_->setAttribute(Qt::WA_OpaquePaintEvent);
    graph_->setAccessibleName(QStringLiteral("LUT graph"));
    frame->setAccessibleName(QStringLiteral("LUT graph"));
    graph_->installEventFilter(this);

    // Output levels up the left side, input levels along the bottom.
    const int left = kGraphLeft - 36;
    Label("4095", body, QRect(left, kGraphTop - 6, 32, 14), Qt::AlignRight | Qt::AlignVCenter);
    Label("2048", body, QRect(left, kGraphTop + kFrameEdge + kSize / 2 - 7, 32, 14), Qt::AlignRight | Qt::AlignVCenter);
    Label("0", body, QRect(left, kGraphTop + kSize - 8, 32, 14), Qt::AlignRight | Qt::AlignVCenter);
    const int below = kGraphTop + kSize + 2 * kFrameEdge + 2;
    Label("0", body, QRect(kGraphLeft, below, 30, 14));
    Label("128", body, QRect(kGraphLeft + kFrameEdge + kSize / 2 - 15, below, 30, 14), Qt::AlignHCenter | Qt::AlignTop);
    Label("255", body, QRect(kGraphLeft + kSize + 2 * kFrameEdge - 30, below, 30, 14), Qt::AlignRight | Qt::AlignTop);
}

void CLUTDlg::BuildUsageGroup(QWidget* body)
{
    Group("Usage Descritption", body, QRect(432, 4, 152, 278));
    Label("<< Add edit point >>\n  Left mouse click\n  on LUT line", body, QRect(440, 26, 140, 56));
    Label("<< Delete edit point >>\n  Right mouse click\n  at edit point", body, QRect(440, 96, 140, 56));
    Label("<< Move LUT line >>\n  Move with keeping left\n  mouse click on\n  edit point.", body,
          QRect(440, 166, 140, 72));
}

void CLUTDlg::OnInitDialog()
{
    points_.Clear();
    const int colour = table_.colourIndex;
    if (colour >= 0 && colour <= 2) setWindowTitle(QString::fromLatin1(kTitles[colour]));
    spin_->SetRange32(2, 16);
    spin_->SetPos32(8);
    SetDisplayMode(GammaTable::kEditMode);
    // The table follows the points from the start, so that a write before the first paint sends the
    // straight line rather than an empty table.
    ApplyEditPoints();
}

int CLUTDlg::ReadTableData()
{
    return GammaActions::ShowRead(Hosts().messages, transfer_.Read(table_));
}

int CLUTDlg::WriteTableData(int colourIndex)
{
    return GammaActions::ShowWrite(Hosts().messages, transfer_.Write(table_, colourIndex));
}

void CLUTDlg::SetDisplayMode(int mode)
{
    table_.displayMode = mode;
    const char* text = mode == GammaTable::kEditMode   ? "Edit Mode"
                       : mode == GammaTable::kViewMode ? "View Mode"
                                                       : "Unknown Mode";
    modeLabel_->setText(QString::fromLatin1(text));
}

QString CLUTDlg::ModeText() const { return modeLabel_->text(); }

void CLUTDlg::ConvertEditable(int count)
{
    points_.ConvertEditable(count, table_);
    SetDisplayMode(GammaTable::kEditMode);
    InvalidateGraph();
}

void CLUTDlg::ClearTableData()
{
    points_.Clear();
    SetDisplayMode(GammaTable::kEditMode);
    InvalidateGraph();
}

void CLUTDlg::ApplyEditPoints() { points_.ApplyEditPoints(table_); }

void CLUTDlg::InvalidateGraph()
{
    if (table_.displayMode == GammaTable::kEditMode) ApplyEditPoints();
    graph_->update();
}

void CLUTDlg::OnGraphMouse(int gx, int gy, LutEditPoints::Buttons buttons)
{
    // In "View Mode" the points change unseen until the operator converts or clears.
    if (points_.OnMouse(gx, gy, buttons)) InvalidateGraph();
}

void CLUTDlg::Reactivate()
{
    if (isVisible()) activateWindow();
}

void CLUTDlg::ShowLoadedTable()
{
    SetDisplayMode(GammaTable::kViewMode);
    InvalidateGraph();
}

bool CLUTDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != graph_) return CDialogBase::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::Paint: {
            QPainter painter(graph_);
            PaintGraph(painter);
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const Qt::MouseButtons held = mouse->buttons();
            const bool keys = mouse->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
            LutEditPoints::Buttons buttons = LutEditPoints::Buttons::Other;
            if (held == Qt::LeftButton && !keys) buttons = LutEditPoints::Buttons::Left;
            if (held == Qt::RightButton && !keys) buttons = LutEditPoints::Buttons::Right;
            const QPoint at = mouse->position().toPoint();
            OnGraphMouse(at.x(), at.y(), buttons);
            return true;
        }
        default:
            return false;
    }
}

void CLUTDlg::PaintGraph(QPainter& painter)
{
    painter.fillRect(QRect(0, 0, kSize, kSize), Qt::white);
    const QPen gridPen(kGridColour, 1, Qt::SolidLine);
    painter.setPen(gridPen);
    const int step = kSize / 10;
    for (int x = 0; x < kSize; x += step) painter.drawLine(x, 0, x, kSize);
    for (int y = kSize - 1; y >= 0; y -= step) painter.drawLine(0, y, kSize, y);

    const bool editing = table_.displayMode == GammaTable::kEditMode;
    if (editing) {
        painter.setBrush(Qt::white);
        for (int i = 0; i < points_.PointCount(); ++i) {
            const EditPoint& p = points_.Point(i);
            painter.drawEllipse(QRect(p.x - 4, p.y - 4, 8, 8));
        }
        painter.setBrush(Qt::NoBrush);
        ApplyEditPoints();
    }

    painter.setPen(QPen(CurveColour(table_.colourIndex), 2, Qt::SolidLine));
    QPoint current = editing ? QPoint(points_.Point(0).x, points_.Point(0).y) : QPoint(0, kSize);
    for (std::size_t i = 0; i < GammaTable::kEntries; ++i) {
        const int level = table_.tableData[i];
        const int x = static_cast<int>(table_.inputLevels[i] / 16);
        const int y = kSize - (level / 16 + (level % 16 >= 8 ? 1 : 0));
        // Entries outside the graph are skipped; the line joins the neighbours inside.
        if (x < 0 || x > kSize || y < 0 || y > kSize) continue;
        painter.drawLine(current, QPoint(x, y));
        current = QPoint(x, y);
    }
}
