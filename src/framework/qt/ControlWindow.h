// Control ids, window classes, button styles and user data of the widgets on the tool's dialogs.
#pragma once

#include <cstdint>

class QWidget;

// The kinds of window the parameter layer tells apart. A group box counts as a button window of
// the group-box style, as dialog templates have it.
enum class WindowClass { Other, Edit, UpDown, ComboBox, Button };
enum class ButtonStyle { None, PushButton, DefaultPushButton, CheckBox, RadioButton, GroupBox };

WindowClass GetWindowClass(const QWidget* widget);
ButtonStyle GetButtonStyle(const QWidget* widget);

// Control id of a widget; 0 when it has none.
void SetControlId(QWidget* widget, int controlId);
int GetControlId(const QWidget* widget);

// The first control with this id among the descendants of `parent`, in creation order; nullptr if none.
QWidget* FindChildControl(const QWidget* parent, int controlId);

// A window's user data (an edit box keeps the id of its spin here); 0 until set.
void SetUserData(QWidget* widget, std::intptr_t data);
std::intptr_t GetUserData(const QWidget* widget);

// The group-start style: a radio group runs from a button with it up to the next control with it.
void SetGroupStart(QWidget* widget, bool groupStart);
bool IsGroupStart(const QWidget* widget);
