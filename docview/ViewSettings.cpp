// The view's default drawing options in the profile: the dimensions of new dials under
// "Options\Dimensions" and the default preferences under "Options\Trace" and
// "Options\Marquage".
#include "docview/CHoravelView.h"

#include "platform/Profile.h"

namespace {

constexpr const char* kDimensions = "Options\\Dimensions";

struct DimensionKey {
    const char* name;
    int CHoravelView::DefaultDimensions::*field;
    int absentDefault;
};

constexpr DimensionKey kDimensionKeys[] = {
    {"Largeur", &CHoravelView::DefaultDimensions::width, 160},
    {"Hauteur", &CHoravelView::DefaultDimensions::height, 180},
    {"Style", &CHoravelView::DefaultDimensions::styleHeight, 25},
    {"Troncature", &CHoravelView::DefaultDimensions::truncation, 0},
    {"LimiteBase", &CHoravelView::DefaultDimensions::baseLimit, 40},
};

bool IsIndications(const CPrefs::ProfileKey& key) { return key.field == &CPrefs::indications; }

}  // namespace

void CHoravelView::LoadViewSettings(const Profile& profile)
{
    for (const DimensionKey& key : kDimensionKeys)
        defaultDims_.*key.field = profile.GetInt(kDimensions, key.name, key.absentDefault);
    for (const CPrefs::ProfileKey& key : CPrefs::ProfileKeys()) {
        // The indications block starts off at every start, whatever was saved.
        if (IsIndications(key))
            defaultPrefs_.*key.field = 0;
        else
            defaultPrefs_.*key.field = profile.GetInt(key.section, key.name, key.absentDefault);
    }
}

void CHoravelView::SaveViewSettings(Profile& profile) const
{
    for (const DimensionKey& key : kDimensionKeys)
        profile.WriteInt(kDimensions, key.name, defaultDims_.*key.field);
    for (const CPrefs::ProfileKey& key : CPrefs::ProfileKeys())
        profile.WriteInt(key.section, key.name, defaultPrefs_.*key.field);
}
