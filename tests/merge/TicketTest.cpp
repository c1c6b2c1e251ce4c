// The job ticket's settings in their text forms and its file, and the press
// sheets it asks for: how many cards, where, which copy in which slot.
#include "merge/job/Ticket.h"
#include "merge/job/Imposition.h"
#include "merge/layout/TextLayout.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

TEST(Ticket, TextFormsTakenAndRefused) {
    struct CRow {
        const char* pKey;
        const char* pValue;
        bool bTaken;
    };
    const CRow rows[] = {
        {"sheet", "a3", true},
        {"order", "In-Order", true},
        {"code", "A=QR:h", true},
        {"data", "CSV", true},
        {"data", "xlsx", false},
        {"separator", "tab", true},
        {"separator", ";", true},
        {"separator", "|", false},
        {"columns", "A=B c", true},
        {"columns", "A=", false},
        {"marks", "FALSE", true},
        {"sheet", "A4", true},
        {"sheet", "612x792", true},
        {"sheet", "100x0", false},
        {"sheet", "Legal", false},
        {"sheet", "20000x10", false},
        {"card", "396x612", true},
        {"impose", "3x2", true},
        {"impose", "auto", true},
        {"impose", "0x2", false},
        {"impose", "2.5x1", false},
        {"impose", "3", false},
        {"order", "in-order", true},
        {"order", "random", false},
        {"marks", "true", true},
        {"marks", "maybe", false},
        {"bleed", "9", true},
        {"bleed", "-1", false},
        {"bleed", "1e2", false},
        {"fit", "Name=shrink", true},
        {"fit", "all=shrink:7.5", true},
        {"fit", "Name=grow", false},
        {"fit", "=shrink", false},
        {"fit", "Name=shrink:0", false},
        {"optional", "Street", true},
        {"code", "A=qr:Q", true},
        {"code", "A=pdf417", true},
        {"code", "A=qr:X", false},
        {"code", "A=aztec", false},
        {"code", "qr", false},
        {"finishing-place", "9,9,24", true},
        {"finishing-place", "9,9,4", false},
        {"finishing-place", "9,9", false},
        {"pdf-standard", "None", true},
        {"pdf-standard", "pdf/x-3", false},
        {"output-condition", "FOGRA39", true},
        {"output-condition", "", false},
        {"recipient", "Name", true},
        {"value", "No=No. {copy:06}", true},
    };
    for (const CRow& row : rows) {
        SCOPED_TRACE(std::string(row.pKey) + " " + row.pValue);
        CJobTicket ticket;
        std::string strError;
        EXPECT_EQ(SetTicketValue(ticket, row.pKey, row.pValue, strError), row.bTaken);
        EXPECT_EQ(strError,
                  row.bTaken ? ""
                             : std::string(row.pKey) + " " + row.pValue + ": not a value it takes");
        // Only the imposition's keys impose, a switch only when on.
        EXPECT_EQ(ticket.bImposed,
                  row.bTaken &&
                      std::string("fit optional code data separator columns finishing-place "
                                  "pdf-standard output-condition recipient value")
                              .find(row.pKey) == std::string::npos &&
                      std::string(row.pValue) != "FALSE");
    }
    CJobTicket ticket;
    std::string strError;
    // A set given the same name again takes it once.
    EXPECT_TRUE(SetTicketValue(ticket, "optional", "Street", strError) &&
                SetTicketValue(ticket, "optional", "Street", strError));
    EXPECT_EQ(ticket.optional.size(), 1u);
    EXPECT_FALSE(SetTicketValue(ticket, "colour", "red", strError));
    EXPECT_EQ(strError, "\"colour\" is no setting of a job ticket");
    ASSERT_TRUE(SetTicketValue(ticket, "fit", "all=shrink:7", strError));
    ASSERT_TRUE(SetTicketValue(ticket, "fit", "Name=shrink", strError));
    EXPECT_EQ(ticket.Fit("Name")->dMinSize, 6);
    EXPECT_EQ(ticket.Fit("Other")->dMinSize, 7);
    EXPECT_EQ(TicketBeside("/jobs/card.ddf"), "/jobs/card.ticket.json");
    EXPECT_EQ(TicketBeside("/jobs.v2/card"), "/jobs.v2/card.ticket.json");
}

TEST(Ticket, FileReadWholeOrRefusedNamingTheKey) {
    char szPath[] = "/tmp/nebmerge-ticket-XXXXXX";
    int nFile = mkstemp(szPath);
    ASSERT_GE(nFile, 0);
    close(nFile);
    auto Read = [&](const std::string& strJson, CJobTicket& ticket) {
        std::ofstream(szPath, std::ios::trunc) << strJson;
        std::string strError;
        ReadTicket(szPath, 1 << 20, ticket, strError);
        return strError;
    };
    CJobTicket ticket;
    EXPECT_EQ(Read(R"({"sheet": "SRA3", "card": "396x612", "impose": "auto", "order": "in-order",
                      "marks": true, "bleed": 9, "gutter": 4.5, "duplex": true,
                      "fit": {"all": "shrink:7"}, "optional": ["Street", "City"],
                      "code": {"Qr": "qr:H", "Bars": "code128"}})",
                   ticket),
              "");
    EXPECT_EQ(ticket.dSheetWidth, 907.09);
    EXPECT_EQ(ticket.dCardHeight, 612);
    EXPECT_EQ(ticket.order, StackOrder::InOrder);
    EXPECT_TRUE(ticket.bMarks && ticket.bDuplex && ticket.bImposed);
    EXPECT_EQ(ticket.dBleed, 9);
    EXPECT_EQ(ticket.dGutter, 4.5);
    EXPECT_EQ(ticket.Fit("Any")->dMinSize, 7);
    EXPECT_EQ(ticket.optional.size(), 2u);
    EXPECT_EQ(ticket.Code("Qr")->cQrLevel, 'H');
    EXPECT_EQ(ticket.Code("Bars")->kind, CodeKind::Code128);
    const std::string strPath = szPath;
    struct CRow {
        std::string strJson;
        std::string strError;
    };
    const CRow rows[] = {
        {R"({"sheet": "A4", "colour": "red"})",
         strPath + ": \"colour\" is no setting of a job ticket"},
        {R"({"marks": "maybe"})", strPath + ": marks maybe: not a value it takes"},
        {R"({"bleed": -3})", strPath + ": bleed -: not a value it takes"},
        {R"({"fit": {"Name": 7}})", strPath + ": \"fit\": {\"Name\":7} is not a value it takes"},
        {R"({"optional": [1]})", strPath + ": \"optional\": [1] is not a value it takes"},
        {R"({"duplex": null})", strPath + ": \"duplex\": null is not a value it takes"},
        {"[1, 2]", strPath + ": not a job ticket (a JSON object)"},
        {"{\"sheet\": ", strPath + ": not a job ticket (a JSON object)"},
        // Nesting that would overflow a recursive reader, and long values,
        // are refused with a message of a readable length.
        {"{\"optional\": " + std::string(100000, '[') + std::string(100000, ']') + "}",
         strPath + ": byte 76: nested deeper than 64 levels; not a job ticket"},
        {"{\"sheet\": \"" + std::string(5000, 'x') + "\"}",
         strPath + ": sheet " + std::string(40, 'x') + "...: not a value it takes"},
        {"{\"" + std::string(50, 'k') + "\": 1}",
         strPath + ": \"" + std::string(40, 'k') + "...\" is no setting of a job ticket"},
    };
    for (const CRow& row : rows) {
        CJobTicket other;
        EXPECT_EQ(Read(row.strJson, other), row.strError);
    }
    unlink(szPath);
    CJobTicket none;
    EXPECT_EQ(Read("{}", none), "");
    std::string strError;
    EXPECT_FALSE(ReadTicket("/nonexistent/t.json", 1 << 20, none, strError));
    EXPECT_EQ(strError.rfind("cannot read the job ticket /nonexistent/t.json", 0), 0u) << strError;
    unlink(szPath);
}

CSheetPlan Plan(const std::string& strSettings, size_t nCopies, size_t nPages = 2) {
    CJobTicket ticket;
    std::string strError;
    size_t nStart = 0;
    while (nStart < strSettings.size()) {
        size_t nEnd = std::min(strSettings.find(' ', nStart), strSettings.size());
        std::string strSetting = strSettings.substr(nStart, nEnd - nStart);
        size_t nEquals = strSetting.find('=');
        EXPECT_TRUE(SetTicketValue(ticket, strSetting.substr(0, nEquals),
                                   strSetting.substr(nEquals + 1), strError));
        nStart = nEnd + 1;
    }
    CSheetPlan plan;
    EXPECT_TRUE(PlanSheets(ticket, 200, 100, nPages, nCopies, plan, strError)) << strError;
    return plan;
}

TEST(Imposition, TheMostCardsTheSheetHoldsEitherWayUp) {
    // 200 by 100 cards, 9 points of bleed: 218 by 118 each, 18 points of
    // marks around.
    CSheetPlan plan = Plan("sheet=500x300 bleed=9 marks=true", 10);
    EXPECT_EQ(plan.nColumns * 10 + plan.nRows, 22);
    EXPECT_EQ(plan.dWidth, 500);
    EXPECT_EQ(plan.nSheets, 3u);
    // Turned, the sheet holds more: 1 by 9 as given, 5 by 2 on its side.
    plan = Plan("sheet=300x1100 bleed=9", 10);
    EXPECT_EQ(plan.nColumns * 10 + plan.nRows, 52);
    EXPECT_EQ(plan.dWidth, 1100);
    // Without a sheet: one just large enough.
    plan = Plan("impose=2x3 gutter=10 marks=true", 10);
    EXPECT_EQ(plan.dWidth, 2 * 200 + 10 + 36);
    EXPECT_EQ(plan.dHeight, 3 * 100 + 20 + 36);
    CJobTicket ticket;
    std::string strError;
    SetTicketValue(ticket, "sheet", "500x300", strError);
    SetTicketValue(ticket, "impose", "3x1", strError);
    SetTicketValue(ticket, "bleed", "9", strError);
    SetTicketValue(ticket, "marks", "on", strError);
    EXPECT_FALSE(PlanSheets(ticket, 200, 100, 1, 5, plan, strError));
    EXPECT_EQ(strError, "3 by 1 cards of 200 by 100 points (with bleed, gutter and marks 690 by "
                        "154) do not fit on a sheet of 500 by 300 points, either way up");
    SetTicketValue(ticket, "impose", "auto", strError);
    SetTicketValue(ticket, "sheet", "100x100", strError);
    EXPECT_FALSE(PlanSheets(ticket, 200, 100, 1, 5, plan, strError));
    EXPECT_EQ(strError, "not one card of 200 by 100 points (with bleed, gutter and marks 254 by "
                        "154) fits on a sheet of 100 by 100 points, either way up");
    SetTicketValue(ticket, "sheet", "14400x14400", strError);
    SetTicketValue(ticket, "impose", "100x100", strError);
    EXPECT_FALSE(PlanSheets(ticket, 20, 10, 1, 5, plan, strError));
    EXPECT_EQ(strError, "100 by 100 cards on a sheet are more than 400");
    CJobTicket wide;
    SetTicketValue(wide, "impose", "40x1", strError);
    EXPECT_FALSE(PlanSheets(wide, 396, 612, 1, 5, plan, strError));
    EXPECT_EQ(strError, "a sheet of 15840 by 612 points is larger than 14400 a side");
}

TEST(Imposition, AutoTakesTheMostSmallCardsTheSheetLimitAllows) {
    CJobTicket ticket;
    std::string strError;
    ASSERT_TRUE(SetTicketValue(ticket, "sheet", "2000x2000", strError));
    // 20 by 100 point cards: 100 by 20 fit, more than the 400 a sheet takes.
    CSheetPlan plan;
    ASSERT_TRUE(PlanSheets(ticket, 20, 100, 1, 1000, plan, strError)) << strError;
    EXPECT_EQ(plan.Slots(), 400);
    EXPECT_EQ(plan.nSheets, 3u);
}

TEST(Imposition, PilesInCopyOrderBacksBehindFrontsEmptySlotsLast) {
    struct CRow {
        const char* pSettings;
        size_t nCopies;
        std::vector<std::vector<long>> sheets; // copies by slot, -1 empty
    };
    const CRow rows[] = {
        {"impose=2x1", 6, {{0, 3}, {1, 4}, {2, 5}}},
        {"impose=2x2", 5, {{0, 2, 3, 4}, {1, -1, -1, -1}}},
        {"impose=2x2", 7, {{0, 2, 4, 6}, {1, 3, 5, -1}}},
        {"impose=2x2 order=in-order", 5, {{0, 1, 2, 3}, {4, -1, -1, -1}}},
        {"impose=3x1", 2, {{0, 1, -1}}},
    };
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.pSettings + std::string(" ") + std::to_string(row.nCopies));
        CSheetPlan plan = Plan(row.pSettings, row.nCopies);
        ASSERT_EQ(plan.nSheets, row.sheets.size());
        for (size_t nSheet = 0; nSheet < plan.nSheets; ++nSheet) {
            for (int nSlot = 0; nSlot < plan.Slots(); ++nSlot) {
                EXPECT_EQ(plan.CopyAt(nSheet, nSlot), row.sheets[nSheet][nSlot]);
            }
        }
    }
    // A duplex card of one page gets a blank back; each back lies behind
    // its front.
    EXPECT_EQ(Plan("duplex=true", 1, 1).nSides, 2);
    EXPECT_EQ(Plan("duplex=true", 1, 3).nSides, 4);
    EXPECT_EQ(Plan("impose=2x1", 1, 3).nSides, 3);
    CSheetPlan plan = Plan("sheet=700x300 impose=3x2 bleed=3 gutter=6 duplex=true", 6);
    for (int nSlot = 0; nSlot < plan.Slots(); ++nSlot) {
        double dFrontX = 0;
        double dFrontY = 0;
        double dBackX = 0;
        double dBackY = 0;
        plan.TrimCorner(nSlot, 0, dFrontX, dFrontY);
        plan.TrimCorner(nSlot, 1, dBackX, dBackY);
        EXPECT_DOUBLE_EQ(dBackX, 700 - dFrontX - 200);
        EXPECT_DOUBLE_EQ(dBackY, dFrontY);
        EXPECT_DOUBLE_EQ(dFrontX, (700 - 3 * 206 - 2 * 6) / 2.0 + 3 + nSlot % 3 * 212);
    }
}

TEST(TextLayout, ShrunkToTheLargestTenthThatFitsLeadingInProportion) {
    CFontMetrics metrics;
    CAreaDefinition area;
    area.nAlignment = AlignLeftFlow;
    area.strFont = "Courier";
    area.fSize = 10;
    area.fSpacing = 12;
    area.fWidth = 30;
    area.fHeight = 20;
    // Two lines at 10 points run below the bottom; at 9.1 the second
    // baseline is 20.02 down (within the twentieth spare).
    CTextLayout layout = FitText(area, "ab cd ef", metrics, TextEncoding::Windows1252, 6);
    EXPECT_DOUBLE_EQ(layout.dSize, 9.1);
    ASSERT_EQ(layout.lines.size(), 2u);
    EXPECT_NEAR(layout.lines[1].dBaseline - layout.lines[0].dBaseline, 12 * 0.91, 1e-9);
    EXPECT_TRUE(Fits(layout));
    // What fits stays at its size; one word too wide for the minimum is
    // set at the minimum, running past.
    EXPECT_EQ(FitText(area, "ab", metrics, TextEncoding::Windows1252, 6).dSize, 10);
    CTextLayout tooLong = FitText(area, "abcdefghij", metrics, TextEncoding::Windows1252, 6);
    EXPECT_EQ(tooLong.dSize, 6);
    EXPECT_NEAR(tooLong.dOverWidth, 6, 1e-9);
    EXPECT_EQ(FitText(area, "abcdefgh", metrics, TextEncoding::Windows1252, 6).dSize, 6.2);
}

} // namespace
