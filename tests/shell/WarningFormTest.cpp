#include "Logger.h"
#include "MainForm.h"
#include "ModalWatcher.h"
#include "ProgramFolder.h"
#include "WarningForm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class ReportErrorTest : public ::testing::Test {
protected:
    ReportErrorTest() {
        Folder.CreateDatabase();
        ModalWatcher none;
        Form = std::make_unique<TMainForm>(Folder.Path());
    }
    ProgramFolder Folder;
    std::unique_ptr<TMainForm> Form;
};

QString LogText() {
    QFile file(QString::fromStdString(Logger().FileName()));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST_F(ReportErrorTest, EmptyMessageOnlyLogs) {
    ModalWatcher watcher;
    Form->ReportError(QStringLiteral("details\n@ T::M"), QString());
    EXPECT_EQ(watcher.Count, 0);
    EXPECT_TRUE(LogText().contains(QStringLiteral("  \ndetails\n@ T::M\n")));
}

TEST_F(ReportErrorTest, EachMessageShowsTheSameWindowModally) {
    QList<QWidget*> windows;
    QStringList texts;
    ModalWatcher watcher([&](QWidget* modal) {
        auto* warning = qobject_cast<TWarningForm*>(modal);
        ASSERT_NE(warning, nullptr);
        windows.append(warning);
        texts.append(warning->MessageLbl->text() + QLatin1Char('|') + warning->InfoLbl->text());
        EXPECT_EQ(warning->CloseBtn->text(), QStringLiteral("закрыть"));
        EXPECT_EQ(warning->size(), QSize(353, 233));
    });
    Form->ReportError(QStringLiteral("one\n@ A::B"), QStringLiteral("Первое"));
    Form->ReportError(QStringLiteral("two\n@ A::B"), QStringLiteral("Второе"));
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Первое|one\n@ A::B"), QStringLiteral("Второе|two\n@ A::B")}));
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows[0], windows[1]);
    EXPECT_TRUE(LogText().contains(QStringLiteral("  Первое\none\n@ A::B\n")));
}

TEST_F(ReportErrorTest, MessageArrivingWhileTheWindowIsOpenIsShownAfterIt) {
    QStringList texts;
    bool nestedReturned = false;
    ModalWatcher watcher([&](QWidget* modal) {
        auto* warning = qobject_cast<TWarningForm*>(modal);
        ASSERT_NE(warning, nullptr);
        texts.append(warning->MessageLbl->text());
        if (texts.size() == 1) {
            // reported from inside the open window's modal loop, as a timer or a socket would
            Form->ReportError(QStringLiteral("later\n@ A::B"), QStringLiteral("Второе"));
            nestedReturned = true;
            EXPECT_TRUE(LogText().contains(QStringLiteral("  Второе\nlater\n@ A::B\n"))); // logged at once
            EXPECT_EQ(warning->Pending(), 1);
        }
    });
    Form->ReportError(QStringLiteral("first\n@ A::B"), QStringLiteral("Первое"));
    EXPECT_TRUE(nestedReturned);
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Первое"), QStringLiteral("Второе")}));
}

TEST(WarningForm, EscapeClosesIt) {
    TWarningForm form;
    ModalWatcher watcher([](QWidget* modal) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(modal, &escape);
        EXPECT_FALSE(modal->isVisible());
    });
    form.Present(QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_EQ(watcher.Count, 1);
    EXPECT_EQ(form.result(), QDialog::Rejected);
}
