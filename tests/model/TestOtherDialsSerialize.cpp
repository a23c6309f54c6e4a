// The equatorial, analemmatic, bifilar, cylindrical and shepherd's dials in documents: each
// comes back as its own class with its own fields, and damaged own fields are refused.
#include "model/Astronomy.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranBifilaire.h"
#include "model/CCadranCylindrique.h"
#include "model/CCadranCylindriqueDeBerger.h"
#include "model/CCadranEquatorial.h"
#include "model/ModelClasses.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

namespace {

class OtherDialsSerialize : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAstroState();
        RegisterModelClasses(registry_);
    }
    void TearDown() override { ResetAstroState(); }

    static std::string Store(const CCadran& dial)
    {
        Archive out = Archive::ForStoring();
        out.WriteObject(&dial);
        return out.Bytes();
    }

    std::unique_ptr<CCadran> Load(const std::string& bytes)
    {
        Archive in = Archive::ForLoading(bytes, registry_);
        auto dial = in.ReadObjectAs<CCadran>();
        EXPECT_EQ(in.Remaining(), 0u);
        return dial;
    }

    template <class T>
    std::unique_ptr<T> RoundTrip(const T& dial)
    {
        std::unique_ptr<CCadran> loaded = Load(Store(dial));
        EXPECT_NE(loaded, nullptr);
        EXPECT_EQ(&loaded->GetClassInfo(), &T::ClassInfoOf());
        EXPECT_EQ(loaded->typeCode, dial.typeCode);
        EXPECT_DOUBLE_EQ(loaded->latitude, dial.latitude);
        EXPECT_EQ(loaded->styleHeight, dial.styleHeight);
        return std::unique_ptr<T>(dynamic_cast<T*>(loaded.release()));
    }

    ClassRegistry registry_;
};

// The bytes of a stored double, to damage it in place.
std::string BytesOf(double v)
{
    std::string bytes(sizeof v, '\0');
    std::memcpy(bytes.data(), &v, sizeof v);
    return bytes;
}

TEST_F(OtherDialsSerialize, EquatorialFaceComesBackFromTheTypeCode)
{
    CCadranEquatorial lower(0, 9, 50, 25);
    lower.SetSite(-33.5, 70.0, -4.0);
    lower.SetTypeAndPlane(9, 0.0, -33.5 + 90.0);
    auto loaded = RoundTrip(lower);
    ASSERT_NE(loaded, nullptr);
    EXPECT_FALSE(loaded->IsUpperFace());
    std::string name;
    loaded->GetTypeName(name, true, false);
    EXPECT_EQ(name, "Cadran équatorial (face inférieure)");

    CCadranEquatorial upper;
    loaded = RoundTrip(upper);
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->IsUpperFace());
}

TEST_F(OtherDialsSerialize, AnalemmaticKeepsEllipseAndStyleAngles)
{
    CCadranAnalemmatique dial;
    dial.typeCode = 21;
    dial.ellipseSize = 73.25;
    dial.styleAngle1 = 0.3;
    dial.styleAngle2 = -0.1;
    dial.SetSite(47.25, -6.03, 1.0);
    auto loaded = RoundTrip(dial);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->ellipseSize, 73.25);
    EXPECT_EQ(loaded->styleAngle1, 0.3);
    EXPECT_EQ(loaded->styleAngle2, -0.1);
    EXPECT_EQ(loaded->prefs.diurnalArcs, 0);
}

TEST_F(OtherDialsSerialize, BifilarKeepsBothWireDistances)
{
    CCadranBifilaire dial;
    dial.SetTypeAndPlane(41, 0.0, 45.0);
    dial.firstWireDistance = 17;
    dial.secondWireDistance = 33;
    auto loaded = RoundTrip(dial);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->firstWireDistance, 17);
    EXPECT_EQ(loaded->secondWireDistance, 33);
}

TEST_F(OtherDialsSerialize, CylindersKeepTheirRadiusAndClass)
{
    CCadranCylindrique ring;
    ring.SetTypeAndPlane(31, 0.0, 45.0);
    ring.radius = 123.5;
    auto loadedRing = RoundTrip(ring);
    ASSERT_NE(loadedRing, nullptr);
    EXPECT_EQ(loadedRing->radius, 123.5);

    // A shepherd's dial between the tropics: its sheet must stay loadable.
    CCadranCylindriqueDeBerger shepherd;
    shepherd.SetSite(8.0, -10.0, 1.0);
    shepherd.radius = 42.0;
    shepherd.ComputeSheetSize();
    auto loadedShepherd = RoundTrip(shepherd);
    ASSERT_NE(loadedShepherd, nullptr);
    EXPECT_EQ(loadedShepherd->radius, 42.0);
    EXPECT_EQ(loadedShepherd->width, shepherd.width);
    EXPECT_EQ(loadedShepherd->height, shepherd.height);
    EXPECT_EQ(loadedShepherd->styleMarkingAllowed, 1);
    EXPECT_EQ(loadedShepherd->prefs.sunAboveHorizon, 1);
}

TEST_F(OtherDialsSerialize, ShepherdIsStoredWithTheRecordsOfBothParents)
{
    const std::string bytes = Store(CCadranCylindriqueDeBerger());
    const auto own = bytes.find("CCadranCylindriqueDeBerger");
    const auto cylinder = bytes.find("CCadranCylindrique", own + 1);
    const auto base = bytes.find("CCadran", cylinder + 1);
    EXPECT_NE(own, std::string::npos);
    EXPECT_NE(cylinder, std::string::npos);
    EXPECT_NE(base, std::string::npos);
    EXPECT_LT(own, cylinder);
    EXPECT_LT(cylinder, base);
}

TEST_F(OtherDialsSerialize, DamagedOwnFieldsAreRefused)
{
    struct Case {
        const char* what;
        std::unique_ptr<CCadran> dial;
        double stored;
    };
    auto analemmatic = std::make_unique<CCadranAnalemmatique>();
    analemmatic->ellipseSize = 61.5;
    auto cylinder = std::make_unique<CCadranCylindrique>();
    cylinder->radius = 88.5;
    Case cases[] = {{"ellipse", std::move(analemmatic), 61.5}, {"radius", std::move(cylinder), 88.5}};
    for (Case& c : cases) {
        const std::string good = Store(*c.dial);
        const auto at = good.rfind(BytesOf(c.stored));
        ASSERT_NE(at, std::string::npos) << c.what;
        EXPECT_NE(Load(good), nullptr) << c.what;
        for (double bad : {std::numeric_limits<double>::quiet_NaN(), -1.0, 0.0}) {
            std::string damaged = good;
            damaged.replace(at, sizeof(double), BytesOf(bad));
            try {
                Load(damaged);
                ADD_FAILURE() << c.what << " " << bad << " was accepted";
            } catch (const ArchiveException& e) {
                EXPECT_EQ(e.cause(), ArchiveException::Cause::BadClass) << c.what;
            }
        }
    }
}

}  // namespace
