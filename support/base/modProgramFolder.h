#pragma once

#include <string>

/// The folder of the program's executable.
std::u16string ExecutableFolder();

/// The folder that holds the start-up files: the executable's folder when it holds them, otherwise
/// the installed data folder beside it (../share/tesselet).
std::u16string ProgramFolder();
