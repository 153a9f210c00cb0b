// The comparison window: the camera and a setting file side by side, differences first.
#include "dialogs/CCompareDialog.h"

#include "base/StrFormat.h"
#include "operations/SettingFileActions.h"
#include "files/TextFile.h"
#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "framework/UiHost.h"
#include "pages/CameraReader.h"
#include "resources/PageLayouts.h"
#include "settings/ControlMode.h"
#include "tables/CameraModelInfo.h"
#include "tables/ComboCatalog.h"
#include "tables/ControlTable.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace {

QPushButton* Button(const char* text, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setAccessibleName(button->text().remove(QLatin1Char('&')));
    return button;
}

QTableWidgetItem* Cell(const std::string& text)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

CCompareDialog::CCompareDialog(QWidget* parent, OperatorHosts hosts, Command& command, CameraReader& reader,
                               ControlTable& table, CameraModelInfo& model, ControlMode& mode,
                               SettingFileActions& settingFile)
    : CDialogBase(parent, kStripId, hosts),
      command_(command),
      reader_(reader),
      controlTable_(table),
      model_(model),
      mode_(mode),
      settingFile_(settingFile)
{
    setWindowTitle(QStringLiteral("Compare with setting file"));
    fileLabel_ = new QLabel(Body());
    auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), Body());
    filter_ = new QLineEdit(Body());
    filter_->setAccessibleName(QStringLiteral("Filter"));
    filterLabel->setBuddy(filter_);
    showEqual_ = new QCheckBox(QStringLiteral("Show &equal rows too"), Body());
    showEqual_->setAccessibleName(QStringLiteral("Show equal rows too"));
    BuildTable();
    auto* skippedLabel = new QLabel(QStringLiteral("Lines a load would &skip:"), Body());
    skippedList_ = new QListWidget(Body());
    skippedList_->setAccessibleName(QStringLiteral("Lines a load would skip"));
    skippedLabel->setBuddy(skippedList_);
    skippedList_->setMaximumHeight(90);
    apply_ = Button("&Apply checked", Body());
    save_ = Button("Save camera values &as...", Body());
    QPushButton* close = Button("Close", Body());

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_, 1);
    filterRow->addWidget(showEqual_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(apply_);
    buttons->addWidget(save_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(Body());
    layout->addWidget(fileLabel_);
    layout->addLayout(filterRow);
    layout->addWidget(table_, 1);
    layout->addWidget(skippedLabel);
    layout->addWidget(skippedList_);
    layout->addLayout(buttons);
    resize(760, 520);

    connect(filter_, &QLineEdit::textChanged, this, [this] { ShowRows(); });
    connect(showEqual_, &QCheckBox::toggled, this, [this] { ShowRows(); });
    connect(apply_, &QPushButton::clicked, this, [this] { AskAndApply(); });
    connect(save_, &QPushButton::clicked, this, [this] { SaveCameraValues(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

// The differences, one row per setting, the first column a check box.
void CCompareDialog::BuildTable()
{
    table_ = new QTableWidget(0, kColumnCount, Body());
    table_->setAccessibleName(QStringLiteral("Differences"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Apply"), QStringLiteral("Page"), QStringLiteral("Group"),
                                       QStringLiteral("Setting"), QStringLiteral("Camera"), QStringLiteral("File")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->installEventFilter(this);
}

std::string CCompareDialog::ValueText(const SettingFileComparison::Row& row, bool cameraSide) const
{
    if (row.modelId) return cameraSide ? row.cameraText : row.fileText;
    if (cameraSide && !row.Known()) return "?";
    const int value = cameraSide ? row.CameraValue() : row.fileValue;
    const int tableRow = controlTable_.CtrlId2TblIndex(row.controlId);
    if (tableRow < 0 || controlTable_.Row(tableRow).controlKind != kKindCombo) return std::to_string(value);
    // A combo shows its entry, as the page does; a code the list does not have shows as the number.
    const ComboList list = ComboListForModel(row.commandIndex, model_.modelName);
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const int code = list.codes.empty() ? static_cast<int>(i) : list.codes[i];
        if (code == value) return list.entries[i];
    }
    return StrFormat("%d (unknown)", value);
}

int CCompareDialog::Compare(const std::string& path)
{
    std::string content;
    if (!TextFile::Load(path, content)) {
        ShowMessage(Hosts().messages, CannotOpenText(path), "File Open Error", MessageButtons::Ok,
                    MessageIcon::Exclamation);
        return 0;
    }
    path_ = path;
    {
        WaitCursor cursor(Hosts().ui);
        comparison_ = SettingFileComparison::Compare(content, command_, controlTable_, model_, mode_.IsFactory(),
                                                     [this](int, int) { Hosts().ui.PumpMessages(false); });
    }
    // What the camera said is what it holds: the table and the pages follow.
    for (const SettingFileComparison::Row& row : comparison_.rows) {
        if (!row.modelId && row.Known()) controlTable_.SetDataValue(row.controlId, row.CameraValue());
    }
    controlTable_.CommitShadow();
    reader_.ShowAllValues();
    rowNotes_.assign(comparison_.rows.size(), std::string());
    Fill();
    if (comparison_.CameraGone()) {
        ShowMessage(Hosts().messages, "The camera stopped answering; the comparison is incomplete." +
                        comparison_.queries.OutcomeLines("setting(s)"),
                    "Communication Error", MessageButtons::Ok, MessageIcon::Exclamation);
    }
    return 1;
}

void CCompareDialog::Fill()
{
    fileLabel_->setText(
        QString::fromStdString(StrFormat("%s: %d of %d setting(s) differ from the camera.", path_.c_str(),
                                         comparison_.DifferenceCount(), static_cast<int>(comparison_.rows.size()))));
    // Differences first, each part in the file's order.
    std::vector<std::size_t> order(comparison_.rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_partition(order.begin(), order.end(), [this](std::size_t i) { return comparison_.rows[i].Differs(); });
    table_->setRowCount(static_cast<int>(order.size()));
    for (int r = 0; r < static_cast<int>(order.size()); ++r) {
        const std::size_t index = order[static_cast<std::size_t>(r)];
        const SettingFileComparison::Row& row = comparison_.rows[index];
        const ControlPlace place = row.modelId ? ControlPlace{"", "", "Camera Model"} : PlaceOfControl(row.controlId);
        auto* apply = new QTableWidgetItem;
        apply->setData(Qt::UserRole, static_cast<int>(index));
        if (row.Differs()) {
            apply->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            apply->setCheckState(Qt::Checked);
            apply->setText(QStringLiteral("differs"));
        } else {
            apply->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            apply->setText(QStringLiteral("equal"));
        }
        table_->setItem(r, kColumnApply, apply);
        table_->setItem(r, kColumnPage, Cell(place.page));
        table_->setItem(r, kColumnGroup, Cell(place.group));
        table_->setItem(r, kColumnSetting,
                        Cell(place.label.empty() ? row.mnemonic : place.label + " (" + row.mnemonic + ")"));
        const std::string note = rowNotes_[index];
        table_->setItem(r, kColumnCamera, Cell(ValueText(row, true) + (note.empty() ? "" : " - " + note)));
        table_->setItem(r, kColumnFile, Cell(ValueText(row, false)));
    }
    table_->resizeColumnsToContents();
    skippedList_->clear();
    for (const SettingFileComparison::Skipped& line : comparison_.skipped) {
        skippedList_->addItem(QString::fromStdString(
            StrFormat("Line %d: %s - %s", line.lineNumber, line.line.c_str(), line.reason.c_str())));
    }
    ShowRows();
}

void CCompareDialog::ShowRows()
{
    const QString filter = filter_->text().trimmed();
    for (int r = 0; r < table_->rowCount(); ++r) {
        const auto& row =
            comparison_.rows[static_cast<std::size_t>(table_->item(r, kColumnApply)->data(Qt::UserRole).toInt())];
        bool shown = row.Differs() || showEqual_->isChecked();
        if (shown && !filter.isEmpty()) {
            bool match = false;
            for (int c = kColumnPage; c < kColumnCount && !match; ++c)
                match = table_->item(r, c)->text().contains(filter, Qt::CaseInsensitive);
            shown = match;
        }
        table_->setRowHidden(r, !shown);
    }
}

bool CCompareDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space) {
            // Space toggles the current row's check, wherever in the row the cursor stands.
            QTableWidgetItem* apply =
                table_->currentRow() >= 0 ? table_->item(table_->currentRow(), kColumnApply) : nullptr;
            if (apply && (apply->flags() & Qt::ItemIsUserCheckable))
                apply->setCheckState(apply->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            AskAndApply();
            return true;
        }
    }
    return CDialogBase::eventFilter(watched, event);
}

void CCompareDialog::AskAndApply()
{
    if (ShowMessage(Hosts().messages, "Apply the checked rows of the file to the camera?", {}, MessageButtons::YesNo,
                    MessageIcon::Question, MessageResult::No) != MessageResult::Yes) {
        return;
    }
    ApplyChecked();
}

void CCompareDialog::ApplyChecked()
{
    std::set<std::string> chosen;
    for (int r = 0; r < table_->rowCount(); ++r) {
        const QTableWidgetItem* apply = table_->item(r, kColumnApply);
        if ((apply->flags() & Qt::ItemIsUserCheckable) && apply->checkState() == Qt::Checked) {
            chosen.insert(comparison_.rows[static_cast<std::size_t>(apply->data(Qt::UserRole).toInt())].mnemonic);
        }
    }
    if (chosen.empty()) return;
    // Sent as a load sends them (the file's order, a refused line tried once more at the end), each value
    // read back; the load shows its summary and refreshes the pages.
    settingFile_.ApplyOnly(path_, chosen);
    const SettingFileLoadReport& report = settingFile_.LastReport();
    for (std::size_t i = 0; i < comparison_.rows.size(); ++i) {
        SettingFileComparison::Row& row = comparison_.rows[i];
        if (!chosen.count(row.mnemonic)) continue;
        if (row.modelId) {
            row.cameraText = model_.modelName;
            continue;
        }
        rowNotes_[i].clear();
        for (const auto& [mnemonic, answer] : report.refusedAnswers) {
            if (mnemonic == row.mnemonic) rowNotes_[i] = "refused: " + answer;
        }
        // The table holds what the camera took (read back), or still what it had.
        row.camera.result = RequestResult::Answered;
        row.camera.value.intValue = controlTable_.GetDataValue(row.controlId);
    }
    Fill();
}

void CCompareDialog::SaveCameraValues()
{
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.filters = {{"Camera setting data (*.cam)", "*.cam"}};
    request.defaultExtension = "cam";
    std::string path;
    if (ChooseFile(Hosts().fileDialogs, Hosts().messages, request, path) != 1) return;
    std::vector<std::string> lines;
    for (const SettingFileComparison::Row& row : comparison_.rows) {
        if (row.modelId) {
            lines.push_back("MD00=" + row.cameraText);
        } else if (row.Known()) {
            lines.push_back(row.mnemonic + "=" + std::to_string(row.CameraValue()));
        }
    }
    if (TextFile::Save(path, lines) != TextFile::SaveResult::Saved) {
        ShowMessage(Hosts().messages, path + "\nCouldn't write this file", "File Write Error", MessageButtons::Ok,
                    MessageIcon::Exclamation);
    }
}
