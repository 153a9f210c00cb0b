// "Compare with setting file...": the camera beside a setting file, row by row, and only the rows the
// operator checks applied.
#pragma once

#include "files/SettingFileComparison.h"
#include "framework/qt/CDialogBase.h"

#include <string>

class CameraReader;
class Command;
class ControlMode;
class ControlTable;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class SettingFileActions;
struct CameraModelInfo;

class CCompareDialog : public CDialogBase {
    Q_OBJECT

public:
    static constexpr int kStripId = 2001;
    enum Column { kColumnApply, kColumnPage, kColumnGroup, kColumnSetting, kColumnCamera, kColumnFile, kColumnCount };

    CCompareDialog(QWidget* parent, OperatorHosts hosts, Command& command, CameraReader& reader, ControlTable& table,
                   CameraModelInfo& model, ControlMode& mode, SettingFileActions& settingFile);

    // Reads the file with the load's rules and the camera's values of its rows; nothing is sent. 0 when
    // the file could not be opened (after its message).
    int Compare(const std::string& path);
    // "Apply checked": the checked rows' file values in the file's order, each read back; the table shows
    // what the camera now holds and the pages are refreshed. One summary when anything was not applied.
    void ApplyChecked();
    // "Save camera values as...": the camera side of the compared rows as a setting file.
    void SaveCameraValues();

    QTableWidget* Table() const { return table_; }
    QListWidget* SkippedList() const { return skippedList_; }
    QCheckBox* ShowEqualBox() const { return showEqual_; }
    QLineEdit* FilterEdit() const { return filter_; }
    QPushButton* ApplyButton() const { return apply_; }
    const SettingFileComparison& Comparison() const { return comparison_; }
    // The text a row's value has on the pages: a combo's entry, else the number.
    std::string ValueText(const SettingFileComparison::Row& row, bool cameraSide) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTable();
    void Fill();
    void ShowRows();
    void AskAndApply();

    Command& command_;
    CameraReader& reader_;
    ControlTable& controlTable_;
    CameraModelInfo& model_;
    ControlMode& mode_;
    SettingFileActions& settingFile_;
    std::string path_;
    SettingFileComparison comparison_;
    std::vector<std::string> rowNotes_;  // per compared row: what the last apply said of it
    QLabel* fileLabel_;
    QLineEdit* filter_;
    QCheckBox* showEqual_;
    QTableWidget* table_;
    QListWidget* skippedList_;
    QPushButton* apply_;
    QPushButton* save_;
};
