// The progress window as a progress sink for one owner window: what the reader and the transfers report
// to, with the owner disabled while it shows.
#pragma once

#include "framework/ProgressSink.h"

#include <QPointer>
#include <QWidget>

class CProgressBarDialog;

class ProgressWindow : public ProgressSink {
public:
    ProgressWindow(CProgressBarDialog& dialog, QWidget* owner);

    void SetOwner(QWidget* owner) { owner_ = owner; }

    void Open(const std::string& message) override;
    void SetMessage(const std::string& text) override;
    void SetPosition(int percent) override;
    void Close() override;

private:
    CProgressBarDialog& dialog_;
    QPointer<QWidget> owner_;
};
