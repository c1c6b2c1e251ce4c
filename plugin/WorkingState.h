// The plug-in's working state, which lives from start-up to shut-down: the
// state of each part, owned here and handed by the dispatch to the commands.
#pragma once

#include "plugin/channel/JobFileNames.h"
#include "plugin/fields/FieldState.h"
#include "plugin/fields/SampleState.h"
#include "plugin/fonts/FontMapState.h"
#include "plugin/objects/ObjectState.h"

#include <string>
#include <vector>

// What start-up read of the publication's stored data fields, for shut-down.
struct CStoredFieldsState {
    // Whether start-up could not read the stored data field run (its sample
    // file string or one of its strings could not be read), and the stored
    // lines of the fields it had then. While the fields are still these,
    // shut-down leaves the stored run as it is instead of writing it over.
    bool bUnread = false;
    std::vector<std::string> loadedLines;

    void Reset() {
        bUnread = false;
        loadedLines.clear();
    }
};

class CWorkingState {
  public:
    // A state of its own, as a test builds it.
    CWorkingState() = default;
    // The plug-in's state: its data fields are the exported pointers.
    explicit CWorkingState(CFieldState::Exported exported) : fields(exported) {}
    CWorkingState(const CWorkingState&) = delete;
    CWorkingState& operator=(const CWorkingState&) = delete;

    // Sets every part to its initial value without freeing anything (the
    // clipboard format number is kept).
    void Reset();
    // Frees what every part holds, then resets. A memory exception raised on
    // the way is reported; the reset happens in any case.
    void Release();

    CFieldState fields;
    CSampleState sample;
    CObjectState objects;
    CFontMapState fontMap;
    CJobFileState jobFiles;
    CStoredFieldsState storedFields;
};

// The plug-in's one working state, whose data fields the host reads through
// the exported pDFList and pDF.
CWorkingState& PluginState();
