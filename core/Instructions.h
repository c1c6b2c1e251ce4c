// The lines of the [DocumentInstructions] section: IncludePages takes pages of
// the PostScript file, Merge fills an area from a data field.
#pragma once

#include "ItemList.h"
#include "core/SmallString.h"

#include <iosfwd>

class CAreaDefinition;
class CDataDefinition;

// The page plan of a merge step, to which instructions hand themselves.
class IPagePlan {
  public:
    virtual ~IPagePlan() = default;
    virtual void IncludePages(const CSmallString& strFile, const CSmallString& strFirst,
                              const CSmallString& strLast, double dWidth, double dHeight,
                              double dThird) = 0;
    virtual void Merge(const CSmallString& strArea, const CSmallString& strField,
                       const CAreaDefinition* pArea, const CDataDefinition* pField) = 0;
};

class CInstruction {
  public:
    virtual ~CInstruction() = default;
    virtual void Apply(IPagePlan& plan) const = 0;
    // Called before the instruction is freed.
    virtual void Release() = 0;
    // Writes the line and its line feed; 0, or 2 when the stream failed.
    virtual int Write(std::ostream& out) const = 0;
    // Reads one line of this kind: 0, 1 a section line (pushed back), 2 an
    // unexpected or refused line (pushed back), 3 end of input.
    virtual int Read(std::istream& in, CAreaDefinitionList& areas, CDataDefinitionList& fields) = 0;
};

class CIncludePages : public CInstruction {
  public:
    void Apply(IPagePlan& plan) const override;
    void Release() override {}
    int Write(std::ostream& out) const override;
    // Refuses an empty file, first or last page, and a width or height not
    // above 0.
    int Read(std::istream& in, CAreaDefinitionList& areas, CDataDefinitionList& fields) override;
    virtual void Assign(const CIncludePages& other) { *this = other; }

    CSmallString strFile;
    CSmallString strFirst;
    CSmallString strLast;
    double dWidth = 0;
    double dHeight = 0;
    double dThird = 0;
};

class CMerge : public CInstruction {
  public:
    void Apply(IPagePlan& plan) const override;
    void Release() override {}
    int Write(std::ostream& out) const override;
    // Looks the area and the data definition up by name in the lists.
    int Read(std::istream& in, CAreaDefinitionList& areas, CDataDefinitionList& fields) override;
    virtual void Assign(const CMerge& other) { *this = other; }

    CSmallString strAreaName;
    CSmallString strFieldName;
    const CAreaDefinition* pArea = nullptr;
    const CDataDefinition* pField = nullptr;
};
