// The progress window for one owner window.
#include "dialogs/ProgressWindow.h"

#include "dialogs/CProgressBarDialog.h"

ProgressWindow::ProgressWindow(CProgressBarDialog& dialog, QWidget* owner) : dialog_(dialog), owner_(owner) {}

void ProgressWindow::Open(const std::string& message) { dialog_.Open(owner_, message); }

void ProgressWindow::SetMessage(const std::string& text) { dialog_.SetMessage(text); }

void ProgressWindow::SetPosition(int percent) { dialog_.SetPosition(percent); }

void ProgressWindow::Close() { dialog_.Close(); }
