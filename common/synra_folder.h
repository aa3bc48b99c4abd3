// The folder shared with the maker's other programs: the machine's common
// application-data folder + "\Velmar\Synra\".
#pragma once

#include <string>

namespace vextra {

// The folder, with its trailing separator.
std::string SynraFolder(const std::string& commonAppData);
// "Tanaim.ini" in that folder (only its path is ours).
std::string TanaimPath(const std::string& commonAppData);
std::string SynraConfigPath(const std::string& commonAppData);

// Creates the folder and "TConfig.ini" when missing and adds the Monitor's
// section "Vext+" unless the file already has it or another section already
// names "Vextra". Nothing else in the file changes. False when the folder or
// the file could not be made or written.
bool RegisterWithSynra(const std::string& commonAppData);

}  // namespace vextra
