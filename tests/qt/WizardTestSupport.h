#pragma once
// What the creation wizard tests share: a document on a small locations file of its own,
// fake desktop services, settings in memory, and helpers that act on the real widgets.
#include "DialogTestSupport.h"

#include "app/Accessors.h"
#include "app/qt/CPropertyPageBase.h"
#include "app/qt/CWizardSheet.h"
#include "docview/CHoravelDoc.h"
#include "model/Astronomy.h"
#include "platform/FakeServices.h"
#include "platform/Profile.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace wizardtest {

// Names, regions and countries chosen for what they test: two countries where one name
// begins the other, an accented name, a place at the map's corner and one just off it.
inline constexpr const char* kStandardLocations =
    "$VERSION 6\n$NBRECORDS 9\n"
    "BESANÇON DOUBS FRANCE 47 15 N 6 2 E 1 1\n"
    "ZONZA CORSE$DU$SUD FRANCE 41 45 N 9 10 E 1 1\n"
    "ÉPINAL VOSGES FRANCE 48 10 N 6 27 E 1 1\n"
    "ARRAS PAS-DE-CALAIS FRANCE 50 17 N 2 47 E 1 1\n"
    "LAGOS ? NIGERIA 6 27 N 3 24 E 1 1\n"
    "NIAMEY ? NIGER 13 31 N 2 7 E 1 1\n"
    "GANDER TERRE-NEUVE CANADA 48 57 N 54 36 W -3.5 1\n"
    "BRAGANCA ? PORTUGAL 40 54 N 6 45 W 0 1\n"
    "CORNER ? PORTUGAL 41 0 N 10 0 E 0 1\n"
    "$END\n";

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAstroState();
        testsupport::WriteFileBytes(context_.Dir() / "HoravelTraces.txt", "");
        testsupport::WriteFileBytes(StandardFile(), kStandardLocations);
        GetProfile().WriteString("Options\\General", "NomFichierLieux", StandardFile().string());
        doc_ = std::make_unique<CHoravelDoc>();
        GetAppContext().document = doc_.get();
        ASSERT_EQ(doc_->GetLocationList().size(), 9u);
    }
    void TearDown() override
    {
        GetAppContext().document = nullptr;
        doc_.reset();
        ResetAstroState();
    }

    std::filesystem::path StandardFile() const { return context_.Dir() / "lieux.dbl"; }
    std::filesystem::path UserFile() const { return context_.Dir() / "LIEUX2.DBL"; }
    CDataBaseElement* Record(const std::string& name) const
    {
        for (const auto& r : doc_->GetLocationList())
            if (r->name == name)
                return r.get();
        return nullptr;
    }

    dialogtest::ScopedDialogContext context_;
    ScopedFakeServices fake_;
    ScopedMemoryProfile profile_;
    std::unique_ptr<CHoravelDoc> doc_;
};

// The trace lines written so far.
inline std::string Traces(const dialogtest::ScopedDialogContext& context)
{
    return testsupport::ReadFileBytes(context.Dir() / "HoravelTraces.txt");
}

// Clicks the button (radio, check, push button) of that id on the page, as the user would.
inline void Click(ControlHost& page, int id)
{
    auto* button = page.Control<QAbstractButton>(id);
    ASSERT_NE(button, nullptr) << id;
    ASSERT_TRUE(button->isEnabled()) << id;
    button->click();
}

// Types the text into the edit of that id, replacing what it held.
inline void Type(ControlHost& page, int id, const std::string& text)
{
    auto* edit = page.Control<QLineEdit>(id);
    ASSERT_NE(edit, nullptr) << id;
    edit->selectAll();
    edit->insert(QString::fromStdString(text));
}

}  // namespace wizardtest
