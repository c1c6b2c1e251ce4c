#include "PublicationState.h"

#include "HostRequests.h"

uint16_t LoadPublicationState(HostParamBlock* pBlock) {
    Request::CmdRequest1556(pBlock);
    return StatusOk;
}

uint16_t SavePublicationState(HostParamBlock*) {
    return StatusOk;
}
