// The document definition file path last derived from the publication's path.
#pragma once

extern char* pDocDefPath;
