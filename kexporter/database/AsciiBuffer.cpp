#include "AsciiBuffer.h"

#include "VekCommon/VekStringToAscii.h"

AsciiBuffer::~AsciiBuffer() { release(); }

void AsciiBuffer::release() {
  VekFreeMemory(text_, nullptr);
  text_ = nullptr;
}
