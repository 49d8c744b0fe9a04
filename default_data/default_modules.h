#pragma once
// The default-data modules, one per search category, in one table indexed by the
// category; the restore command looks its module up here. The modules live for the whole
// run, and each one's lines are created on first use.
#include "core/category.h"
#include "default_data/default_data_module.h"

namespace zentrel {

// The module of a listed category; nullptr for any other value.
DefaultDataModule* default_data_for_category(Category category);

} // namespace zentrel
