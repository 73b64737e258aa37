// Opening and saving documents byte for byte, the size limit, failures and the save prompt.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstring>
#include <memory>

#include "convert/FileWrite.h"
#include "editor/ByteEditor.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"
#include "editor/ShellTestKit.h"

using namespace halvex;
using namespace halvex::testing;

class DocumentFilesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<CHalvexDoc> doc_;
    std::unique_ptr<CHalvexView> view_;

    QString Path(const QString& name) const { return dir_->filePath(name); }
    // A document with unsaved typing, titled after an opened file.
    void MakeModifiedDocument(const std::string& text) {
        WriteBytes(Path(QStringLiteral("current.txt")), text);
        QVERIFY(doc_->OnOpenDocument(Path(QStringLiteral("current.txt"))));
        view_->Editor()->MoveCaret(text.size());
        QTest::keyClicks(view_->Editor(), QStringLiteral("!"));
        QVERIFY(doc_->IsModified());
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        doc_ = std::make_unique<CHalvexDoc>();
        view_ = std::make_unique<CHalvexView>(doc_.get());
        view_->show();
        doc_->OnNewDocument();
    }
    void cleanup() {
        view_.reset();
        doc_.reset();
        dir_.reset();
    }

    void openAndSaveAreByteExact_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("CR LF lines") << QByteArray("1,,2.000,3.000,4.000\r\n2,,5,6,7\r\n");
        QTest::newRow("LF only") << QByteArray("first\nsecond\nno newline at end");
        QTest::newRow("lone CR") << QByteArray("a\rb\r\rc\r");
        QTest::newRow("STX and ETX") << QByteArray("\x02record\x03\r\n\x02");
        QByteArray high;
        for (int value = 0x80; value <= 0xFF; ++value) high.append(static_cast<char>(value));
        QTest::newRow("0x80 to 0xFF") << high;
        QTest::newRow("every byte but NUL") << QByteArray::fromStdString(AllNonNulBytes());
        QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\rd\n\r");
    }
    void openAndSaveAreByteExact() {
        QFETCH(QByteArray, bytes);
        const QString source = Path(QStringLiteral("source.dat"));
        const QString copy = Path(QStringLiteral("copy.dat"));
        WriteBytes(source, bytes.toStdString());
        QSignalSpy used(doc_.get(), &CHalvexDoc::FileUsed);

        QVERIFY(doc_->OnOpenDocument(source));
        QCOMPARE(view_->GetEditorText(), bytes.toStdString());
        QCOMPARE(doc_->GetTitle(), QStringLiteral("source.dat"));
        QVERIFY(!doc_->IsModified());
        QVERIFY(!view_->TextModified());

        QVERIFY(doc_->OnSaveDocument(copy));
        QCOMPARE(ReadBytes(copy), bytes.toStdString());
        QCOMPARE(doc_->GetTitle(), QStringLiteral("copy.dat"));
        QCOMPARE(doc_->GetPathName(), copy);
        QCOMPARE(used.count(), 2);
        QCOMPARE(used.at(1).at(0).toString(), copy);
    }

    void bytesAfterANulAreDropped() {
        const QString path = Path(QStringLiteral("nul.dat"));
        WriteBytes(path, std::string("ab\0cd\r\n", 7));
        QVERIFY(doc_->OnOpenDocument(path));
        QCOMPARE(view_->GetEditorText(), std::string("ab"));
    }

    void theLargestFileOpensAndOneByteMoreDoesNot() {
        BoxRecorder boxes;
        const QString fits = Path(QStringLiteral("fits.dat"));
        const QString tooLarge = Path(QStringLiteral("large.dat"));
        WriteBytes(fits, std::string(kEditorCapacity, 'x'));
        WriteBytes(tooLarge, std::string(kEditorCapacity + 1, 'x'));

        QVERIFY(doc_->OnOpenDocument(fits));
        QCOMPARE(view_->Editor()->Length(), kEditorCapacity);
        QVERIFY(boxes.shown.empty());

        MakeModifiedDocument("before");
        QVERIFY(!doc_->OnOpenDocument(tooLarge));
        QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("The file is too large to open.")});
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Halvex"));
        QCOMPARE(int(boxes.shown[0].buttons), int(BoxButtons::Ok));
        // The open is abandoned and a new, empty, untitled document is left.
        QCOMPARE(view_->GetEditorText(), std::string());
        QCOMPARE(doc_->GetTitle(), QStringLiteral("Untitled"));
        QVERIFY(doc_->GetPathName().isEmpty());
        QVERIFY(!doc_->IsModified());
        QVERIFY(!view_->TextModified());
    }

    void aFileThatCannotBeOpenedChangesNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << QStringLiteral("missing.txt");
        QTest::newRow("a folder") << QStringLiteral("folder");
    }
    void aFileThatCannotBeOpenedChangesNothing() {
        QFETCH(QString, name);
        QDir(dir_->path()).mkdir(QStringLiteral("folder"));
        MakeModifiedDocument("current");
        BoxRecorder boxes;
        QVERIFY(!doc_->OnOpenDocument(Path(name)));
        QCOMPARE(boxes.shown.size(), std::size_t{1});
        QVERIFY(boxes.shown[0].text.contains(Path(name)));
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Halvex"));
        QCOMPARE(view_->GetEditorText(), std::string("current!"));
        QCOMPARE(doc_->GetTitle(), QStringLiteral("current.txt"));
        QVERIFY(doc_->IsModified());
        QVERIFY(view_->TextModified());
    }

    void aFailedSaveKeepsTextFlagsAndTitle() {
        MakeModifiedDocument("unsaved");
        BoxRecorder boxes;
        // A path below a regular file cannot be written by anyone.
        const QString impossible = Path(QStringLiteral("current.txt/below.txt"));
        QVERIFY(!doc_->OnSaveDocument(impossible));
        QCOMPARE(boxes.shown.size(), std::size_t{1});
        QVERIFY(boxes.shown[0].text.contains(impossible));
        QCOMPARE(view_->GetEditorText(), std::string("unsaved!"));
        QVERIFY(doc_->IsModified());
        QVERIFY(view_->TextModified());
        QCOMPARE(doc_->GetTitle(), QStringLiteral("current.txt"));
        QCOMPARE(ReadBytes(Path(QStringLiteral("current.txt"))), std::string("unsaved"));
    }

    void aFailedSaveSaysTheSystemsReasonAndKeepsTheOldFile() {
        const QString path = Path(QStringLiteral("current.txt"));
        MakeModifiedDocument("old");
        view_->SetEditorText(std::string(8192, 'x'));
        BoxRecorder boxes;
        // Files may grow to 4 KB only: the write fails as on a full disk, with EFBIG.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &limited);
        const bool written = doc_->OnSaveDocument(path);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written);
        QCOMPARE(boxes.Texts(),
                 QStringList{QStringLiteral("Cannot save the file \"%1\".\n%2")
                                 .arg(path, QString::fromLocal8Bit(std::strerror(EFBIG)))});
        QCOMPARE(ReadBytes(path), std::string("old"));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"current.txt"});
    }

    void writingReplacesTheWholeFile() {
        const QString path = Path(QStringLiteral("shorter.txt"));
        WriteBytes(path, "a much longer old content");
        QVERIFY(WriteWholeFile(path.toStdString(), "new").ok);
        QCOMPARE(ReadBytes(path), std::string("new"));

        // A pipe (as a device) receives the bytes and stays what it is.
        const QByteArray pipe = QFile::encodeName(Path(QStringLiteral("pipe")));
        QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
        const int reader = open(pipe.constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        QVERIFY(WriteWholeFile(pipe.toStdString(), "to the pipe\r\n").ok);
        char received[64] = {};
        const ssize_t got = read(reader, received, sizeof received);
        close(reader);
        QCOMPARE(std::string(received, got > 0 ? static_cast<std::size_t>(got) : 0),
                 std::string("to the pipe\r\n"));
        struct stat status {};
        QCOMPARE(stat(pipe.constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
    }

    void saveOfAnUntitledDocumentAsksForAName() {
        ScriptedFileChooser chooser;
        QTest::keyClicks(view_->Editor(), QStringLiteral("typed"));
        QVERIFY(!doc_->DoFileSave());  // cancelled
        QVERIFY(doc_->IsModified());
        chooser.paths = {Path(QStringLiteral("named"))};
        QVERIFY(doc_->DoFileSave());
        QCOMPARE(chooser.asked.size(), std::size_t{2});
        QCOMPARE(int(chooser.asked[0].kind), int(FileDialogKind::SaveAs));
        QCOMPARE(chooser.asked[0].proposed, QStringLiteral("Untitled"));
        QCOMPARE(ReadBytes(Path(QStringLiteral("named"))), std::string("typed"));  // no extension
        QCOMPARE(doc_->GetTitle(), QStringLiteral("named"));
        // A titled document saves without asking.
        QTest::keyClicks(view_->Editor(), QStringLiteral("!"));
        QVERIFY(doc_->DoFileSave());
        QCOMPARE(chooser.asked.size(), std::size_t{2});
    }

    void theSavePromptFollowsTheAnswer() {
        ScriptedFileChooser chooser;
        BoxRecorder boxes;
        QVERIFY(doc_->SaveModified());  // unmodified: no question
        QVERIFY(boxes.shown.empty());

        MakeModifiedDocument("text");
        boxes.answers = {BoxAnswer::Cancel, BoxAnswer::No, BoxAnswer::Yes};
        QVERIFY(!doc_->SaveModified());
        QVERIFY(doc_->SaveModified());
        QCOMPARE(ReadBytes(Path(QStringLiteral("current.txt"))), std::string("text"));
        QVERIFY(doc_->SaveModified());
        QCOMPARE(ReadBytes(Path(QStringLiteral("current.txt"))), std::string("text!"));
        QVERIFY(!doc_->IsModified());
        QCOMPARE(boxes.shown[0].text, QStringLiteral("Save changes to current.txt?"));
        QCOMPARE(int(boxes.shown[0].buttons), int(BoxButtons::YesNoCancel));
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Halvex"));

        // Yes on an untitled document asks for a name; cancelling that stops the New or Open.
        doc_->OnNewDocument();
        QTest::keyClicks(view_->Editor(), QStringLiteral("x"));
        boxes.answers = {BoxAnswer::Yes};
        QVERIFY(!doc_->SaveModified());
        QCOMPARE(chooser.asked.size(), std::size_t{1});
    }

    void aNewDocumentIsEmptyUntitledAndUnmodified() {
        MakeModifiedDocument("something");
        doc_->OnNewDocument();
        QCOMPARE(view_->GetEditorText(), std::string());
        QCOMPARE(doc_->GetTitle(), QStringLiteral("Untitled"));
        QVERIFY(!doc_->IsModified());
        BoxRecorder boxes;
        QVERIFY(view_->ConfirmUnsaved());
        QVERIFY(boxes.shown.empty());
    }

    void anEmptyFileOpensTitledWithItsName() {
        const QString path = Path(QStringLiteral("empty.cas"));
        WriteBytes(path, "");
        MakeModifiedDocument("text");
        QVERIFY(doc_->OnOpenDocument(path));
        QCOMPARE(view_->GetEditorText(), std::string());
        QCOMPARE(doc_->GetTitle(), QStringLiteral("empty.cas"));
    }
};

QTEST_MAIN(DocumentFilesTest)
#include "DocumentFilesTest.moc"
