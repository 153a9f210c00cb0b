// Message boxes shown with Qt: the host the tool installs at start.
#pragma once

#include "framework/MessageBox.h"

#include <QPointer>
#include <QWidget>

class QtMessageHost : public MessageHost {
public:
    // Installs itself for its lifetime and puts the previous host back afterwards.
    QtMessageHost();
    ~QtMessageHost() override;
    QtMessageHost(const QtMessageHost&) = delete;
    QtMessageHost& operator=(const QtMessageHost&) = delete;

    MessageResult Show(const MessageRequest& request) override;

    // The box's parent; without one the active window is used.
    void SetParentWindow(QWidget* parent) { parent_ = parent; }

private:
    MessageHost* previous_;
    QPointer<QWidget> parent_;
};
