// Editor operations and message boxes called from worker threads, and shutting down while
// workers still run.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "editor/ByteEditor.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"
#include "editor/ShellTestKit.h"

using namespace halvex;
using namespace halvex::testing;

namespace {

// A device whose reads block until the port is aborted, as a silent instrument's would.
class BlockingPort : public SerialPort {
public:
    bool SetupQueues(std::uint32_t, std::uint32_t) override { return true; }
    bool GetLineSettings(LineSettings&) override { return true; }
    bool SetLineSettings(const LineSettings&) override { return true; }
    bool SetReadTimeout(std::uint32_t) override { return true; }
    ReadResult Read(std::uint8_t*, std::size_t) override {
        std::unique_lock lock(mutex_);
        reading_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return aborted_; });
        return {ReadStatus::Failed, 0};
    }
    bool Write(std::span<const std::uint8_t>) override { return true; }
    bool DrainOutput() override { return true; }
    void Close() override {}
    void Abort() override {
        std::lock_guard lock(mutex_);
        aborted_ = true;
        changed_.notify_all();
    }
    void WaitUntilReading() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return reading_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool reading_ = false;
    bool aborted_ = false;
};

// Runs `work` on a thread while the user-interface thread keeps handling events.
void RunOnWorker(const std::function<void()>& work) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(done.load(), 20000);
    worker.join();
}

QMessageBox* OpenMessageBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) return box;
    }
    return nullptr;
}

}  // namespace

class EditorThreadsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CHalvexDoc> doc_;
    std::unique_ptr<CHalvexView> view_;

private slots:
    void init() {
        doc_ = std::make_unique<CHalvexDoc>();
        view_ = std::make_unique<CHalvexView>(doc_.get());
        view_->show();
        doc_->OnNewDocument();
    }
    void cleanup() {
        view_.reset();
        doc_.reset();
    }

    void workerCallsRunOnTheUserInterfaceThreadInOrder() {
        view_->SetEditorText("old text");
        QThread* const uiThread = QThread::currentThread();
        std::atomic<int> changesElsewhere{0};
        connect(view_->Editor(), &ByteEditor::BytesChanged, view_.get(),
                [&] { changesElsewhere += QThread::currentThread() != uiThread; },
                Qt::DirectConnection);
        std::string expected;
        for (int i = 0; i < 200; ++i) expected += "line " + std::to_string(i) + "\r\n";

        RunOnWorker([&] {
            view_->ClearEditor();
            view_->SetEditorReadOnly(true);
            for (int i = 0; i < 200; ++i) view_->AppendEditorText("line " + std::to_string(i) + "\r\n");
            view_->MoveCaretTo(0);
        });
        QCOMPARE(view_->GetEditorText(), expected);
        QVERIFY(view_->Editor()->isReadOnly());
        QCOMPARE(view_->Editor()->Caret(), std::size_t{0});
        QCOMPARE(changesElsewhere.load(), 0);
        QVERIFY(view_->TextModified());
        QVERIFY(doc_->IsModified());
    }

    void whileReadOnlyAWorkerAppendsButCannotClear() {
        view_->SetEditorText("kept\r\n");
        RunOnWorker([&] {
            view_->SetEditorReadOnly(true);
            view_->ClearEditor();
            view_->MoveCaretTo(100);
            QVERIFY(view_->AppendEditorText("added\r\n"));
            view_->SetEditorReadOnly(false);
        });
        QCOMPARE(view_->GetEditorText(), std::string("kept\r\nadded\r\n"));
        QVERIFY(!view_->Editor()->isReadOnly());
    }

    void aWorkersAppendPastTheCapacityIsRefused() {
        view_->SetEditorText(std::string(kEditorCapacity - 1, 'x'));
        bool first = true, second = true;
        RunOnWorker([&] {
            view_->MoveCaretTo(kEditorCapacity);
            first = view_->AppendEditorText("ab");
            second = view_->AppendEditorText("a");
        });
        QVERIFY(!first);
        QVERIFY(second);
        QCOMPARE(view_->Editor()->Length(), kEditorCapacity);
    }

    void aWorkersMessagesAreAnsweredOnTheUserInterfaceThread() {
        BoxRecorder boxes;
        boxes.answers = {BoxAnswer::Ok, BoxAnswer::No, BoxAnswer::Yes};
        QThread* const uiThread = QThread::currentThread();
        bool onUiThread = true;
        SetBoxAnswerer([&](const BoxRequest& request) {
            onUiThread = onUiThread && QThread::currentThread() == uiThread;
            boxes.shown.push_back(request);
            const BoxAnswer answer = boxes.answers.front();
            boxes.answers.pop_front();
            return answer;
        });
        bool no = true, yes = false;
        RunOnWorker([&] {
            view_->Dialogs().ShowMessage("Communication finished", kProgramCaption);
            no = view_->Dialogs().AskYesNo("Continue?", kProgramCaption);
            yes = view_->Dialogs().AskYesNo("Again?", kAppCaption);
        });
        QVERIFY(onUiThread);
        QVERIFY(!no);
        QVERIFY(yes);
        QCOMPARE(boxes.Texts(), (QStringList{QStringLiteral("Communication finished"),
                                             QStringLiteral("Continue?"), QStringLiteral("Again?")}));
        QCOMPARE(boxes.shown[1].caption, QStringLiteral("Veltra"));
        QCOMPARE(boxes.shown[2].caption, QStringLiteral("Halvex"));
        QCOMPARE(int(boxes.shown[1].buttons), int(BoxButtons::YesNo));
    }

    void aRealMessageBoxIsShownAndAnswered() {
        SetBoxAnswerer(nullptr);
        view_->SetEditorText("text");
        QTest::keyClicks(view_->Editor(), QStringLiteral("x"));
        QString text, title;
        bool yesIsDefault = false, hasIcon = true;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            QMessageBox* box = OpenMessageBox();
            if (!box) return;
            poll.stop();
            text = box->text();
            title = box->windowTitle();
            yesIsDefault = box->defaultButton() == box->button(QMessageBox::Yes);
            hasIcon = box->icon() != QMessageBox::NoIcon;
            QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
        });
        poll.start(20);
        QVERIFY(!view_->ConfirmUnsaved());
        QCOMPARE(text, QStringLiteral("The file has not been saved,continue?"));
        QCOMPARE(title, QStringLiteral("Veltra"));
        QVERIFY(yesIsDefault);
        QVERIFY(!hasIcon);

        // The same box raised by a worker is shown on the user-interface thread.
        QTimer pollAgain;
        connect(&pollAgain, &QTimer::timeout, this, [&] {
            if (QMessageBox* box = OpenMessageBox()) {
                pollAgain.stop();
                QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
            }
        });
        pollAgain.start(20);
        bool answer = false;
        RunOnWorker([&] { answer = view_->Dialogs().AskYesNo("Go on?", kProgramCaption); });
        QVERIFY(answer);
    }

    void aShortMessageWithItsReasonBelowIsWideEnoughToRead() {
        SetBoxAnswerer(nullptr);
        const std::string reason =
            "/dev/ttyUSB0 (COM1): No such file or directory. Is the adapter plugged in? Choose the "
            "device for COM1 under Comm > Serial Ports...";
        int width = 0;
        int charWidth = 0;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            QMessageBox* box = OpenMessageBox();
            if (!box) return;
            poll.stop();
            width = box->width();
            charWidth = box->fontMetrics().averageCharWidth();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        poll.start(20);
        view_->Dialogs().ShowMessage("Cannot found COMM port!", kProgramCaption,
                                     MessageIcon::Warning, reason);
        QVERIFY2(width >= 50 * charWidth, qPrintable(QString::number(width)));
    }

    void shutdownReleasesAWorkerWaitingForTheEditor() {
        BoxRecorder boxes;
        std::atomic<int> appended{0};
        std::atomic<bool> refused{false};
        std::atomic<bool> asked{true};
        QVERIFY(view_->Workers.Start([&] {
            while (view_->AppendEditorText("data\r\n")) ++appended;
            refused = true;
            asked = view_->Dialogs().AskYesNo("Still there?", kProgramCaption);
            view_->Dialogs().ShowMessage("Bye", kProgramCaption);
        }));
        QTRY_VERIFY(appended.load() > 10);
        // No events are handled from here on: the worker's next call stays pending until the
        // shutdown releases it.
        view_->BeginShutdown();
        QCOMPARE(view_->Workers.RunningCount(), std::size_t{0});
        QVERIFY(refused.load());
        QVERIFY(!asked.load());
        QVERIFY(boxes.shown.empty());
        const std::size_t length = view_->Editor()->Length();
        QCoreApplication::processEvents();  // a dropped call must not run later
        QCOMPARE(view_->Editor()->Length(), length);
        QVERIFY(!view_->Workers.Start([] {}));
    }

    void shutdownStopsAWorkerBlockedOnItsPort() {
        auto port = std::make_shared<BlockingPort>();
        std::atomic<bool> readFailed{false};
        QVERIFY(view_->Workers.Start([&, port] {
            AttachedPort attached(view_->Workers, *port);
            std::uint8_t byte = 0;
            readFailed = port->Read(&byte, 1).status == ReadStatus::Failed;
            view_->AppendEditorText("after the read\r\n");
        }));
        port->WaitUntilReading();
        view_->BeginShutdown();
        QVERIFY(readFailed.load());
        QCOMPARE(view_->Workers.RunningCount(), std::size_t{0});
        QCOMPARE(view_->GetEditorText(), std::string());
    }
};

QTEST_MAIN(EditorThreadsTest)
#include "EditorThreadsTest.moc"
