// The LUT editor of one colour: the gamma table as a curve over a 256 x 256 graph, edit points placed,
// dragged and deleted with the mouse in "Edit Mode", and the buttons that move the table to and from
// the camera.
#pragma once

#include "dialogs/ProgressWindow.h"
#include "files/GammaTable.h"
#include "files/GammaTransfer.h"
#include "files/LutEditPoints.h"
#include "framework/qt/CDialogBase.h"

#include <QString>

class CProgressBarDialog;
class CSpinButton;
class Command;
class QLabel;
class QPainter;
class QPushButton;
class QWidget;

class CLUTDlg : public CDialogBase, public GammaTableView {
    Q_OBJECT

public:
    static constexpr int kStripId = 1067;
    static constexpr int kModeLabelId = 1136;
    static constexpr int kReadId = 1133;
    static constexpr int kWriteId = 1054;
    static constexpr int kClearId = 1055;
    static constexpr int kCountEditId = 1134;
    static constexpr int kSpinId = 1135;
    static constexpr int kConvertId = 1057;
    static constexpr int kGraphId = 1056;
    static constexpr int kGraphLeft = 160;  // the graph control's place in the dialog
    static constexpr int kGraphTop = 20;

    CLUTDlg(QWidget* parent, OperatorHosts hosts, int colourIndex, Command& command, CProgressBarDialog& progressDialog);

    // Read and write the camera's table of this editor's colour (any colour for a write).
    int ReadTableData();
    int WriteTableData(int colourIndex);
    // 0 "Edit Mode", 1 "View Mode"; anything else shows "Unknown Mode".
    void SetDisplayMode(int mode);
    void ConvertEditable(int count);
    void ClearTableData();
    void ApplyEditPoints();
    // A mouse move or press over the graph at graph point (gx, gy).
    void OnGraphMouse(int gx, int gy, LutEditPoints::Buttons buttons);
    // Repaints the graph; in "Edit Mode" the table is rebuilt from the points first.
    void InvalidateGraph();

    GammaTable& Table() { return table_; }
    const GammaTable& Table() const { return table_; }
    const LutEditPoints& EditPoints() const { return points_; }
    QString ModeText() const;
    QWidget* Graph() const { return graph_; }
    CSpinButton* Spin() const { return spin_; }
    GammaTransfer& Transfer() { return transfer_; }

    void Reactivate() override;
    void ShowLoadedTable() override;

public slots:
    void accept() override {}  // Enter does nothing in an editor

protected:
    void OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildModeGroup(QWidget* body);
    void BuildOperationGroup(QWidget* body);
    void BuildEditModeGroup(QWidget* body);
    void BuildGraph(QWidget* body);
    void BuildUsageGroup(QWidget* body);
    void PaintGraph(QPainter& painter);

    GammaTable table_;
    LutEditPoints points_;
    ProgressWindow progress_;
    GammaTransfer transfer_;
    QLabel* modeLabel_ = nullptr;
    QWidget* graph_ = nullptr;  // the 256 x 256 client area inside the sunken frame
    CSpinButton* spin_ = nullptr;
};
