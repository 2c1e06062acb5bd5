// The folder that the component's module file was loaded from, without a trailing separator.
#pragma once

#include <optional>
#include <string>

namespace signer {

std::string ComponentFolder();

// Points the component's folder elsewhere for the whole process; nullopt asks the loader again.
void SetComponentFolderForTesting(std::optional<std::string> folder);

}  // namespace signer
