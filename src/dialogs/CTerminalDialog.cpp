// The RS-232C terminal.
#include "dialogs/CTerminalDialog.h"

#include "base/StrFormat.h"
#include "dialogs/TrafficLogList.h"
#include "framework/FileDialogHost.h"
#include "framework/MessageBox.h"
#include "framework/qt/CStatusStrip.h"
#include "framework/qt/ControlWindow.h"
#include "link/SerialLink.h"

#include <QDateTime>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>

namespace {

constexpr int kStripId = 1070;
constexpr int kCommandEditId = 1001;
constexpr int kSendId = 1003;
constexpr int kTrafficListId = 1004;
constexpr int kClearId = 1006;
constexpr int kCloseId = 1007;
constexpr int kSaveId = 1008;

// Below this the controls of the fixed layout would overlap or turn inside out.
constexpr int kMinimumWidth = 200;
constexpr int kMinimumHeight = 150;

// The terminal's save dialog reports its own failure without the dialog's return code; everything else
// is the shared file dialog pattern.
class TerminalFileDialogHost : public FileDialogHost {
public:
    TerminalFileDialogHost(FileDialogHost& inner, MessageHost& messages) : inner_(inner), messages_(messages) {}

    FileDialogResult Show(const FileDialogRequest& request) override
    {
        FileDialogResult result = inner_.Show(request);
        if (result.status == FileDialogStatus::Error) {
            ShowMessage(messages_, "Error in Load Dialog!", "Load Error", MessageButtons::Ok, MessageIcon::Exclamation);
            result.status = FileDialogStatus::Cancel;
        }
        return result;
    }
    bool FileExists(const std::string& path) override { return inner_.FileExists(path); }

private:
    FileDialogHost& inner_;
    MessageHost& messages_;
};

QPushButton* Button(const char* text, int controlId, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    SetControlId(button, controlId);
    button->setAutoDefault(false);
    return button;
}

// Window coordinates as the layout gives them: from (left, top) to (right, bottom).
void Place(QWidget* widget, int left, int top, int right, int bottom)
{
    widget->setGeometry(left, top, right - left, bottom - top);
}

}  // namespace

CTerminalDialog::CTerminalDialog(SerialLink& link, RegistrySettings& settings, OperatorHosts hosts, QWidget* parent)
    : CDialogBase(parent, kStripId, hosts),
      link_(link),
      settings_(settings),
      commandEdit_(new QLineEdit(Body())),
      closeButton_(Button("Close", kCloseId, Body())),
      sendButton_(Button("Send", kSendId, Body())),
      clearButton_(Button("Clear", kClearId, Body())),
      saveButton_(Button("Save", kSaveId, Body())),
      trafficList_(new QListWidget(Body()))
{
    setWindowTitle(QStringLiteral("RS-232C TERMINAL"));
    // Enter sends, so a line can be sent again and again from the edit box.
    sendButton_->setAutoDefault(true);
    sendButton_->setDefault(true);
    SetControlId(commandEdit_, kCommandEditId);
    SetControlId(trafficList_, kTrafficListId);
    // Equal rows keep insertion at the top cheap with tens of thousands of entries.
    trafficList_->setUniformItemSizes(true);
    trafficList_->setFont(QFont(QStringLiteral("monospace")));

    // The controls sit at fixed client positions recomputed on every resize, strip included, so the
    // base's stacked layout is dropped and the body covers the whole client area.
    delete layout();
    Strip()->raise();
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(560, 380);

    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(sendButton_, &QPushButton::clicked, this, &CTerminalDialog::OnSend);
    connect(clearButton_, &QPushButton::clicked, this, &CTerminalDialog::OnClear);
    connect(saveButton_, &QPushButton::clicked, this, &CTerminalDialog::OnSave);

    link_.SetTerminalSink(this);
}

CTerminalDialog::~CTerminalDialog() { link_.SetTerminalSink(nullptr); }

std::string CTerminalDialog::TimeStamp(int minute, int second, int millisecond)
{
    return StrFormat("%02d:%02d:%03d  ", minute, second, millisecond);
}

void CTerminalDialog::AddLine(const std::string& text)
{
    const QTime now = QDateTime::currentDateTimeUtc().time();
    const std::string line = TimeStamp(now.minute(), now.second(), now.msec()) + text;
    TrafficLogList::Add(trafficList_, line, kMaxLines);
}

std::vector<std::string> CTerminalDialog::Lines() const { return TrafficLogList::Lines(trafficList_); }

void CTerminalDialog::Show()
{
    InitDialog();
    show();
    raise();
    activateWindow();
}

void CTerminalDialog::OnSend()
{
    // The edit keeps its text: Enter sends the same line again. The answer comes in through the
    // protocol's background reception as an "Rx: " line.
    commandText_ = commandEdit_->text().toLatin1().toStdString();
    link_.Write(commandText_ + "\r\n");
}

void CTerminalDialog::OnClear() { trafficList_->clear(); }

void CTerminalDialog::OnSave()
{
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.startFolder = TrafficLogList::Folder(settings_);
    request.filters = {{"CSV file (*.csv)", "*.csv"}};
    request.defaultExtension = "csv";
    // The terminal words a failed dialog its own way.
    TerminalFileDialogHost dialogs(Hosts().fileDialogs, Hosts().messages);
    std::string path;
    if (ChooseFile(dialogs, Hosts().messages, request, path) != 1) return;

    // Newest first, as the list shows it.
    if (TrafficLogList::WriteFile(Hosts().messages, path, Lines()) != 1) return;
    AddLine("Writing file has been done !");
    TrafficLogList::StoreFolder(settings_, path);
}

void CTerminalDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    PlaceControls(event->size().width(), event->size().height());
    update();
}

void CTerminalDialog::PlaceControls(int width, int height)
{
    Body()->setGeometry(0, 0, width, height);
    Place(commandEdit_, 10, 10, width - 80, 30);
    Place(trafficList_, 10, 42, width - 80, height - 20);
    Place(Strip(), 4, height - 12, width - 4, height - 4);
    QPushButton* const buttons[] = {closeButton_, sendButton_, clearButton_, saveButton_};
    for (int i = 0; i < 4; ++i) Place(buttons[i], width - 70, 10 + 24 * i, width - 10, 30 + 24 * i);
}
