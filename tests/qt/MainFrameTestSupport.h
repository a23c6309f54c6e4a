#pragma once
// The whole program in a test: the application object, its main frame with the real view
// widget, a temporary install folder holding the shipped language file, a memory profile,
// fake services and fake timers. Menu items are found by command id, as the user sees them.
#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/QtAppWindows.h"
#include "docview/CHoravelDoc.h"
#include "docview/ColorTable.h"
#include "docview/qt/CHoravelViewWidget.h"
#include "model/Astronomy.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class MainFrameTest : public ::testing::Test {
protected:
    // Text of the locations file the document reads; empty: no such file.
    virtual std::string LocationsFileText() const { return {}; }

    void SetUp() override
    {
        std::filesystem::copy_file(testsupport::SourceDir() / "resources" / "data" / "horavel.lang",
                                   install_ / "horavel.lang");
        const std::string locations = LocationsFileText();
        if (!locations.empty())
            testsupport::WriteFileBytes(install_ / "lieux.dbl", locations);
        paths::SetInstallFolder(install_.path());
        paths::SetDataFolder(install_.path());
        profile_->WriteInt("Options\\General", "Langage", 0);
        profile_->WriteString("Options\\General", "NomFichierLieux",
                              (install_ / (locations.empty() ? "none.dbl" : "lieux.dbl")).string());
        ResetAstroState();
        ResetColorTable();
        app_ = std::make_unique<CHoravelApp>([] {
            auto document = std::make_unique<CHoravelDoc>();
            GetAppContext().document = document.get();
            return document;
        });
        windows_ = std::make_unique<QtAppWindows>(
            *app_, [](CMainFrame& frame) -> QWidget* { return new CHoravelViewWidget(&frame); });
        app_->SetWindows(windows_.get());
    }
    void TearDown() override
    {
        windows_->DestroyMainFrame();
        windows_.reset();
        app_.reset();
        GetAppContext() = AppContext{};
        paths::SetInstallFolder({});
        paths::SetDataFolder({});
        ResetAstroState();
    }

    CMainFrame& Frame() { return *windows_->Frame(); }

    // The item of the command in the menu bar, and the menu holding it.
    std::pair<QMenu*, QAction*> Item(int id)
    {
        std::vector<QMenu*> menus;
        for (QAction* top : Frame().menuBar()->actions())
            if (top->menu())
                menus.push_back(top->menu());
        while (!menus.empty()) {
            QMenu* menu = menus.back();
            menus.pop_back();
            for (QAction* action : menu->actions()) {
                if (action->menu())
                    menus.push_back(action->menu());
                else if (action->data().isValid() && action->data().toInt() == id)
                    return {menu, action};
            }
        }
        return {nullptr, nullptr};
    }
    // The item as its menu shows it when opened.
    QAction* Shown(int id)
    {
        auto [menu, action] = Item(id);
        if (menu)
            Frame().MenuBinder().UpdateMenu(*menu);
        return action;
    }
    // Clicks the item as the user would: only when its menu offers it.
    void Choose(int id)
    {
        QAction* action = Shown(id);
        ASSERT_NE(action, nullptr) << id;
        ASSERT_TRUE(action->isEnabled()) << id;
        action->trigger();
        QApplication::processEvents();
    }

    testsupport::TempDir install_;
    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    ScopedFakeTimers timers_;
    std::unique_ptr<CHoravelApp> app_;
    std::unique_ptr<QtAppWindows> windows_;
};
