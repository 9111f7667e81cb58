#pragma once
// The option set in the per-user settings store, through the application's
// profile functions (section "velmoraPatch").
#include "core/option_set.h"

// All twenty values, with their defaults where the store has none; `enroutealt`
// is brought into 420..600, `traffic` is taken as stored.
OptionSet ReadStoredOptionSet();
// All twenty values; a value that cannot be written is skipped silently.
void WriteStoredOptionSet(const OptionSet& options);
