#include "DocDefState.h"

char* pDocDefPath = nullptr;
