#include "FieldState.h"

CDataFieldList* pDFList = nullptr;
CDataField* pDF = nullptr;
char* pLastFieldName = nullptr;
