#pragma once

#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <string>

namespace hv::test {

// The base of every database test: one test source, run once per engine. The parameter
// names the engine; the installation holds a fresh register on it. The server runs are
// skipped with a message when no test server is configured, and fail when one is required.
//
// A fixture that overrides SetUp calls DatabaseTest::SetUp() first and returns when
// IsSkipped() or HasFatalFailure().
class DatabaseTest : public ::testing::TestWithParam<DbEngine> {
protected:
    DatabaseTest() : install(GetParam()) {}

    void SetUp() override {
        if (install.ready())
            return;
        if (TestServerRequired())
            GTEST_FAIL() << install.problem();
        GTEST_SKIP() << install.problem();
    }

    bool OnServer() const { return install.server(); }

    TestInstallation install;
};

inline std::string EngineName(const ::testing::TestParamInfo<DbEngine>& info) {
    return info.param == DbEngine::PostgreSQL ? "PostgreSQL" : "SQLite";
}

} // namespace hv::test

// Runs every TEST_P of a DatabaseTest fixture on both engines.
#define HV_ON_BOTH_ENGINES(Fixture)                                                                \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        Engines, Fixture, ::testing::Values(::hv::DbEngine::SQLite, ::hv::DbEngine::PostgreSQL),   \
        ::hv::test::EngineName)
