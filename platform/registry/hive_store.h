// The hive file under the prefix directory. Reading takes a shared lock and loads the current
// file, so a change made by another process is seen at once. Changing takes an exclusive lock,
// loads, applies the change, writes a temporary file, syncs it and renames it over the hive, so
// concurrent writers never lose an update and a writer killed halfway leaves the old hive whole.
#pragma once

#include <functional>
#include <memory>

#include "platform/com/types.h"
#include "platform/registry/hive.h"

namespace registry::detail {

// The current hive: an absent file is an empty hive; a damaged one gives ERROR_BADDB. The file
// is read on every call; the tree parsed from it is shared while the file's text stays the same.
LONG ReadHive(std::shared_ptr<const Key>* root);

// The change returns ERROR_SUCCESS and sets *changed when the hive must be written; any other
// result leaves the file untouched and is returned as is.
using HiveChange = std::function<LONG(Key& root, bool* changed)>;
LONG ChangeHive(const HiveChange& change);

}  // namespace registry::detail
