// The Qt hosts: message boxes, timers and the wait cursor.
#include "framework/qt/QtMessageHost.h"
#include "framework/qt/QtTimerService.h"
#include "framework/qt/QtUiHost.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

#include <functional>

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Runs `show` while a timer looks at the box it opens and answers it with `answer`.
MessageResult ShowAndAnswer(const std::function<MessageResult()>& show, QMessageBox::StandardButton answer,
                            SeenBox& seen)
{
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        box->button(answer)->click();
    });
    return show();
}

struct IconCase {
    MessageIcon icon;
    QMessageBox::Icon expected;
};

class MessageHostIcons : public ::testing::TestWithParam<IconCase> {};

TEST_P(MessageHostIcons, IconCarriesTheMeaning)
{
    QtMessageHost host;
    SeenBox seen;
    ShowAndAnswer([&host] { return ShowMessage(host, "text", "Caption", MessageButtons::Ok, GetParam().icon); }, QMessageBox::Ok,
                  seen);
    EXPECT_EQ(seen.icon, GetParam().expected);
    EXPECT_EQ(seen.caption, "Caption");
    EXPECT_EQ(seen.text, "text");
}

INSTANTIATE_TEST_SUITE_P(Icons, MessageHostIcons,
                         ::testing::Values(IconCase{MessageIcon::Stop, QMessageBox::Critical},
                                           IconCase{MessageIcon::Exclamation, QMessageBox::Warning},
                                           IconCase{MessageIcon::Information, QMessageBox::Information},
                                           IconCase{MessageIcon::Question, QMessageBox::Question},
                                           IconCase{MessageIcon::None, QMessageBox::NoIcon}));

TEST(MessageHost, EmptyCaptionShowsTheToolTitle)
{
    QtMessageHost host;
    SeenBox seen;
    ShowAndAnswer([&host] { return ShowMessage(host, "Failed to initialize!"); }, QMessageBox::Ok, seen);
    EXPECT_EQ(seen.caption, "RV-8200-XC Control Tool");
}

TEST(MessageHost, AnswersComeBackAsTheButtonPressed)
{
    QtMessageHost host;
    SeenBox seen;
    auto ask = [&host] {
        return ShowMessage(host, "Are you sure to terminate the Camera Control Tool ?", "Confirm", MessageButtons::YesNo,
                           MessageIcon::Question);
    };
    EXPECT_EQ(ShowAndAnswer(ask, QMessageBox::No, seen), MessageResult::No);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(ShowAndAnswer(ask, QMessageBox::Yes, seen), MessageResult::Yes);
    auto okCancel = [&host] { return ShowMessage(host, "t", "c", MessageButtons::OkCancel, MessageIcon::None); };
    EXPECT_EQ(ShowAndAnswer(okCancel, QMessageBox::Cancel, seen), MessageResult::Cancel);
}

TEST(MessageHost, CameraTextIsNeverReadAsMarkup)
{
    QtMessageHost host;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        format = box->textFormat();
        box->button(QMessageBox::Ok)->click();
    });
    ShowMessage(host, "ERROR: <img src=\"/etc/x.png\"><b>bold</b>", "Communication Error");
    EXPECT_EQ(format, Qt::PlainText);
}

TEST(TimerService, RepeatsUntilStoppedAndMayStopItselfInItsCallback)
{
    QtTimerService service;
    int fired = 0;
    int id = 0;
    QEventLoop loop;
    id = service.StartTimer(5, [&] {
        if (++fired == 3) {
            service.StopTimer(id);
            QTimer::singleShot(30, &loop, &QEventLoop::quit);
        }
    });
    ASSERT_GT(id, 0);
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(fired, 3);
    EXPECT_EQ(service.StartTimer(5, {}), 0);
}

TEST(UiHost, WaitCursorsNestAndAreAllRestored)
{
    QtUiHost host;
    {
        WaitCursor outer(host);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        {
            WaitCursor inner(host);
        }
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
