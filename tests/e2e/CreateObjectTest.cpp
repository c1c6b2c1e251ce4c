// Command 1 through the stand-in host: a text block becomes a named object,
// and the host finds its placeholder on the page with the object's strings.
#include "PluginFixture.h"
#include "core/StringIds.h"
#include "host/UiDriver.h"
#include "tests/FieldDialogSteps.h"
#include "tests/PageObjects.h"
#include "tests/TestFiles.h"

#include <string>
#include <vector>

namespace {

using namespace FieldDialogSteps;

CPrivateString Nebv(int32_t nIndex, const std::string& strValue) {
    return {"NEB ", "VDAT", nIndex, strValue, false};
}

TEST_F(PluginTest, TextBlockBecomesAPlaceholderWithTheNamedObjectsStrings) {
    CTestFiles files;
    CPublication& pub = host.Publication();
    pub.strPath = "C:\\Jobs\\Card.pub";
    pub.strings = {Nebv(2, files.Write("objects-sample.txt", "Jane\r\n")), Nebv(4, "0"),
                   Nebv(5, "4"), Nebv(1000, "Name 1 0 0 1 0 0 4 4 1 NULL NULL ")};
    pub.pages.resize(1);
    CHostObject block =
        PageObjects::TextBlock(5, 1, {1440, 2880, 5760, 3600}, "Arial", 180, 220, 2);
    pub.pages[0].objects = {block};
    pub.nSelectedId = 5;
    ASSERT_EQ(Call(SelStartup), StatusOk);
    host.Log().Clear();
    CUiDriver driver;
    CDialogActions named = Button(IDOK);
    named.texts = {{IDC_OBJECT_NAME, "Greeting"}};
    named.picks = {{IDC_DATA_FIELD, 0}};
    driver.UseDialog(named);
    driver.Start();
    EXPECT_EQ(Call(SelCommand, 1), StatusOk);
    ASSERT_TRUE(driver.Finish()) << driver.Error();

    ASSERT_EQ(pub.pages[0].objects.size(), 2u);
    const CHostObject& placeholder = pub.pages[0].objects[1];
    EXPECT_EQ(placeholder.nKind, 11);
    // The clipboard's bytes, as the host took them.
    EXPECT_EQ(placeholder.strEps, "%!PS-Adobe-2.0 EPSF-2.0\n"
                                  "%%BoundingBox: 72.000000 144.000000 288.000000 180.000000\n"
                                  "%%Title: Greeting\n"
                                  "%%Author: NEB Variable Data Support\n"
                                  "%%Creator: NEB Variable Data Object\n");
    EXPECT_EQ(placeholder.anBounds[0], 1440) << "moved where the text block was";
    EXPECT_EQ(placeholder.anBounds[1], 2880);
    std::vector<uint16_t> codes;
    for (const CLoggedRequest& entry : host.Log().Entries()) {
        codes.push_back(entry.Code());
    }
    // The paste: selection cleared, pasted, moved to the block's corner on the
    // pasteboard, tagged.
    auto paste = std::find(codes.begin(), codes.end(), 104);
    ASSERT_NE(paste, codes.end());
    EXPECT_EQ(std::vector<uint16_t>(paste, paste + 4),
              (std::vector<uint16_t>{104, 102, 908, 3818}));
    std::vector<uint8_t> move = host.Log().WithCode(908)[0].input;
    EXPECT_EQ(move, (std::vector<uint8_t>{5, 0, 0xE0, 0x10, 0, 0, 0xE0, 0x10, 0, 0}))
        << "5, then left and top 4320 twips: the block's corner on the pasteboard";
    EXPECT_EQ(Call(SelShutdown), StatusOk);

    std::vector<std::string> strings;
    for (const CPrivateString& entry : placeholder.strings) {
        strings.push_back(std::to_string(entry.nIndex) + "=" + entry.strValue);
    }
    EXPECT_EQ(strings, (std::vector<std::string>{
                           "100=Greeting Is Text Left Flow Font Helvetica-Bold Size 18 Spacing 22 "
                           "CMYK 0 0 0 1 On \"c:\\jobs\\card.ps\" 1 At 72 144 For 216 36 "
                           "FirstPos -1 -1",
                           "101=Name", "1=Greeting"}));
}

} // namespace
