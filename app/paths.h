// The files the program keeps beside its executable.
#ifndef VARLO_APP_PATHS_H
#define VARLO_APP_PATHS_H

#include <string>

// Everything up to and including the last backslash; empty when there is none.
std::wstring directoryPart(const std::wstring& path);

#endif
