// Start-up: the command line, printing and unregistering switches, automation commands, the
// recent-file list, the about box and a main window that cannot be created.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <memory>

#include "app/AboutDlg.h"
#include "app/CommandLine.h"
#include "app/HalvexApp.h"
#include "app/MainFrame.h"
#include "app/RecentFileList.h"
#include "common/Version.h"
#include "editor/AppSettings.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"
#include "editor/ShellTestKit.h"
#include "editor/TextPrinting.h"

using namespace halvex;
using namespace halvex::testing;

Q_DECLARE_METATYPE(CommandLineInfo::Action)

class StartupTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<CHalvexApp> app_;

    QString Path(const QString& name) const { return dir_->filePath(name); }
    QStringList RecentMenuTexts() const {
        QStringList texts;
        for (int id = 57616; id <= 57619; ++id) {
            if (QAction* action = app_->MainFrame()->ActionFor(id)) texts.push_back(action->text());
        }
        return texts;
    }

private slots:
    void init() {
        OpenAppSettings()->clear();
        dir_ = std::make_unique<QTemporaryDir>();
        app_ = std::make_unique<CHalvexApp>();
    }
    void cleanup() {
        if (app_->Document()) app_->Document()->SetModifiedFlag(false);
        app_.reset();
        SetPrintOutputFile(QString());
    }

    void commandLineIsParsed_data() {
        using A = CommandLineInfo::Action;
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<A>("action");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QList<int>>("commands");
        QTest::newRow("nothing") << QStringList{} << A::FileNew << "" << "" << QList<int>{};
        QTest::newRow("file") << QStringList{"/home/a.cas"} << A::FileOpen << "/home/a.cas" << ""
                              << QList<int>{};
        QTest::newRow("/p") << QStringList{"/p", "/data/x.txt"} << A::FilePrint << "/data/x.txt"
                            << "" << QList<int>{};
        QTest::newRow("-P upper case") << QStringList{"-P", "x.txt"} << A::FilePrint << "x.txt"
                                       << "" << QList<int>{};
        QTest::newRow("/p without file") << QStringList{"/p"} << A::FileNew << "" << ""
                                         << QList<int>{};
        QTest::newRow("/pt") << QStringList{"/pt", "x.txt", "Office", "drv", "port"}
                             << A::FilePrintTo << "x.txt" << "Office" << QList<int>{};
        QTest::newRow("/Unregister") << QStringList{"/Unregister"} << A::Unregister << "" << ""
                                     << QList<int>{};
        QTest::newRow("-unregserver") << QStringList{"-unregserver"} << A::Unregister << "" << ""
                                      << QList<int>{};
        QTest::newRow("path like a switch") << QStringList{"/pt/file.txt"} << A::FileOpen
                                            << "/pt/file.txt" << "" << QList<int>{};
        QTest::newRow("commands in order")
            << QStringList{"-command", "32772", "f.txt", "/command", "59392", "-command", "x1"}
            << A::FileOpen << "f.txt" << "" << QList<int>{32772, 59392};
        QTest::newRow("unknown switch ignored") << QStringList{"-dde", "f.txt"} << A::FileOpen
                                                << "f.txt" << "" << QList<int>{};
        QTest::newRow("-- ends switches") << QStringList{"--", "-p"} << A::FileOpen << "-p" << ""
                                          << QList<int>{};
    }
    void commandLineIsParsed() {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLineInfo::Action, action);
        QFETCH(QString, file);
        QFETCH(QString, printer);
        QFETCH(QList<int>, commands);
        const CommandLineInfo info = ParseCommandLine(arguments);
        QCOMPARE(info.action, action);
        QCOMPARE(info.fileName, file);
        QCOMPARE(info.printerName, printer);
        QCOMPARE(QList<int>(info.commands.begin(), info.commands.end()), commands);
    }

    void helpAndVersionAreSwitchesUntilTheSwitchesEnd() {
        const CommandLineInfo version = ParseCommandLine({"survey.txt", "--version"});
        QVERIFY(version.showVersion);
        QVERIFY(!version.showHelp);
        QVERIFY(ParseCommandLine({"-p", "--help", "x.txt"}).showHelp);
        const CommandLineInfo file = ParseCommandLine({"--", "--help"});
        QVERIFY(!file.showHelp);
        QCOMPARE(file.fileName, QStringLiteral("--help"));
    }

    void aFileNamedOnTheCommandLineIsOpened() {
        WriteBytes(Path("survey.txt"), "line one\nline two\n");
        QVERIFY(app_->InitInstance({Path("survey.txt")}));
        QCOMPARE(app_->View()->GetEditorText(), std::string("line one\nline two\n"));
        QCOMPARE(app_->MainFrame()->windowTitle(), QStringLiteral("survey.txt - Veltra"));
        QVERIFY(app_->MainFrame()->isVisible());
        QCOMPARE(app_->MainFrame()->MessagePane()->text(), QStringLiteral("Ready"));
    }

    void aMissingOrTooLargeFileEndsTheProgram_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << -1 << QString();
        QTest::newRow("too large") << int(kEditorCapacity + 1)
                                   << QStringLiteral("The file is too large to open.");
    }
    void aMissingOrTooLargeFileEndsTheProgram() {
        QFETCH(int, size);
        QFETCH(QString, message);
        if (size >= 0) WriteBytes(Path("file.dat"), std::string(static_cast<std::size_t>(size), 'x'));
        BoxRecorder boxes;
        QVERIFY(!app_->InitInstance({Path("file.dat")}));
        QCOMPARE(app_->ExitCode(), 1);
        QCOMPARE(boxes.shown.size(), std::size_t{1});
        if (!message.isEmpty()) QCOMPARE(boxes.shown[0].text, message);
        QVERIFY(boxes.shown[0].text.contains(message.isEmpty() ? Path("file.dat") : message));
        QVERIFY(!app_->MainFrame() || !app_->MainFrame()->isVisible());
    }

    void thePrintSwitchesPrintAndQuit_data() {
        QTest::addColumn<QStringList>("switches");
        QTest::newRow("/p") << QStringList{"/p"};
        QTest::newRow("/pt") << QStringList{"/pt"};
    }
    void thePrintSwitchesPrintAndQuit() {
        QFETCH(QStringList, switches);
        std::string text;
        for (int i = 0; i < 150; ++i) text += "line " + std::to_string(i) + "\r\n";
        WriteBytes(Path("print me.txt"), text);
        SetPrintOutputFile(Path("out.pdf"));
        QStringList arguments = switches;
        arguments << Path("print me.txt");
        if (switches[0] == "/pt") arguments << QStringLiteral("Some Printer");
        QVERIFY(!app_->InitInstance(arguments));
        QCOMPARE(app_->ExitCode(), 0);
        QVERIFY(!app_->MainFrame()->isVisible());
        const std::string pdf = ReadBytes(Path("out.pdf"));
        QVERIFY(pdf.rfind("%PDF", 0) == 0);
        // 150 lines take more than one page.
        QVERIFY(QByteArray::fromStdString(pdf).count("/Type /Page\n") +
                    QByteArray::fromStdString(pdf).count("/Type /Page ") +
                    QByteArray::fromStdString(pdf).count("/Type /Page>") >= 2);
    }

    void unregisterRemovesTheSettingsAndReports() {
        {
            auto settings = OpenAppSettings();
            settings->setValue("Recent File List/File1", "/x/y.txt");
            settings->sync();
            QVERIFY(QFile::exists(settings->fileName()));
        }
        BoxRecorder boxes;
        QVERIFY(!app_->InitInstance({"/Unregister"}));
        QCOMPARE(app_->ExitCode(), 0);
        QCOMPARE(boxes.Texts(), QStringList{CHalvexApp::UnregisteredMessage()});
        QCOMPARE(CHalvexApp::UnregisteredMessage(),
                 QStringLiteral("System registry entries have been removed and the INI file (if "
                                "any) was deleted."));
        QVERIFY(!QFile::exists(OpenAppSettings()->fileName()));
        QVERIFY(!app_->MainFrame());
    }

    void unregisterReportsWhatCouldNotBeRemoved() {
        // A folder where the settings file belongs cannot be removed as a file.
        const QString file = OpenAppSettings()->fileName();
        QDir().mkpath(file + "/blocked");
        BoxRecorder boxes;
        QVERIFY(!app_->InitInstance({"-Unregserver"}));
        QCOMPARE(app_->ExitCode(), 1);
        QCOMPARE(boxes.Texts(),
                 QStringList{QStringLiteral(
                     "Not all of the system registry entries (or INI file) were removed.")});
        QDir(file).removeRecursively();
    }

    void aMainWindowThatCannotBeCreatedEndsTheProgram() {
        BoxRecorder boxes;
        CMainFrame::FailNextCreateForTesting();
        QVERIFY(!app_->InitInstance({}));
        QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Failed to create empty document.")});
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Halvex"));
        QVERIFY(!app_->MainFrame());
    }

    void automationCommandsRunInOrderAndSkipUnknownIds() {
        QVERIFY(app_->InitInstance({"-command", "59392", "-command", "32774", "-command", "59393"}));
        QSignalSpy executed(app_->MainFrame(), &CMainFrame::CommandExecuted);
        QSignalSpy finished(app_.get(), &CHalvexApp::AutomationFinished);
        QVERIFY(finished.wait(5000));
        QCOMPARE(executed.count(), 2);
        QCOMPARE(executed.at(0).at(0).toInt(), 59392);
        QCOMPARE(executed.at(1).at(0).toInt(), 59393);
        QVERIFY(!app_->MainFrame()->ToolBar()->isVisible());
        QVERIFY(!app_->MainFrame()->statusBar()->isVisible());
    }

    void aModalCommandHoldsBackTheNextOne() {
        QVERIFY(app_->InitInstance({"-command", "57664", "-command", "59392"}));
        bool toolbarVisibleDuringAbout = false;
        QString caption, text, version;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* about = qobject_cast<CAboutDlg*>(widget);
                if (!about || !about->isVisible()) continue;
                poll.stop();
                toolbarVisibleDuringAbout = app_->MainFrame()->ToolBar()->isVisible();
                caption = about->windowTitle();
                text = about->Text()->text();
                const auto* versionLabel = about->findChild<QLabel*>(QStringLiteral("version"));
                if (versionLabel) version = versionLabel->text();
                QVERIFY(about->OkButton()->isDefault());
                QTest::mouseClick(about->OkButton(), Qt::LeftButton);
            }
        });
        poll.start(20);
        QSignalSpy finished(app_.get(), &CHalvexApp::AutomationFinished);
        QVERIFY(finished.wait(5000));
        QVERIFY(toolbarVisibleDuringAbout);
        QVERIFY(!app_->MainFrame()->ToolBar()->isVisible());
        QCOMPARE(caption, QStringLiteral("About Veltra totalstation"));
        QCOMPARE(text, QStringLiteral("Veltra Quorin series totalstation data communication"));
        QCOMPARE(version, QStringLiteral("Version ") +
                              QString::fromLatin1(kVersion.data(), qsizetype(kVersion.size())));
    }

    void theWindowAndTheAboutBoxShowTheApplicationIcon() {
        QVERIFY(app_->InitInstance({}));
        QVERIFY(!app_->MainFrame()->windowIcon().pixmap(32).isNull());
        CAboutDlg about(app_->MainFrame());
        QVERIFY(!about.Icon()->pixmap().isNull());
    }

    void theAboutBoxIsSetInTheApplicationsFontAndNamesTheLicence() {
        CAboutDlg about;
        QCOMPARE(about.font(), QApplication::font());
        QCOMPARE(about.size(), about.sizeHint());  // no room beyond what it shows
        const auto* licence = about.findChild<QLabel*>(QStringLiteral("licence"));
        QVERIFY(licence && licence->text().contains(QStringLiteral("GPL-3.0-or-later")));
    }

    void theAboutBoxShowsItsWholeText() {
        CAboutDlg about;
        const QRect text = about.Text()->geometry();
        QCOMPARE(text.size().expandedTo(about.Text()->sizeHint()), text.size());
        QVERIFY(about.rect().contains(text) && about.rect().contains(about.OkButton()->geometry()));
        QVERIFY(!text.intersects(about.OkButton()->geometry()));
    }

    void theRecentFileListKeepsTheLastFourOpened() {
        QVERIFY(app_->InitInstance({}));
        QCOMPARE(RecentMenuTexts(), QStringList{QStringLiteral("Recent File")});
        QStringList paths;
        for (int i = 1; i <= 5; ++i) {
            paths << Path(QStringLiteral("f%1.txt").arg(i));
            WriteBytes(paths.last(), "x");
            QVERIFY(app_->OpenDocumentFile(paths.last()));
        }
        QStringList expected;
        for (int i = 5; i >= 2; --i) {
            expected << QStringLiteral("&%1 %2").arg(6 - i).arg(ShortenPath(paths[i - 1], 30));
        }
        QCOMPARE(RecentMenuTexts(), expected);
        auto settings = OpenAppSettings();
        for (int i = 1; i <= 4; ++i) {
            QCOMPARE(settings->value(QStringLiteral("Recent File List/File%1").arg(i)).toString(),
                     paths[5 - i]);
        }

        // Choosing an entry opens it and moves it up; one that fails to open leaves the list.
        app_->MainFrame()->RouteCommand(57618);
        QCOMPARE(app_->Document()->GetPathName(), paths[2]);
        QCOMPARE(app_->RecentFiles().Paths().first(), paths[2]);
        QFile::remove(paths[3]);
        BoxRecorder boxes;
        const int missingIndex = static_cast<int>(app_->RecentFiles().Paths().indexOf(paths[3]));
        app_->MainFrame()->RouteCommand(57616 + missingIndex);
        QCOMPARE(boxes.shown.size(), std::size_t{1});
        QVERIFY(!app_->RecentFiles().Paths().contains(paths[3]));
        QCOMPARE(RecentMenuTexts().size(), 3);
    }

    void savingAddsToTheRecentFileList() {
        ScriptedFileChooser chooser;
        chooser.paths = {Path("saved.cas")};
        QVERIFY(app_->InitInstance({}));
        app_->MainFrame()->RouteCommand(57604);
        QCOMPARE(app_->RecentFiles().Paths(), QStringList{Path("saved.cas")});
        QCOMPARE(RecentMenuTexts().size(), 1);
    }

    void aRecentListFromTheSettingsIsShownAtStartUp() {
        {
            auto settings = OpenAppSettings();
            settings->setValue("Recent File List/File1", "/a/b&c.txt");
            settings->setValue("Recent File List/File2", "/d.txt");
        }
        QVERIFY(app_->InitInstance({}));
        QCOMPARE(RecentMenuTexts(), (QStringList{"&1 /a/b&&c.txt", "&2 /d.txt"}));
        QVERIFY(app_->MainFrame()->ActionFor(57617)->isEnabled());
    }

    void longPathsAreShortened_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("short") << "/home/ann/a.txt" << "/home/ann/a.txt";
        QTest::newRow("exactly 30") << "/home/ann/survey/job12/pts.cas"
                                    << "/home/ann/survey/job12/pts.cas";
        QTest::newRow("middle folders go") << "/home/ann/survey/2024/job12/pts.cas"
                                           << "/home/.../2024/job12/pts.cas";
        QTest::newRow("first folder too long") << "/a_long_first_folder/x/name_of_file.txt"
                                               << ".../name_of_file.txt";
        QTest::newRow("only the name fits") << "/home/ann/a_rather_long_file_name_1.txt"
                                            << "a_rather_long_file_name_1.txt";
        QTest::newRow("name too long") << "/x/an_extremely_long_file_name_for_a_survey.txt"
                                       << "an_extremely_long_file_name...";
    }
    void longPathsAreShortened() {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        QCOMPARE(ShortenPath(path, 30), shown);
        QVERIFY(ShortenPath(path, 30).size() <= 30);
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
