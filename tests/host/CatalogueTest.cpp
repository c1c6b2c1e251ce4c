// Catalogue publications for the benchmark, and the host's ways of keeping
// up with one: objects found through an index, and its answers timed.
#include "host/Catalogue.h"
#include "core/AreaDefinition.h"
#include "core/LineReader.h"
#include "host/StandInHost.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

namespace {

CPublication Model() {
    CPublication model;
    model.strPath = "C:\\Jobs\\Card.pub";
    model.strings = {
        {"NEB ", "VDAT", 2, "C:\\Data\\customers.txt", false},
        {"NEB ", "VDAT", 1000, "Name 1 0 0 1 0 0 8 8 1 CRLF 12 ", false},
        {"NEB ", "VDAT", 1001, "Street 1 0 0 1 0 10 24 14 1 CRLF Springfield ", false}};
    model.pages.resize(2);
    model.pages[0].objects = {HostObject(1, 1, 1)};
    return model;
}

const std::string& StoredString(const CHostObject& object, int32_t nIndex) {
    for (const CPrivateString& entry : object.strings) {
        if (entry.nIndex == nIndex) {
            return entry.strValue;
        }
    }
    static const std::string strNone;
    return strNone;
}

TEST(Catalogue, PagesOfPlaceholdersTiedToTheFieldsInTurn) {
    CPublication catalogue;
    std::string strError;
    ASSERT_TRUE(MakeCatalogue(Model(), 3, 5, catalogue, strError)) << strError;
    EXPECT_EQ(catalogue.strPath, "C:\\Jobs\\Card.pub");
    EXPECT_EQ(catalogue.strings.size(), 3u);
    ASSERT_EQ(catalogue.pages.size(), 3u);
    std::set<int32_t> ids;
    std::set<std::string> names;
    int nPlaceholder = 0;
    for (size_t p = 0; p < 3; ++p) {
        const auto& objects = catalogue.pages[p].objects;
        ASSERT_EQ(objects.size(), 6u);
        EXPECT_TRUE(objects[0].bText);
        ids.insert(objects[0].nId);
        for (size_t o = 1; o < objects.size(); ++o, ++nPlaceholder) {
            const CHostObject& object = objects[o];
            EXPECT_EQ(object.nKind, 11);
            EXPECT_EQ(object.nNumber, static_cast<int16_t>(o + 1));
            ids.insert(object.nId);
            // The stored area reads, on its page, and is named as the object.
            std::istringstream in(StoredString(object, 100) + "\n");
            CAreaDefinition area;
            ASSERT_EQ(ReadArea(area, in), ReadOk) << StoredString(object, 100);
            EXPECT_EQ(StoredString(object, 1), area.strName.Text());
            EXPECT_STREQ(area.strPage.Text(), std::to_string(p + 1).c_str());
            EXPECT_EQ(object.anBounds[0], static_cast<int32_t>(area.fLeft * 20));
            EXPECT_EQ(object.anBounds[3], static_cast<int32_t>((area.fTop + area.fHeight) * 20));
            names.insert(area.strName.Text());
            EXPECT_EQ(StoredString(object, 101), nPlaceholder % 2 == 0 ? "Name" : "Street");
            EXPECT_NE(object.strEps.find("%%Title: " + StoredString(object, 1) + "\n"),
                      std::string::npos);
        }
    }
    EXPECT_EQ(ids.size(), 18u);   // every object its own identifier
    EXPECT_EQ(names.size(), 15u); // every area its own name

    // The same arguments give the same publication.
    CPublication again;
    ASSERT_TRUE(MakeCatalogue(Model(), 3, 5, again, strError));
    EXPECT_EQ(PublicationText(again), PublicationText(catalogue));
}

TEST(Catalogue, RefusesWhatItCannotMake) {
    CPublication catalogue;
    std::string strError;
    CPublication withoutFields = Model();
    withoutFields.strings.resize(1);
    EXPECT_FALSE(MakeCatalogue(withoutFields, 1, 1, catalogue, strError));
    EXPECT_EQ(strError, "the model publication stores no data field to tie placeholders to");
    for (auto counts : {std::make_pair(0, 1), std::make_pair(1, 0), std::make_pair(32768, 1),
                        std::make_pair(1, 121)}) {
        strError.clear();
        EXPECT_FALSE(MakeCatalogue(Model(), counts.first, counts.second, catalogue, strError));
        EXPECT_EQ(strError, "a catalogue has 1 to 32767 pages of 1 to 120 placeholders");
    }
}

TEST(Catalogue, ObjectsAreFoundWhereverTheyHaveGone) {
    CPublication publication = Model();
    ASSERT_NE(publication.FindObject(1), nullptr);
    EXPECT_EQ(publication.FindObject(2), nullptr);
    // Added after the index was built, and moved to another page.
    publication.pages[1].objects.push_back(HostObject(2, 1, 11));
    ASSERT_NE(publication.FindObject(2), nullptr);
    EXPECT_EQ(publication.FindObject(2)->nKind, 11);
    publication.pages[0].objects.insert(publication.pages[0].objects.begin(), HostObject(3, 2, 4));
    ASSERT_NE(publication.FindObject(1), nullptr);
    EXPECT_EQ(publication.FindObject(1)->nNumber, 1);
    publication.pages[0].objects.erase(publication.pages[0].objects.begin() + 1);
    EXPECT_EQ(publication.FindObject(1), nullptr);
    EXPECT_EQ(publication.FindObject(3)->nKind, 4);
    // A copy finds its own objects, not the original's.
    CPublication copy = publication;
    EXPECT_EQ(copy.FindObject(3), &copy.pages[0].objects[0]);
}

TEST(Catalogue, EveryRequestIsTimed) {
    CStandInHost host;
    host.Publication() = Model();
    for (uint16_t nCode : {uint16_t(3507), uint16_t(3502), uint16_t(9999)}) {
        HostParamBlock block = *host.Block();
        block.code = nCode;
        block.replyKind = ReplyHandle;
        host.HandleRequest(&block);
        GlobalFree(reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(block.reply)));
    }
    ASSERT_EQ(host.RequestTimes().size(), 3u);
    for (const CRequestTime& time : host.RequestTimes()) {
        EXPECT_GT(time.nStart, 0);
        EXPECT_GE(time.nEnd, time.nStart);
    }
    EXPECT_GE(host.RequestTimes()[1].nStart, host.RequestTimes()[0].nEnd);
}

} // namespace
