// Runs a command so that no exception leaves it: a memory exception is shown as
// ZTM5043, a file exception as ZTM5044, any other as ZTM5045, and the command
// then ends normally with the result given for that case (also when the
// message itself cannot be shown).
#pragma once

#include <cstdint>
#include <functional>

// The catalogue entry of the exception being handled; called only inside a
// catch block.
unsigned CurrentExceptionMessage() noexcept;

uint16_t RunGuarded(const std::function<uint16_t()>& command, uint16_t nAfterException);
