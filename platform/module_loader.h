#pragma once

namespace kustel {

// Loads the module `fileName` from the folder of the running program file and looks up one of
// its functions. Null when the module or the function is missing, or the module cannot load;
// a loaded module stays for the life of the process.
void* FindModuleFunction(const char* fileName, const char* functionName);

}  // namespace kustel
