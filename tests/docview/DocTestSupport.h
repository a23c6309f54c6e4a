#pragma once
// What the document tests share: a fixture that gives each test its own settings, locations
// files, data folder and desktop services.
#include "docview/CHoravelDoc.h"
#include "model/CCadranHorizontal.h"
#include "platform/FakeImageDecoder.h"
#include "platform/FakeServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

// The document as the program has it; its classes are those of every dial type.
using TestDocument = CHoravelDoc;

// Bytes of a golden document of tests/data/document.
std::string GoldenDocument(const std::string& name);

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The standard locations file of the test (set in the profile before the document is
    // made): three places.
    std::filesystem::path StandardFile() const { return dir_ / "lieux.dbl"; }
    std::filesystem::path UserFile() const { return dir_ / "data" / "LIEUX2.DBL"; }
    TestDocument& Doc();
    // Serialize into a loading archive; the error text on failure.
    std::optional<std::string> Load(CHoravelDoc& doc, const std::string& bytes);
    std::string Store(CHoravelDoc& doc);

    testsupport::TempDir dir_;
    ScopedFakeServices services_;
    ScopedFakeImageDecoder decoder_;
    std::unique_ptr<TestDocument> doc_;
};
