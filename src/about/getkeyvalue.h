#pragma once

#include "platform/registry.h"

#include <string>

// Reads the value SubKeyRef of the key KeyName below KeyRoot into KeyVal as
// text, through Registry::Current(). True when the key opened and the value
// was read; false, with KeyVal emptied, when either failed (missing, access
// refused, or larger than 1024 bytes).
//
// A REG_SZ value becomes its text, without the one terminating zero at its
// end. A REG_DWORD becomes "&h" followed by two hexadecimal digits per byte,
// most significant first. Other types leave KeyVal as it was.
//
// A value of 0 bytes raises RuntimeError (invalid procedure call); the key is
// closed all the same.
//
// Standard C++ only: this file is built into a Windows test program as well.
bool GetKeyValue(const Registry::Key &KeyRoot, const std::string &KeyName,
                 const std::string &SubKeyRef, std::string &KeyVal);
