// The built plug-in, loaded by the stand-in host for one test.
#pragma once

#include "host/StandInHost.h"

#include <gtest/gtest.h>

class PluginTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(plugin.Load("nebvdata.add")) << plugin.Error();
        ppDF = static_cast<void**>(plugin.ExportedData("pDF"));
        ppDFList = static_cast<void**>(plugin.ExportedData("pDFList"));
        ASSERT_NE(ppDF, nullptr);
        ASSERT_NE(ppDFList, nullptr);
    }

    uint16_t Call(uint16_t nSelector, uint32_t nCommand = 0) {
        return host.Call(plugin.Entry(), nSelector, nCommand);
    }

    CStandInHost host;
    CPluginModule plugin;
    void** ppDF = nullptr;
    void** ppDFList = nullptr;
};
