// Every entry of the string catalogue, by identifier, exactly as the user sees it.
#include "PluginFixture.h"

namespace {

struct CEntry {
    unsigned nId;
    const char* pText;
};

// clang-format off
const CEntry Catalogue[] = {
        {1, "NEB Create Variable Data Object..."},
        {2, "NEB Produce Variable Data Job...."},
        {3, "Left"},
        {4, "Center"},
        {5, "Right"},
        {6, "Justify"},
        {8, "NEB Define Variable Data Fields..."},
        {9, "All Files|*.*||"},
        {10, "ZTM5000: Select the first complete\ncopy in the displayed input file."},
        {11, "ZTM5018: The variable data input file, %s,\nthat was used during the creation of the variable data fields in\nthis publication was not found."},
        {13, "ZTM5001: Specify a valid name that does not contain spaces."},
        {14, "NEB Variable Data Input File"},
        {15, "ZTM5002: NEB Variable Data requires the font mapping file\nthat was installed on your system, but could not find it.\nRe-install the NEB Variable Data product, or copy the\nnebvdata.vda file to the correct directory."},
        {17, "Scale and Trim"},
        {18, "Scale to Fit"},
        {21, "NEB Variable Data"},
        {22, "Helvetica"},
        {23, "CRLF"},
        {24, "TAB"},
        {25, "LFCR"},
        {26, "SPACE"},
        {27, "NULL"},
        {38, "nebvdata.add"},
        {40, "nebvdata.vda"},
        {41, "NEBVDATA.VDA"},
        {44, "ZTM5013: The font size value must be between 4 and 650."},
        {45, "ZTM5003: Verify that your font mapping file is not corrupted.\nAn error occured while scanning the file."},
        {46, "ZTM5004: Cannot map the requested font.\nHelvetica font will be used."},
        {47, "ZTM5014: Each color percentage must be between 0 and 100."},
        {48, "ZTM5005: This object does not have an associated data field.\nWould you like to select a data field now?"},
        {49, "ZTM5006: Specify a unique name for this object.\nThe name you entered already exists."},
        {50, "ZTM5007: The leading value must be greater than 0."},
        {51, "ZTM5008: Select a font for the text."},
        {52, "ZTM5009: There is an error in the font mapping file.\nSome fonts in the list may not be valid."},
        {53, "ZTM5010: Select the text for the data field, then press Add..."},
        {54, "ZTM5011: Specify a unique name for this data field.\nThe name you entered already exists."},
        {55, "ZTM5012: The font mapping file was found, but could not be read."},
        {56, "ZTM5032: Some of the existing data fields are past the end\nof the sample data.  Press OK to delete them and continue\nor press Cancel to make a different sample data selection."},
        {63, "ZTM5015: The named object %s does not\nhave a valid data field associated with it.\nSpecify a data field name."},
        {64, "ZTM5016: Select a text or graphic object.\nThe selected object is not supported."},
        {65, "ZTM5017: A line is not a valid variable data object.\nSelect a text or graphic object."},
        {67, "ZTM5019: Could not open the clipboard."},
        {68, "ZTM5020: Cannot determine the font size.\nA default value will be used."},
        {69, "ZTM5021: Cannot determine the leading.\nA default value will be used."},
        {70, "ZTM5022: Cannot determine the text alignment.\nA default value will be used."},
        {71, "ZTM5023: A polygon is not a valid variable data object.\nSelect a text or graphic object."},
        {72, "ZTM5024: Cannot determine the type styles.\nA default value will be used."},
        {73, "ZTM5025: Cannot determine the color values.\nA default value will be used."},
        {75, "ZTM5026: Cannot determine the object size.\nVerify the object has not been rotated or skewed."},
        {77, "ZTM5027: Cannot empty clipboard."},
        {78, "ZTM5028: Could not set the contents of the clipboard."},
        {79, "ZTM5029: Cannot determine the color of the text.\nBlack will be used."},
        {80, "ZTM5030: Use the pointer tool to select an object, then try again."},
        {81, "ZTM5031: A font type for this text object is not supported\nand will be ignored.  Only the normal, bold, and italic\ntypes are supported."},
        {84, "ZTM5034: The default printer is not PostScript compatible.\nTo print the publication to disk, set a PostScript compatible\nprinter as the default, then try again."},
        {86, "ZTM5036: Cannot identify the default printer to print\nthis publication to disk."},
        {88, "ZTM5038: This publication does not contain any valid\nNEB Variable Data objects."},
        {89, "ZTM5039: Select sample data that is not already included in\nanother data field."},
        {90, "ZTM5041: Could not load the variable data input file."},
        {91, "ZTM5040: Could not output variable data job to\n%s.\nVerify the current file is not read-only."},
        {92, "ZTM5042: NEB Variable Data requires you to print your\ndocument with Tall paper orientation.  Your page size does\nnot fit the Tall orientation paper choice.\nDo you want to continue to print or cancel?"},
        {93, "ZTM5043: A memory exception occured.\nClose all other applications and try the operation again."},
        {94, "ZTM5044: A file exception occured.  Try your operation again."},
        {95, "ZTM5045: An exception occured.  Try the operation again."},
        {96, "ZTM5046: Select a data field with an EPS field type."},
        {97, "ZTM5047: Select a data field with a text field type."},
        {98, "ZTM5048: An error occured while producing the document\ndefinition file.  Verify the data fields are correctly defined."},
        {99, "ZTM5049: Two named objects are called %s,\none on page %s and one on page %s.\nGive each named object a name of its own."},
        {57344, "NEB Variable Data"},
};
// clang-format on

TEST_F(PluginTest, EveryCatalogueEntryHasItsExactText) {
    EXPECT_EQ(sizeof Catalogue / sizeof Catalogue[0], 69u);
    for (const CEntry& entry : Catalogue) {
        EXPECT_EQ(plugin.CatalogueText(entry.nId), entry.pText) << "entry " << entry.nId;
    }
}

TEST_F(PluginTest, NoEntriesBeyondTheCatalogue) {
    for (unsigned nId : {0u, 7u, 12u, 16u, 19u, 20u, 28u, 39u, 42u, 57u, 62u, 66u, 100u, 57343u}) {
        EXPECT_EQ(plugin.CatalogueText(nId), "") << "entry " << nId;
    }
}

} // namespace
