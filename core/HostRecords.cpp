#include "HostRecords.h"

bool ReadPrintOptions(CReplyReader& reader, CPrintOptions& options) {
    for (int16_t& nValue : options.anLeading) {
        nValue = reader.Get16();
    }
    options.strName = reader.GetString();
    for (int16_t& nValue : options.anTrailing) {
        nValue = reader.Get16();
    }
    return !reader.Short();
}

void WritePrintOptions(CParamWriter& writer, const CPrintOptions& options) {
    for (int16_t nValue : options.anLeading) {
        writer.Put16(nValue);
    }
    writer.PutString(options.strName);
    for (int16_t nValue : options.anTrailing) {
        writer.Put16(nValue);
    }
}

bool ReadPaper(CReplyReader& reader, CPaperRecord& paper) {
    paper.strName = reader.GetString();
    paper.strSecond = reader.GetString();
    for (int32_t& nValue : paper.anSize) {
        nValue = reader.Get32();
    }
    for (int16_t& nValue : paper.anFirstGroup) {
        nValue = reader.Get16();
    }
    paper.nSingle = reader.Get32();
    for (int16_t& nValue : paper.anLastGroup) {
        nValue = reader.Get16();
    }
    return !reader.Short();
}

void WritePaper(CParamWriter& writer, const CPaperRecord& paper) {
    writer.PutString(paper.strName);
    writer.PutString(paper.strSecond);
    for (int32_t nValue : paper.anSize) {
        writer.Put32(nValue);
    }
    for (int16_t nValue : paper.anFirstGroup) {
        writer.Put16(nValue);
    }
    writer.Put32(paper.nSingle);
    for (int16_t nValue : paper.anLastGroup) {
        writer.Put16(nValue);
    }
}

bool ReadSelection(const uint8_t* pData, size_t nSize, CSelectionRecord& selection) {
    if (nSize < SelectionRecordSize) {
        return false;
    }
    CReplyReader reader(pData, nSize);
    selection.nCount = reader.Get16();
    selection.nObjectId = reader.Get32();
    reader.Seek(14);
    selection.nObjectNumber = reader.Get16();
    selection.nKind = reader.Get16();
    selection.nRotated = reader.Get16();
    reader.Seek(22);
    for (int32_t& nValue : selection.anCoords) {
        nValue = reader.Get32();
    }
    return true;
}

bool ReadPageObjects(const uint8_t* pData, size_t nSize, std::vector<CPageObject>& objects) {
    CReplyReader reader(pData, nSize);
    int16_t nCount = reader.Get16();
    if (reader.Short() || nCount < 0 ||
        static_cast<size_t>(nCount) > (nSize - 2) / PageObjectRecordSize) {
        return false;
    }
    objects.clear();
    for (int16_t i = 0; i < nCount; ++i) {
        reader.Seek(2 + PageObjectRecordSize * static_cast<size_t>(i));
        CPageObject object;
        object.nNumber = reader.Get16();
        object.nKind = reader.Get16();
        objects.push_back(object);
    }
    return true;
}

bool ReadPrivateDataObjects(const uint8_t* pData, size_t nSize,
                            std::vector<CPrivateDataObject>& objects) {
    CReplyReader reader(pData, nSize);
    int16_t nCount = reader.Get16();
    if (nCount <= 0) {
        return false;
    }
    objects.clear();
    for (int16_t i = 0; i < nCount; ++i) {
        size_t nBase = 24 * static_cast<size_t>(i);
        CPrivateDataObject object;
        reader.Seek(16 + nBase);
        object.nObjectId = reader.Get32();
        reader.Seek(22 + nBase);
        object.nLength = reader.Get16();
        if (reader.Short()) {
            return false;
        }
        objects.push_back(object);
    }
    return true;
}
