#pragma once

#include "apps/fishbone/cli.h"

// Every command of the program, one file each (command_<name>.cpp). cli.cpp lists them.

namespace fishbone {

extern const Command kCheckCommand;       // command_check.cpp
extern const Command kConvertCommand;     // command_convert.cpp
extern const Command kDemoCommand;        // command_demo.cpp
extern const Command kGenerateCommand;    // command_generate.cpp
extern const Command kRegisterCommand;    // command_register.cpp
extern const Command kUnregisterCommand;  // command_register.cpp

}  // namespace fishbone
