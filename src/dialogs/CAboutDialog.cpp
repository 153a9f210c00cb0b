// The about dialog.
#include "dialogs/CAboutDialog.h"

#include "base/ToolName.h"
#include "dialogs/CLabel.h"
#include "dialogs/HelpFiles.h"
#include "framework/MessageBox.h"
#include "framework/ShellHost.h"
#include "framework/qt/ControlWindow.h"
#include "link/BulkTally.h"
#include "link/Command.h"
#include "pages/CameraReader.h"
#include "settings/ControlMode.h"
#include "tables/CameraModelInfo.h"
#include "tables/CommandTable.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <rv_build_version.h>

// The dialog's icon lives in this static library's resources, which the linker keeps only when something
// refers to them. Outside any namespace, as the resource macro requires.
static void LoadAboutPictures()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(about);
        return true;
    }();
    (void)loaded;
}

namespace {

const char* const kToolVersion = RV_VERSION_TEXT;
const char* const kNotice = "Copyright (C) 2026 the RV-8200-XC Control Tool developers";
const char* const kWebAddress = "https://rv8200xc-control-tool.example/";

const char* const kVersionPlaceholder = "?.?.?.?";
const char* const kIdPlaceholder = "??????????";
const char* const kUserIdPlaceholder = "????????????????";
const char* const kPartPlaceholder = "?";

QString Text(const std::string& text) { return QString::fromStdString(text); }

QLabel* ValueLabel(int controlId, const char* name, QWidget* parent)
{
    auto* value = new QLabel(parent);
    SetControlId(value, controlId);
    // A screen reader reads a label's text as its name: the value it shows. The caption describes it.
    value->setAccessibleDescription(QString::fromLatin1(name));
    value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    value->setTextFormat(Qt::PlainText);
    // The operator may copy a version or an id into a report.
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setMinimumWidth(170);
    return value;
}

QPushButton* Button(const char* text, int controlId, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    SetControlId(button, controlId);
    // Enter in a field writes nothing to the camera; only the buttons do.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CAboutDialog::CAboutDialog(QWidget* parent, OperatorHosts hosts, Command& command, CameraReader& reader, const CameraModelInfo& modelInfo,
                           ControlMode& controlMode)
    : CDialogBase(parent, kStripId, hosts),
      command_(command),
      reader_(reader),
      modelInfo_(modelInfo),
      controlMode_(controlMode),
      identity_(command, hosts)
{
    LoadAboutPictures();
    setWindowTitle(QStringLiteral("About This Control"));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(8);
    layout->addLayout(BuildTop(Body()));
    layout->addWidget(BuildCameraData(Body()));
    layout->addWidget(BuildHelp(Body()));
}

QLayout* CAboutDialog::BuildTop(QWidget* body)
{
    auto* icon = new QLabel(body);
    icon->setPixmap(QPixmap(QStringLiteral(":/about/501.png")));
    icon->setAccessibleName(QStringLiteral("Tool icon"));
    icon->setFixedSize(40, 40);
    icon->setAlignment(Qt::AlignCenter);

    toolName_ = new QLabel(QStringLiteral("Camera Control Tool"), body);
    SetControlId(toolName_, kToolNameId);
    QFont bold = toolName_->font();
    bold.setBold(true);
    toolName_->setFont(bold);
    auto* versionLabel = new QLabel(QStringLiteral("Version:"), body);
    toolVersion_ = new QLabel(QStringLiteral("0.00"), body);
    SetControlId(toolVersion_, kToolVersionId);
    toolVersion_->setAccessibleDescription(QStringLiteral("Version"));
    versionLabel->setBuddy(toolVersion_);
    auto* notice = new QLabel(QString::fromLatin1(kNotice), body);
    webLink_ = new CLabel(Hosts().shell, body);
    SetControlId(webLink_, kWebLinkId);
    webLink_->setText(QString::fromLatin1(kWebAddress));

    auto* version = new QHBoxLayout;
    version->setSpacing(6);
    version->addWidget(versionLabel);
    version->addWidget(toolVersion_);
    version->addStretch(1);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(toolName_);
    texts->addLayout(version);
    texts->addWidget(notice);
    texts->addWidget(webLink_, 0, Qt::AlignLeft);
    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    return top;
}

QWidget* CAboutDialog::BuildCameraData(QWidget* body)
{
    auto* group = new QGroupBox(QStringLiteral("Camera Data"), body);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    int row = 0;
    auto addValue = [&](const char* name, int controlId) {
        QLabel* value = ValueLabel(controlId, name, group);
        auto* caption = new QLabel(QString::fromLatin1(name), group);
        caption->setBuddy(value);
        grid->addWidget(caption, row, 0);
        grid->addWidget(value, row++, 1, 1, 2);
        return value;
    };
    modelName_ = addValue("Model Name", kModelNameId);
    cameraId_ = addValue("Camera ID", kCameraIdId);
    firmware_ = addValue("Firmware Version", kFirmwareId);
    fpga_ = addValue("FPGA Version", kFpgaId);
    AddDeviceVersionRow(group, grid, row++);
    AddUserIdRows(group, grid, row);
    grid->setColumnStretch(1, 1);
    ConnectCameraData();
    return group;
}

void CAboutDialog::AddDeviceVersionRow(QWidget* group, QGridLayout* grid, int row)
{
    auto* versionLabel = new QLabel(QStringLiteral("Device Version"), group);
    SetControlId(versionLabel, kDeviceVersionLabelId);
    auto* parts = new QHBoxLayout;
    parts->setSpacing(2);
    for (std::size_t i = 0; i < versionParts_.size(); ++i) {
        if (i > 0) parts->addWidget(new QLabel(QStringLiteral("."), group));
        auto* part = new QLineEdit(group);
        SetControlId(part, kDeviceVersionIds[i]);
        part->setAccessibleName(QStringLiteral("Device Version part %1").arg(i + 1));
        part->setFixedWidth(30);
        part->setAlignment(Qt::AlignCenter);
        versionParts_[i] = part;
        parts->addWidget(part);
    }
    parts->addStretch(1);
    saveVersion_ = Button("Save Dev Ver", kSaveDeviceVersionId, group);
    grid->addWidget(versionLabel, row, 0);
    grid->addLayout(parts, row, 1);
    grid->addWidget(saveVersion_, row, 2);
}

// The user id, its save button, and below them the choice that locks or frees it.
void CAboutDialog::AddUserIdRows(QWidget* group, QGridLayout* grid, int row)
{
    auto* userLabel = new QLabel(QStringLiteral("User ID"), group);
    userId_ = new QLineEdit(group);
    SetControlId(userId_, kUserIdId);
    userLabel->setBuddy(userId_);
    userId_->setAccessibleName(userLabel->text());
    saveUserId_ = Button("Save User ID", kSaveUserIdId, group);
    grid->addWidget(userLabel, row, 0);
    grid->addWidget(userId_, row, 1);
    grid->addWidget(saveUserId_, row++, 2);

    protect_ = new QRadioButton(QStringLiteral("Protect User ID"), group);
    SetControlId(protect_, kProtectUserIdId);
    enable_ = new QRadioButton(QStringLiteral("Enable To Edit User ID"), group);
    SetControlId(enable_, kEnableUserIdId);
    auto* lock = new QHBoxLayout;
    lock->addWidget(protect_);
    lock->addSpacing(16);
    lock->addWidget(enable_);
    lock->addStretch(1);
    grid->addLayout(lock, row, 1, 1, 2);
}

void CAboutDialog::ConnectCameraData()
{
    connect(protect_, &QRadioButton::clicked, this, [this] { SetUserIdEditable(0); });
    connect(enable_, &QRadioButton::clicked, this, [this] { SetUserIdEditable(1); });
    connect(saveUserId_, &QPushButton::clicked, this, &CAboutDialog::OnSaveUserId);
    connect(userId_, &QLineEdit::textEdited, this, [this] {
        userIdHeld_ = true;
        saveUserId_->setEnabled(userId_->isEnabled());
    });
    for (QLineEdit* part : versionParts_) {
        connect(part, &QLineEdit::textEdited, this, [this] {
            deviceVersionHeld_ = true;
            saveVersion_->setEnabled(true);
        });
    }
    connect(saveVersion_, &QPushButton::clicked, this, &CAboutDialog::OnSaveDeviceVersion);
}

QWidget* CAboutDialog::BuildHelp(QWidget* body)
{
    auto* group = new QGroupBox(QStringLiteral("Help"), body);
    auto* label = new QLabel(QStringLiteral("Help File"), group);
    helpList_ = new QComboBox(group);
    SetControlId(helpList_, kHelpListId);
    label->setBuddy(helpList_);
    helpList_->setAccessibleName(label->text());
    // A drop-down with an edit field; what is typed there is never added to the list nor opened.
    helpList_->setEditable(true);
    helpList_->setInsertPolicy(QComboBox::NoInsert);
    helpList_->setMinimumWidth(200);
    viewHelp_ = Button("View Help File", kViewHelpId, group);
    auto* row = new QHBoxLayout(group);
    row->setSpacing(8);
    row->addWidget(label);
    row->addWidget(helpList_, 1);
    row->addWidget(viewHelp_);
    connect(viewHelp_, &QPushButton::clicked, this, &CAboutDialog::ShowHelp);
    return group;
}

QLabel* CAboutDialog::ValueField(int controlId) const
{
    for (QLabel* field : {modelName_, cameraId_, firmware_, fpga_}) {
        if (GetControlId(field) == controlId) return field;
    }
    return nullptr;
}

void CAboutDialog::OnInitDialog()
{
    SetUserIdEditable(0);
    toolName_->setText(QLatin1String(kToolName.data(), kToolName.size()));
    toolVersion_->setText(QString::fromLatin1(kToolVersion));
    webLink_->SetNotify(1);
    webLink_->SetTextColour(QColor(0, 0, 255));
    webLink_->SetFontUnderline(1);
    webLink_->SetHoverCursor(QCursor(Qt::PointingHandCursor));
    FillHelpList();
    ShowPlaceholders();
    ReadCamera();
    EnableDeviceVersion();
}

void CAboutDialog::SetUserIdEditable(int editable)
{
    userId_->setEnabled(editable != 0);
    saveUserId_->setEnabled(editable != 0 && userIdHeld_);
    protect_->setChecked(editable == 0);
    enable_->setChecked(editable != 0);
}

void CAboutDialog::FillHelpList()
{
    helpList_->clear();
    for (const std::string& name : HelpFiles::InFolder({})) helpList_->addItem(Text(name));
    helpList_->setCurrentIndex(helpList_->count() > 0 ? 0 : -1);
}

void CAboutDialog::ShowPlaceholders()
{
    firmware_->setText(QString::fromLatin1(kVersionPlaceholder));
    fpga_->setText(QString::fromLatin1(kVersionPlaceholder));
    cameraId_->setText(QString::fromLatin1(kIdPlaceholder));
    modelName_->setText(QString::fromLatin1(kIdPlaceholder));
    userId_->setText(QString::fromLatin1(kUserIdPlaceholder));
    for (QLineEdit* part : versionParts_) part->setText(QString::fromLatin1(kPartPlaceholder));
    userIdHeld_ = false;
    deviceVersionHeld_ = false;
}

// Firmware version first: a camera that does not give it is taken as absent and nothing more is asked.
// After that each field is asked in turn and a failed one keeps its placeholder; the second unanswered
// request in a row ends the read-out. What was not read is said once, at the end.
void CAboutDialog::ReadCamera()
{
    BulkTally tally;
    const RequestOutcome firmware = tally.Add(command_.Ask(cmd::VN, kVersionTimeoutMs), "Firmware Version");
    if (firmware) firmware_->setText(Text(firmware.value.text));
    if (firmware) ReadIdentity(tally);
    // No firmware version and nothing said about why: there is no camera, and the status shows it.
    if (tally.AllAnswered() || (firmware.result == RequestResult::TimedOut && firmware.note.empty())) return;
    std::string text = "Not every value of the camera was read.";
    if (tally.CameraGone()) text += "\nThe camera stopped answering.";
    ShowMessage(Hosts().messages, text + tally.OutcomeLines("value(s)"), "Communication Error", MessageButtons::Ok,
                MessageIcon::Exclamation);
}

void CAboutDialog::ReadIdentity(BulkTally& tally)
{
    // The model check shows its own message for a model the tool does not know; the name is shown anyway.
    if (tally.Add(reader_.Session().CheckModel(), "Model Name")) {
        modelName_->setText(Text(modelInfo_.modelName));
        if (const std::string unsupported = reader_.Session().UnsupportedModelText(); !unsupported.empty())
            ShowMessage(Hosts().messages, unsupported, {}, MessageButtons::Ok, MessageIcon::Exclamation);
    }
    // Each text field in turn; false once the camera is gone.
    auto read = [&](int commandIndex, auto* field) {
        const RequestOutcome answer =
            tally.Add(command_.Ask(commandIndex, kVersionTimeoutMs), CommandTable::Mnemonic(commandIndex));
        if (answer) field->setText(Text(answer.value.text));
        return !tally.CameraGone();
    };
    if (!read(cmd::ID, cameraId_) || !read(cmd::FPVN, fpga_)) return;
    const RequestOutcome userId = tally.Add(command_.Ask(cmd::UD, kVersionTimeoutMs), "UD");
    if (userId) userId_->setText(Text(userId.value.text));
    userIdHeld_ = userId.Answered();
    if (tally.CameraGone()) return;
    const RequestOutcome version = tally.Add(command_.Ask(cmd::DV, CameraIdentity::kTimeoutMs), "DV");
    CameraIdentity::DeviceVersion parts;
    if (version && CameraIdentity::SplitDeviceVersion(version.value.text, parts)) {
        for (std::size_t i = 0; i < parts.size(); ++i) versionParts_[i]->setText(Text(parts[i]));
        deviceVersionHeld_ = true;
    }
}

void CAboutDialog::EnableDeviceVersion()
{
    const bool factory = controlMode_.Get() != 0;
    for (QLineEdit* part : versionParts_) part->setEnabled(factory);
    saveVersion_->setVisible(factory);
    saveVersion_->setEnabled(deviceVersionHeld_);
}

void CAboutDialog::ShowHelp()
{
    const int selected = helpList_->currentIndex();
    if (selected < 0) {
        ShowMessage(Hosts().messages, "No file was selected !!", {}, MessageButtons::Ok, MessageIcon::Stop);
        return;
    }
    Hosts().shell.Open(helpList_->itemText(selected).toStdString());
}

void CAboutDialog::OnSaveUserId() { identity_.SaveUserId(userId_->text().toStdString()); }

void CAboutDialog::OnSaveDeviceVersion()
{
    CameraIdentity::DeviceVersion parts;
    for (std::size_t i = 0; i < parts.size(); ++i) parts[i] = versionParts_[i]->text().toStdString();
    identity_.SaveDeviceVersion(parts);
}
