// Runs a command so that no exception leaves it: a memory exception is shown as
// ZTM5043, a file exception as ZTM5044, any other as ZTM5045, and the command
// then ends normally with the result given for that case.
#pragma once

#include <cstdint>
#include <functional>

uint16_t RunGuarded(const std::function<uint16_t()>& command, uint16_t nAfterException);
