#pragma once

// Folders and files of the program, as the bytes the system names them by.

#include <string>
#include <vector>

/// The folder of the program's executable.
std::string ExecutableFolder();

/// The folder that holds the start-up files: the executable's folder when it holds them, otherwise
/// the installed data folder beside it (../share/tesselet).
std::string ProgramFolder();

/// The files the program is made of and ships beside itself, which no page may replace: both
/// programs and the read-me in `programFolder` (the folder of the start-up files) and in the
/// executable's folder, and the running executable under whatever name it has. Start-up files are
/// named by StartUpFiles.
std::vector<std::string> ProgramFilePaths(const std::string& programFolder);
