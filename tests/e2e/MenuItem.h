// A menu item of a window as the operator finds it: by the visible texts from the menu bar down.
#pragma once

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <initializer_list>

// The item at the path ("File(&F)", "&Save as", "All Data"), or nullptr when a step of it is missing.
inline QAction* MenuItem(const QWidget& window, std::initializer_list<const char*> path)
{
    const auto* bar = window.findChild<QMenuBar*>();
    if (!bar) return nullptr;
    QList<QAction*> items = bar->actions();
    QAction* found = nullptr;
    for (const char* text : path) {
        if (found) {
            if (!found->menu()) return nullptr;
            items = found->menu()->actions();
        }
        found = nullptr;
        for (QAction* item : items) {
            if (item->text() == QString::fromUtf8(text)) found = item;
        }
        if (!found) return nullptr;
    }
    return found;
}

// Chooses the item; once the window it opens runs modally, `look` sees it, and it is closed if `look` left
// it open. False when the item is missing or disabled, or no modal window ran.
inline bool RunModal(QAction* item, const std::function<void(QDialog&)>& look)
{
    if (!item || !item->isEnabled()) return false;
    bool ran = false;
    const QObject call;  // a look still pending when the item opened nothing goes with this frame
    QTimer::singleShot(0, &call, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        ran = true;
        look(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    item->trigger();
    return ran;
}
