// The flash-area selection dialog.
#include "dialogs/CParameterAreaSelectDialog.h"

#include "framework/qt/ControlWindow.h"
#include "operations/FlashAreas.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kStripId = 1086;
constexpr int kPromptId = 1020;
constexpr int kAreaListId = 1015;
constexpr int kSeparatorId = 30015;
}  // namespace

CParameterAreaSelectDialog::CParameterAreaSelectDialog(QWidget* parent, OperatorHosts hosts, int loadFlag, bool factoryMode)
    : CDialogBase(parent, kStripId, hosts),
      loadFlag_(loadFlag),
      factoryMode_(factoryMode),
      prompt_(new QLabel(Body())),
      areaList_(new QComboBox(Body()))
{
    setWindowTitle(QStringLiteral("Parameter Flash Area Select"));
    prompt_->setText(QStringLiteral("Select parameter flash memory area"));
    prompt_->setAlignment(Qt::AlignCenter);
    SetControlId(prompt_, kPromptId);
    SetControlId(areaList_, kAreaListId);
    areaList_->setMinimumWidth(160);
    auto* separator = new QFrame(Body());
    separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    SetControlId(separator, kSeparatorId);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Body());
    SetControlId(buttons->button(QDialogButtonBox::Ok), 1);
    SetControlId(buttons->button(QDialogButtonBox::Cancel), 2);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(prompt_);
    layout->addWidget(areaList_, 0, Qt::AlignHCenter);
    layout->addWidget(separator);
    layout->addWidget(buttons);
}

void CParameterAreaSelectDialog::OnInitDialog()
{
    areaList_->clear();
    if (loadFlag_ != 0 || factoryMode_) areaList_->addItem(QString::fromLatin1(FlashAreaName(kFlashFactory)));
    for (int user : {kFlashUser1, kFlashUser2, kFlashUser3})
        areaList_->addItem(QString::fromLatin1(FlashAreaName(user)));
    areaList_->setCurrentIndex(0);
    if (loadFlag_ != 0) {
        setWindowTitle(QStringLiteral("Load setting data"));
        prompt_->setText(QStringLiteral("Select the flash memory area to load setting data"));
    } else {
        setWindowTitle(QStringLiteral("Store setting data"));
        prompt_->setText(QStringLiteral("Select the flash memory area to save setting data"));
    }
}

int CParameterAreaSelectDialog::AreaOfText(const QString& text)
{
    for (int area : {kFlashFactory, kFlashUser1, kFlashUser2, kFlashUser3}) {
        if (text == QLatin1String(FlashAreaName(area))) return area;
    }
    return -1;
}

void CParameterAreaSelectDialog::accept()
{
    area = AreaOfText(areaList_->currentIndex() >= 0 ? areaList_->currentText() : QString());
    QDialog::accept();
}
