// What the core costs a job of catalogue size, without Wine: the named object
// of every placeholder read back from its stored strings, its area and Merge
// added to the document definition page by page, and the whole document
// definition written as the file holds it.
#include "core/DocDef.h"
#include "core/NamedObject.h"
#include "core/OwnedText.h"
#include "core/PlaceholderText.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int PerPage = 20;

// The stored strings of the placeholders of a catalogue: area text form and
// data field name, the fields taken in turn.
std::vector<std::vector<std::string>> CatalogueStrings(int nAreas) {
    static const char* const Fields[] = {"Name", "Street", "City", "Zip"};
    static const char* const Alignments[] = {"Left", "Center", "Right", "Justify"};
    std::vector<std::vector<std::string>> strings;
    for (int i = 0; i < nAreas; ++i) {
        int nPage = i / PerPage + 1;
        int nIndex = i % PerPage;
        std::string strArea = "P" + std::to_string(nPage) + "A" + std::to_string(nIndex + 1) +
                              " Is Text " + Alignments[nIndex % 4] +
                              " Flow Font Helvetica Size 10 Spacing 12 CMYK 0 0 0 1 On "
                              "\"c:\\jobs\\catalogue.ps\" " +
                              std::to_string(nPage) + " At " +
                              std::to_string(36 + nIndex % 4 * 132) + " " +
                              std::to_string(72 + nIndex / 4 * 22) + " For 120 18 FirstPos -1 -1";
        strings.push_back({strArea, Fields[i % 4]});
    }
    return strings;
}

// Reads every placeholder back and adds it, as the page walk does.
void FillDocDef(const std::vector<std::vector<std::string>>& strings, CDocDef& docDef) {
    char* pLastObject = nullptr;
    char* pLastField = nullptr;
    const char* pFile = "z:\\jobs\\catalogue.ps";
    for (size_t i = 0; i < strings.size(); ++i) {
        std::string strArea = strings[i][0];
        std::string strField = strings[i][1];
        char* apStrings[] = {&strArea[0], &strField[0], nullptr};
        CNamedObject* pObject = NewNamedObject();
        ReadPlaceholderObject(apStrings, pObject, pLastObject, pLastField);
        std::string strPage = std::to_string(i / PerPage + 1);
        SetFileAndPage(pFile, strPage.c_str(), pObject);
        AddAreaAndMerge(docDef, pObject);
        FreeNamedObject(pObject);
        if (i % PerPage == PerPage - 1) {
            AddIncludePages(docDef, strPage.c_str(), pFile, 612, 792, 0);
        }
    }
    ReplaceOwnedText(pLastObject, nullptr);
    ReplaceOwnedText(pLastField, nullptr);
}

void ReadAndAddPlaceholders(benchmark::State& state) {
    auto strings = CatalogueStrings(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CDocDef docDef;
        FillDocDef(strings, docDef);
        benchmark::DoNotOptimize(docDef.areas.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void WriteDocDefOfAreas(benchmark::State& state) {
    CDocDef docDef;
    FillDocDef(CatalogueStrings(static_cast<int>(state.range(0))), docDef);
    size_t nBytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        WriteDocDef(docDef, out);
        std::string strFile = FileLines(out.str());
        nBytes = strFile.size();
        benchmark::DoNotOptimize(strFile.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["file bytes"] = static_cast<double>(nBytes);
}

// Adding 20,000 areas of distinct names, then the same names again (each
// replacing its area in place).
void AddOrReplaceAreas(benchmark::State& state) {
    const int nAreas = static_cast<int>(state.range(0));
    std::vector<CAreaDefinition> areas(static_cast<size_t>(nAreas));
    for (int i = 0; i < nAreas; ++i) {
        areas[static_cast<size_t>(i)].strName = ("Area" + std::to_string(i)).c_str();
    }
    for (auto _ : state) {
        CAreaDefinitionList list;
        for (const CAreaDefinition& area : areas) {
            AddOrReplace(list, area);
        }
        for (const CAreaDefinition& area : areas) {
            AddOrReplace(list, area);
        }
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * 2 * state.range(0));
}

} // namespace

BENCHMARK(ReadAndAddPlaceholders)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteDocDefOfAreas)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(AddOrReplaceAreas)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
