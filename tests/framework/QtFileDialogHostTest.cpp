// The Qt file dialog host under the shared pattern: start folder, typed names, cancel.
#include "framework/FileDialogHost.h"
#include "framework/qt/QtFileDialogHost.h"
#include "support/RecordingMessageHost.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace {

// Runs `act` on the file dialog once it is up.
void WhenDialogOpens(std::function<void(QFileDialog*)> act)
{
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
}

FileDialogRequest Request(FileDialogMode mode, const QString& folder)
{
    FileDialogRequest request;
    request.mode = mode;
    request.startFolder = QDir::toNativeSeparators(folder).toStdString();
    request.filters = {{"Camera setting file (*.cam)", "*.cam"}};
    request.defaultExtension = "cam";
    return request;
}

TEST(QtFileDialogHost, SaveStartsInTheFolderAndAddsTheExtension)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QtFileDialogHost host;
    RecordingMessageHost messages;
    QString shownFolder;
    WhenDialogOpens([&](QFileDialog* dialog) {
        shownFolder = dialog->directory().absolutePath();
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->selectFile("settings");
        static_cast<QDialog*>(dialog)->accept();
    });
    std::string path;
    ASSERT_EQ(ChooseFile(host, TestHosts().messages, Request(FileDialogMode::Save, folder.path()), path), 1);
    EXPECT_EQ(shownFolder, QDir(folder.path()).absolutePath());
    EXPECT_EQ(QDir::fromNativeSeparators(QString::fromStdString(path)), folder.filePath("settings.cam"));
    EXPECT_TRUE(messages.Shown().empty());
}

TEST(QtFileDialogHost, SavingOverAFileAsksInTheToolsWords)
{
    QTemporaryDir folder;
    QFile existing(folder.filePath("old.cam"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QtFileDialogHost host;
    RecordingMessageHost messages;
    messages.QueueAnswer(MessageResult::Yes);
    WhenDialogOpens([](QFileDialog* dialog) {
        dialog->selectFile("old.cam");
        static_cast<QDialog*>(dialog)->accept();
    });
    std::string path;
    ASSERT_EQ(ChooseFile(host, TestHosts().messages, Request(FileDialogMode::Save, folder.path()), path), 1);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, path + "\nThis file already exists.\nReplace existing file?");
}

TEST(QtFileDialogHost, CancelChoosesNothing)
{
    QTemporaryDir folder;
    QtFileDialogHost host;
    RecordingMessageHost messages;
    WhenDialogOpens([](QFileDialog* dialog) { dialog->reject(); });
    std::string path;
    EXPECT_EQ(ChooseFile(host, TestHosts().messages, Request(FileDialogMode::Open, folder.path()), path), 0);
    EXPECT_TRUE(messages.Shown().empty());
}

}  // namespace
