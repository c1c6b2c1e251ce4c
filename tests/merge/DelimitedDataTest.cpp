// Customers' spreadsheet exports: delimited rows read as the parser reads
// them in any chunks, the fields' columns, the kinds of file told apart, and
// nebmerge run on them as an operator runs it.
#include "MergeRun.h"
#include "merge/data/DataFormat.h"
#include "merge/data/DelimitedCopies.h"

#include <algorithm>

namespace {

// The rows of the data read nChunk bytes at a time, each as its cells
// joined by "|", with where it begins as "line:offset:".
std::vector<std::string> Rows(const std::string& strData, size_t nChunk, char cSeparator = 0,
                              size_t nMaxRow = 1 << 20, RowsEnd* pEnd = nullptr) {
    size_t nGiven = 0;
    CRowReader reader(
        [&](char* pBuffer, size_t nSize) {
            size_t nCount = std::min({nSize, nChunk, strData.size() - nGiven});
            strData.copy(pBuffer, nCount, nGiven);
            nGiven += nCount;
            return static_cast<long>(nCount);
        },
        cSeparator, nMaxRow, nChunk);
    std::vector<std::string> rows;
    CDelimitedRow row;
    while (reader.Next(row)) {
        std::string strRow =
            std::to_string(row.place.nLine) + ":" + std::to_string(row.place.nOffset) + ":";
        for (size_t i = 0; i < row.cells.size(); ++i) {
            strRow += (i == 0 ? "" : "|") + row.cells[i].strText;
        }
        rows.push_back(strRow);
    }
    if (pEnd != nullptr) {
        *pEnd = reader.End();
    }
    return rows;
}

std::string Utf16(const std::string& strAscii, bool bLittle) {
    std::string strOut = bLittle ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : strAscii) {
        strOut += bLittle ? std::string(1, c) + '\0' : std::string(1, '\0') + c;
    }
    return strOut;
}

TEST(DelimitedRows, QuotesLineBreaksMarksAndSeparatorsReadInAnyChunks) {
    struct CRow {
        std::string strData;
        std::vector<std::string> rows;
    };
    const CRow rows[] = {
        {"Name,City\r\n\"Doe, Jane\",Springfield\r\nBob,\"Paris\"\r\n",
         {"1:0:Name|City", "2:11:Doe, Jane|Springfield", "3:36:Bob|Paris"}},
        {"\xEF\xBB\xBFName,City\n\"Say \"\"hi\"\"\",x\n", {"1:3:Name|City", "2:13:Say \"hi\"|x"}},
        // A line break in a quoted cell, blank lines and blanks around cells.
        {"Name,Street\n\nAnn,\"1 Main St\r\nFlat 2\"\n  Bo , x \n\n",
         {"1:0:Name|Street", "3:13:Ann|1 Main St\nFlat 2", "5:39:Bo|x"}},
        {"Name;City;Zip\nA;B, C;1\n", {"1:0:Name|City|Zip", "2:14:A|B, C|1"}},
        {"Name\tCity\nA B\t C\n", {"1:0:Name|City", "2:10:A B|C"}},
        {"\"a;b\",c\nx,y", {"1:0:a;b|c", "2:8:x|y"}},
        {Utf16("Name,City\nA,B\n", true), {"1:2:Name|City", "2:22:A|B"}},
        {Utf16("Name,City\nA,B\n", false), {"1:2:Name|City", "2:22:A|B"}},
        {"", {}},
        {"\n\n", {}},
    };
    for (const CRow& row : rows) {
        for (size_t nChunk : {1, 3, 4096}) {
            SCOPED_TRACE(row.strData + " in chunks of " + std::to_string(nChunk));
            EXPECT_EQ(Rows(row.strData, nChunk), row.rows);
        }
    }
    // UTF-16 past ASCII, and a surrogate pair, as UTF-8; a lone surrogate as
    // a byte no UTF-8 character has.
    EXPECT_EQ(Rows(std::string("\xFF\xFE\xC5\x00,\x00=\xD8\x00\xDE\x00\xD8", 12), 1),
              std::vector<std::string>{"1:2:\xC3\x85|\xF0\x9F\x98\x80\xFF"});
    RowsEnd end = RowsEnd::None;
    EXPECT_EQ(Rows("A,B\n1,\"open\n2,3\n", 2, 0, 1 << 20, &end),
              std::vector<std::string>{"1:0:A|B"});
    EXPECT_EQ(end, RowsEnd::OpenQuote);
    EXPECT_EQ(Rows("A,B\n1," + std::string(200, 'x') + "\n2,3\n", 7, 0, 100, &end),
              std::vector<std::string>{"1:0:A|B"});
    EXPECT_EQ(end, RowsEnd::TooLarge);
}

TEST(DelimitedRows, FieldsTakeTheirColumnsOrTheRunStopsNamingThem) {
    const std::vector<std::string> header = {"City ", "NAME", "Phone", ""};
    struct CRow {
        std::vector<std::string> fields;
        std::map<std::string, std::string> named;
        std::vector<size_t> columns;
        std::string strError;
    };
    const CRow rows[] = {
        {{"Name", "City"}, {}, {1, 0}, ""},
        {{"Name", "Tel"}, {{"Tel", "phone"}}, {1, 2}, ""},
        {{"Phon"},
         {},
         {},
         "field Phon: the data file has no column \"Phon\"; its columns are \"City \", \"NAME\", "
         "\"Phone\", \"\"; did you mean \"Phone\"? (--column Phon=NAME names the column of a "
         "field)"},
        {{"Street"},
         {},
         {},
         "field Street: the data file has no column \"Street\"; its columns are \"City \", "
         "\"NAME\", \"Phone\", \"\" (--column Street=NAME names the column of a field)"},
    };
    for (const CRow& row : rows) {
        CColumnMap map;
        std::string strError;
        EXPECT_EQ(MapColumns(header, row.fields, row.named, map, strError), row.strError.empty());
        EXPECT_EQ(strError, row.strError);
        if (row.strError.empty()) {
            EXPECT_EQ(map.fieldColumns, row.columns);
        }
    }
    CColumnMap map;
    std::string strError;
    ASSERT_TRUE(MapColumns(header, {"Name"}, {}, map, strError));
    EXPECT_EQ(map.Unused(), (std::vector<std::string>{"City ", "Phone"}));
    EXPECT_FALSE(MapColumns({"Name", " name"}, {"Name"}, {}, map, strError));
    EXPECT_EQ(strError, "field Name: the columns 1 and 2 are both named \"Name\"; rename one in "
                        "the data file");
}

TEST(DelimitedRows, FilesToldApartByNameAndFirstBytes) {
    DataFormat format = DataFormat::Records;
    EXPECT_TRUE(FormatOf("a/b.CSV", "") == DataFormat::Csv &&
                FormatOf("b.tsv", "") == DataFormat::Tsv &&
                FormatOf("b.txt", "") == DataFormat::Records &&
                FormatOf("b.csv", "records") == DataFormat::Records &&
                FormatOf("csv/b", "tsv") == DataFormat::Tsv && !ParseDataFormat("xls", format));
    EXPECT_EQ(PackedKind("PK\x03\x04....[Content_Types].xml..xl/workbook.xml"),
              "an Excel workbook (.xlsx)");
    EXPECT_EQ(PackedKind("PK\x03\x04mimetypeapplication/vnd.oasis.opendocument.spreadsheetPK"),
              "an OpenDocument spreadsheet (.ods)");
    EXPECT_EQ(PackedKind("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1..."),
              "an Excel 97-2003 workbook (.xls) or another Office file");
    EXPECT_EQ(PackedKind("PK\x03\x04other"), "a ZIP archive");
    EXPECT_EQ(PackedKind("Name,City\n"), "");
    EXPECT_TRUE(LooksUtf8("Name\nM\xC3\xBCller\n") && LooksUtf8("M\xC3\xBC\xC3"));
    EXPECT_FALSE(LooksUtf8("Name\nM\xFCller\n") || LooksUtf8("plain ASCII"));
}

using merge_test::MergedOutput;
using merge_test::ReadText;
using merge_test::WriteText;

// The job of the fixture with its fields Name, Note and Photo from columns.
class SpreadsheetData : public MergedOutput {
  protected:
    // The text of each page of the PDF merged from the data file.
    std::vector<std::string> Pages(const std::string& strData, int nPages) {
        std::string strOut;
        EXPECT_EQ(
            Merge("'" + Path("job.ddf") + "' '" + strData + "' --pdf '" + Path("out.pdf") + "'",
                  strOut),
            0)
            << strOut << ReadText(Path("stderr.txt"));
        std::vector<std::string> pages;
        for (int nPage = 1; nPage <= nPages; ++nPage) {
            pages.push_back(PageText(Path("out.pdf"), nPage));
        }
        return pages;
    }
};

TEST_F(SpreadsheetData, ExportsInEveryEncodingGiveTheSameCards) {
    const std::string strRows =
        "Photo,Note,Name,Unused\n"
        "picture.eps,\"Line one,\nline two\",\"M\xC3\xBCller, \"\"Max\"\"\",1\n"
        "picture.eps,Short,Bob,2\n";
    WriteText(Path("plain.csv"), strRows);
    std::vector<std::string> pages = Pages(Path("plain.csv"), 2);
    EXPECT_NE(pages[0].find("M\xC3\xBCller, \"Max\""), std::string::npos) << pages[0];
    EXPECT_NE(pages[0].find("Line one,\nline two"), std::string::npos) << pages[0];
    EXPECT_NE(pages[1].find("Bob"), std::string::npos);
    EXPECT_NE(ReadText(Path("stderr.txt")).find("the job uses no column \"Unused\""),
              std::string::npos);
    WriteText(Path("marked.csv"), "\xEF\xBB\xBF" + strRows);
    EXPECT_EQ(Pages(Path("marked.csv"), 2), pages);
    ASSERT_EQ(std::system(("printf '%s' '" + strRows +
                           "' | iconv -f utf-8 -t utf-16le | "
                           "{ printf '\\377\\376'; cat; } > '" +
                           Path("unicode.txt") + "'")
                              .c_str()),
              0);
    WriteText(Path("semicolons.csv"), "Photo;Note;Name\npicture.eps;\"Line one,\nline two\";"
                                      "\"M\xC3\xBCller, \"\"Max\"\"\"\npicture.eps;Short;Bob\n");
    EXPECT_EQ(Pages(Path("semicolons.csv"), 2), pages);
    std::string strOut;
    EXPECT_EQ(Merge("'" + Path("job.ddf") + "' '" + Path("unicode.txt") +
                        "' --data tsv "
                        "--separator comma --pdf '" +
                        Path("out.pdf") + "'",
                    strOut),
              0)
        << ReadText(Path("stderr.txt"));
    EXPECT_EQ(PageText(Path("out.pdf"), 1), pages[0]);
}

TEST_F(SpreadsheetData, MissingColumnsShortRowsAndWorkbooksAreNamed) {
    WriteText(Path("short.csv"), "Name,Note,Photo\nAnn,Hi,picture.eps\nBo,Hi\n");
    std::string strOut;
    EXPECT_EQ(Merge("'" + Path("job.ddf") + "' '" + Path("short.csv") + "' --check", strOut), 1);
    EXPECT_EQ(strOut, Path("short.csv") + ":3: copy 2, field Photo, row 3, column 3: cells do "
                                          "not match the header: the row has 2 cells, the "
                                          "header 3\n2 copies, 1 problem (1 cells do not match "
                                          "the header)\n");
    WriteText(Path("columns.csv"), "Name,Notes,Photo\nAnn,Hi,picture.eps\n");
    EXPECT_EQ(Merge("'" + Path("job.ddf") + "' '" + Path("columns.csv") + "' --pdf '" +
                        Path("out.pdf") + "'",
                    strOut),
              2);
    EXPECT_EQ(ReadText(Path("stderr.txt")),
              "nebmerge: " + Path("columns.csv") +
                  ": field Note: the data file has no column \"Note\"; its columns are \"Name\", "
                  "\"Notes\", \"Photo\"; did you mean \"Notes\"? (--column Note=NAME names the "
                  "column of a field)\n");
    EXPECT_NE(access(Path("out.pdf").c_str(), F_OK), 0);
    EXPECT_EQ(
        Merge("'" + Path("job.ddf") + "' '" + Path("columns.csv") + "' --check --column Note=notes",
              strOut),
        0);
    // Workbooks written by a spreadsheet library, whatever their names.
    const std::string strMake =
        "/usr/bin/python3 -c \"import openpyxl, zipfile; b = openpyxl.Workbook(); "
        "b.active.append(['Name', 'Note', 'Photo']); b.save('" +
        Path("book.csv") +
        "'); "
        "z = zipfile.ZipFile('" +
        Path("sheet.ods") +
        "', 'w'); "
        "z.writestr('mimetype', 'application/vnd.oasis.opendocument.spreadsheet'); "
        "z.writestr('content.xml', '<x/>'); z.close()\"";
    ASSERT_EQ(std::system(strMake.c_str()), 0);
    for (const char* pBook : {"book.csv", "sheet.ods"}) {
        EXPECT_EQ(Merge("'" + Path("job.ddf") + "' '" + Path(pBook) + "' --check", strOut), 2);
        EXPECT_EQ(ReadText(Path("stderr.txt")),
                  "nebmerge: " + Path(pBook) + ": is " +
                      (pBook[0] == 'b' ? "an Excel workbook (.xlsx)"
                                       : "an OpenDocument spreadsheet (.ods)") +
                      ", not text, and is not read here: open it in its spreadsheet program, "
                      "save the sheet as CSV with the character set UTF-8 (\"CSV UTF-8\", or "
                      "\"Text CSV\" and UTF-8) and merge that file\n");
    }
}

} // namespace
