// The main window.
#include "app/CCtrlToolDlg.h"

#include "base/ToolName.h"
#include "framework/MessageBox.h"
#include "framework/qt/ControlWindow.h"
#include "operations/OperationGate.h"
#include "operations/ParameterHandlers.h"
#include "pages/CParameterDispatcher.h"
#include "pages/CTabSheetDialog.h"
#include "pages/PageBinding.h"
#include "pages/PageControls.h"
#include "resources/PageLayouts.h"
#include "settings/ControlMode.h"
#include "tables/ControlTable.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <rv_build_version.h>

#include <algorithm>

// Resources of a static library are not linked in unless something asks for them.
static void InitToolResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(app);
        return true;
    }();
    (void)done;
}

namespace {

// Icon 500 at the sizes title bars and task bars ask for.
QIcon ToolIcon()
{
    QIcon icon(QStringLiteral(":/app/500.png"));
    icon.addFile(QStringLiteral(":/app/500-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/app/500-16.png"), QSize(16, 16));
    return icon;
}

}  // namespace

CCtrlToolDlg::CCtrlToolDlg(Parts parts, QWidget* parent)
    : CDialogBase(parent, kStatusStripId, parts.hosts), parts_(std::move(parts))
{
    InitToolResources();
    setWindowIcon(ToolIcon());
    // The tool's main window: it can be minimised and maximised like any application window.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setMinimumSize(480, 320);
    parts_.binding.SetMainWindow(this);

    for (const PageLayout& layout : PageLayouts()) {
        if (!layout.created) continue;
        auto* page = new CTabSheetDialog(this, layout.templateId, layout.caption, layout.factoryOnly ? 1 : 0);
        page->hide();
        page->SetDispatcher(&parts_.dispatcher);
        page->SetKeyFilter([this](QWidget* target, QKeyEvent* event) { return KeyFilter(target, event); });
        pages_.push_back(page);
        parts_.binding.AddPage(*page);
    }

    tab_ = new QTabWidget(Body());
    SetControlId(tab_, kTabControlId);
    tab_->setDocumentMode(false);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tab_);
}

void CCtrlToolDlg::OnInitDialog()
{
    setWindowIcon(ToolIcon());
    setWindowTitle(QStringLiteral("%1  Ver %2")
                       .arg(QLatin1String(kToolName.data(), kToolName.size()), QLatin1String(RV_VERSION_TEXT)));
    if (parts_.initialise) parts_.initialise();
}

// ---- pages and tabs ----

void CCtrlToolDlg::PlacePages()
{
    int width = 0;
    int height = 0;
    for (CTabSheetDialog* page : pages_) {
        auto* frame = new QScrollArea(tab_);
        frame->setFrameShape(QFrame::NoFrame);
        frame->setWidgetResizable(true);
        frame->hide();
        page->Create(nullptr);
        frame->setWidget(page);
        page->show();
        pageFrames_.push_back(frame);
        const QSize hint = page->sizeHint();
        width = std::max(width, hint.width());
        height = std::max(height, hint.height());
    }
    // Large enough for the largest page where the screen allows; smaller screens scroll.
    preferredSize_ = QSize(width + 40, height + 110);
    QSize wanted = preferredSize_;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableSize();
        wanted = wanted.boundedTo(QSize(available.width() - 20, available.height() - 60));
    }
    resize(wanted);
}

void CCtrlToolDlg::RebuildTabs()
{
    const bool factory = parts_.mode.IsFactory();
    const QSignalBlocker blocker(tab_);
    tab_->clear();
    for (std::size_t i = 0; i < pages_.size() && i < pageFrames_.size(); ++i) {
        if (pages_[i]->FactoryOnly() == 1 && !factory) {
            pageFrames_[i]->hide();
            continue;
        }
        const int index = tab_->addTab(pageFrames_[i], QString::fromStdString(pages_[i]->Caption()));
        tab_->tabBar()->setTabData(index, static_cast<int>(i));
    }
    tab_->setCurrentIndex(0);
}

std::vector<std::string> CCtrlToolDlg::TabCaptions() const
{
    std::vector<std::string> captions;
    for (int i = 0; i < tab_->count(); ++i) captions.push_back(tab_->tabText(i).toStdString());
    return captions;
}

CTabSheetDialog* CCtrlToolDlg::ShownPage() const
{
    const int index = tab_->currentIndex();
    if (index < 0) return nullptr;
    const int page = tab_->tabBar()->tabData(index).toInt();
    return page >= 0 && page < static_cast<int>(pages_.size()) ? pages_[static_cast<std::size_t>(page)] : nullptr;
}

// ---- keys ----

bool CCtrlToolDlg::KeyFilter(QWidget* target, QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    switch (keySequence_.OnKey(event->key(), modifiers.testFlag(Qt::ShiftModifier),
                               modifiers.testFlag(Qt::ControlModifier))) {
        case FactoryKeySequence::Result::Completed:
            // Typed while a read runs, the toggle waits for its end: the switch of the tabs and the read
            // of the factory parameters go together.
            if (parts_.toggleFactoryMode) parts_.gate.Run(parts_.toggleFactoryMode);
            return true;
        case FactoryKeySequence::Result::Consumed:
            return true;
        case FactoryKeySequence::Result::Ignored:
            break;
    }

    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool escape = event->key() == Qt::Key_Escape;
    if (!enter && !escape) return false;
    // Neither key may reach a dialog's default handling: Enter would end it, Escape cancel it.
    switch (ControlClass(target)) {
        case kClassEdit: {
            const int id = GetControlId(target);
            if (enter) {
                parts_.handlers.OnEditCommitted(id);
            } else if (!ParameterHandlers::IsLutEdit(id) && parts_.handlers.HasRow(id)) {
                // Escape drops what was typed, so that leaving the edit later sends nothing.
                parts_.binding.ShowValue(id, parts_.table.GetDataValue(id));
            }
            return true;
        }
        case kClassComboBox: {
            // An open list takes its own keys: Enter picks, Escape closes it.
            const auto* combo = static_cast<QComboBox*>(target);
            return !(combo->view() && combo->view()->isVisible());
        }
        case kClassPushButton:
            return true;
        default:
            return false;
    }
}

void CCtrlToolDlg::keyPressEvent(QKeyEvent* event)
{
    QWidget* target = QApplication::focusWidget();
    if (KeyFilter(target ? target : this, event)) {
        event->accept();
        return;
    }
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        // Whatever has the focus, these keys do not end the tool; the menu's "E&xit" and the close
        // box do, after asking.
        event->accept();
        return;
    }
    CDialogBase::keyPressEvent(event);
}

// ---- closing ----

void CCtrlToolDlg::reject()
{
    // Operations pump every window message, the close box's among them: the question, and the exit's own
    // requests after it, wait for the end of the operation instead of running between its requests.
    if (exitWaiting_) return;
    exitWaiting_ = true;
    parts_.gate.Run([this] {
        exitWaiting_ = false;
        ConfirmExit();
    });
}

void CCtrlToolDlg::ConfirmExit()
{
    if (ended_) return;
    if (closeWithoutConfirm_ != 1 &&
        ShowMessage(Hosts().messages, "Are you sure to terminate the Camera Control Tool ?", "Confirm",
                    MessageButtons::YesNo, MessageIcon::Question) != MessageResult::Yes) {
        return;
    }
    CDialogBase::reject();
}

void CCtrlToolDlg::accept() { reject(); }

void CCtrlToolDlg::done(int result)
{
    if (!ended_) {
        ended_ = true;
        if (parts_.ending) parts_.ending();
    }
    CDialogBase::done(result);
}
