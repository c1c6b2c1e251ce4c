// The library's exports, its command resource and the answers of `main`.
#include "PluginFixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ExportNames(HMODULE hModule) {
    auto* pBase = reinterpret_cast<const uint8_t*>(hModule);
    auto* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
    auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(pBase + pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto* pExports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(pBase + directory.VirtualAddress);
    auto* pNames = reinterpret_cast<const DWORD*>(pBase + pExports->AddressOfNames);
    std::vector<std::string> names;
    for (DWORD i = 0; i < pExports->NumberOfNames; ++i) {
        names.push_back(reinterpret_cast<const char*>(pBase + pNames[i]));
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(PluginTest, ExportsMainAndTheTwoDataPointers) {
    EXPECT_EQ(ExportNames(plugin.Module()), (std::vector<std::string>{"main", "pDF", "pDFList"}));
    EXPECT_EQ(*ppDF, nullptr);
    EXPECT_EQ(*ppDFList, nullptr);
}

TEST_F(PluginTest, CommandResourceHoldsExactlyThe68Bytes) {
    const std::vector<uint8_t> expected = {
        0, 0, 0, 0, 0x00, 0x02, 3, 0,                                     // header, three entries
        1, 0, 0, 0, 5,    0,    0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, // entry 1
        8, 0, 0, 0, 13,   0,    0, 0, 0, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, // entry 2
        2, 0, 0, 0, 13,   0,    0, 0, 0, 1, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, // entry 3
    };
    EXPECT_EQ(plugin.CommandResource(), expected);
}

TEST_F(PluginTest, HostListsTheThreeCommandsWithTheirMenuTexts) {
    std::vector<CPluginCommand> commands;
    ASSERT_TRUE(plugin.ReadCommands(commands));
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].nCommand, 1u);
    EXPECT_EQ(commands[0].strMenuText, "NEB Create Variable Data Object...");
    EXPECT_EQ(commands[1].nCommand, 2u);
    EXPECT_EQ(commands[1].strMenuText, "NEB Define Variable Data Fields...");
    EXPECT_EQ(commands[2].nCommand, 3u);
    EXPECT_EQ(commands[2].strMenuText, "NEB Produce Variable Data Job....");
}

TEST_F(PluginTest, SelectorsOutsideTheTableAreRefusedAndChangeNothing) {
    for (uint16_t nSelector : {0, 3, 7, 100, 65535}) {
        EXPECT_EQ(Call(nSelector), StatusFailed) << "selector " << nSelector;
    }
    for (uint16_t nSelector : {4, 5}) {
        EXPECT_EQ(Call(nSelector), StatusOk) << "selector " << nSelector;
    }
    EXPECT_TRUE(host.Log().Entries().empty()) << host.Log().Format();
    EXPECT_EQ(*ppDF, nullptr);
    EXPECT_EQ(*ppDFList, nullptr);
}

TEST_F(PluginTest, UnknownCommandNumbersAreRefused) {
    EXPECT_EQ(Call(SelCommand, 4), StatusFailed);
    EXPECT_EQ(Call(SelCommand, 0), StatusFailed);
    EXPECT_EQ(Call(SelCommand, 0xFFFFFFFF), StatusFailed);
    EXPECT_TRUE(host.Log().Entries().empty());
}

TEST_F(PluginTest, StartupAndShutdownOnAnEmptyPublication) {
    host.Publication().strPath = "C:\\Jobs\\Empty.pub";
    EXPECT_EQ(Call(SelStartup), StatusOk);
    EXPECT_EQ(*ppDF, nullptr);
    EXPECT_EQ(*ppDFList, nullptr);
    std::vector<CLoggedRequest> first = host.Log().WithCode(1556);
    ASSERT_FALSE(first.empty()) << host.Log().Format();
    EXPECT_EQ(host.Log().Entries()[0].Code(), 1556) << "loading starts with request 1556";
    EXPECT_EQ(first[0].block.inputKind, InputInline);
    EXPECT_EQ(first[0].block.input, 1u);
    EXPECT_EQ(first[0].block.inputLength, 2u);
    CErrorText text;
    EXPECT_FALSE(host.TakeErrorText(text)) << "no error text after a good start-up";

    EXPECT_EQ(Call(SelShutdown), StatusOk);
    EXPECT_EQ(*ppDF, nullptr);
    EXPECT_EQ(*ppDFList, nullptr);
    EXPECT_TRUE(host.UnfreedReplyBlocks().empty());
}

} // namespace
