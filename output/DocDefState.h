// The document definition of the job being produced.
#pragma once

#include "model/DocDef.h"

// Null between jobs: a job makes it with its first area or page, and writing
// or discarding it ends it.
extern CDocDef* pDocDef;

// The job's document definition, made on first use.
CDocDef& TheDocDef();

// Frees the document definition; none is left.
void DiscardDocDef();
