#pragma once
// The base of the shell tests that run the whole program: the application started as a user
// starts Halvex without arguments, on fresh settings, with its main window and view.

#include <QObject>
#include <memory>

#include "app/HalvexApp.h"
#include "app/MainFrame.h"
#include "editor/AppSettings.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"

namespace halvex::testing {

class ProgramTest : public QObject {
protected:
    // Starts the program; false when its start-up failed.
    bool StartProgram() {
        OpenAppSettings()->clear();
        app_ = std::make_unique<CHalvexApp>();
        if (!app_->InitInstance({})) return false;
        frame_ = app_->MainFrame();
        view_ = app_->View();
        return true;
    }
    // Ends it without the question about saving.
    void StopProgram() {
        if (view_) view_->GetDocument()->SetModifiedFlag(false);
        app_.reset();
        frame_ = nullptr;
        view_ = nullptr;
    }

    std::unique_ptr<CHalvexApp> app_;
    CMainFrame* frame_ = nullptr;
    CHalvexView* view_ = nullptr;
};

}  // namespace halvex::testing
