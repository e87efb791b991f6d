#pragma once

#include "engine/banner.h"
#include "settings/layout_options.h"

#include <gtest/gtest.h>

// A filled font and the default layout options for every test.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        modOptions::SetDefaultOptions();
        modMain::InitEngine();
    }
    void TearDown() override { modOptions::SetDefaultOptions(); }
};
