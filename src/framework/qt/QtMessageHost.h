// Message boxes shown with Qt: the host the tool installs at start.
#pragma once

#include "framework/MessageBox.h"

#include <QPointer>
#include <QWidget>

class QtMessageHost : public MessageHost {
public:
    QtMessageHost() = default;
    ~QtMessageHost() override;
    QtMessageHost(const QtMessageHost&) = delete;
    QtMessageHost& operator=(const QtMessageHost&) = delete;

    MessageResult Show(const MessageRequest& request) override;

    // The box's parent; without one the active window is used.
    void SetParentWindow(QWidget* parent) { parent_ = parent; }

private:
    QPointer<QWidget> parent_;
};
