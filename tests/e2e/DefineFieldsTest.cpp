// Command 2 through the stand-in host: a publication with no data fields gets
// its sample file, its copy and two fields through the three dialogs, and the
// host finds them in the publication's private strings.
#include "PluginFixture.h"
#include "core/DataFieldList.h"
#include "core/StringIds.h"
#include "host/UiDriver.h"
#include "tests/FieldDialogSteps.h"
#include "tests/TestFiles.h"

#include <string>
#include <vector>

namespace {

using namespace FieldDialogSteps;

class DefineFields : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        strSample = files.Write("Define-Sample.TXT", "AB CD\r\nEF\r\nnext copy\r\n");
        host.Publication().strPath = CTestFiles::FullPath("Card.pub");
        host.Publication().pages.resize(1);
    }
    CTestFiles files;
    std::string strSample;
};

TEST_F(DefineFields, FirstFieldsOfAPublicationAreStoredWithItsSampleAndCopy) {
    ASSERT_EQ(Call(SelStartup), StatusOk);
    host.Log().Clear();
    CUiDriver driver;
    driver.ChooseFile(strSample);
    driver.UseDialog(SelectAnd(IDC_COPY_SAMPLE, 0, 11, IDOK, false));
    driver.UseDialog(SelectAnd(0, 2, IDC_ADD_FIELD));
    driver.UseDialog(Named("AB"));
    driver.UseDialog(SelectAnd(3, 5, IDC_ADD_FIELD));
    driver.UseDialog(Named("CD"));
    driver.UseDialog(Button(IDC_CLOSE));
    driver.Start();
    EXPECT_EQ(Call(SelCommand, 2), StatusOk);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    std::string strFolder = CTestFiles::FullPath("");
    EXPECT_EQ(driver.Seen()[0].strFolder + "\\", strFolder) << "the publication's folder";
    EXPECT_EQ(driver.Seen()[0].strFileName, "") << "no file offered at first";
    EXPECT_EQ(host.Log().Entries()[0].Code(), 3513) << "the job file names are refreshed";

    // The list the plug-in exports.
    auto* pList = static_cast<CDataFieldList*>(*ppDFList);
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->Count(), 2);

    host.Log().Clear();
    EXPECT_EQ(Call(SelShutdown), StatusOk);
    std::string strLower = strSample;
    CharLowerA(&strLower[0]);
    std::vector<std::string> lines;
    for (const CLoggedRequest& entry : host.Log().WithCode(1900)) {
        lines.push_back(entry.InputText());
    }
    const std::string strAddress = "privatestring \"NEB \", \"VDAT\", classpub, ";
    EXPECT_EQ(lines, (std::vector<std::string>{
                         strAddress + "2, 1, 0, true, \"" + strLower + "\"",
                         strAddress + "4, 1, 0, true, \"0\"", strAddress + "5, 1, 0, true, \"9\"",
                         strAddress + "1000, 1, 0, true, \"AB 0 0 0 1 0 0 2 2 1 SPACE EF \"",
                         strAddress + "1001, 1, 0, true, \"CD 1 0 0 1 0 3 5 2 1 CRLF EF \""}));
}

TEST_F(DefineFields, CancelledFirstChoiceEndsTheCommandWithNothingStored) {
    ASSERT_EQ(Call(SelStartup), StatusOk);
    CUiDriver driver;
    driver.CancelDialog();
    driver.Start();
    EXPECT_EQ(Call(SelCommand, 2), StatusOk);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    EXPECT_EQ(*ppDFList, nullptr);
    host.Log().Clear();
    EXPECT_EQ(Call(SelShutdown), StatusOk);
    EXPECT_TRUE(host.Log().WithCode(1900).empty()) << "nothing to store";
}

} // namespace
