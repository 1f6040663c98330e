#pragma once
// The settings record as ApplyDefaults makes it, without disturbing the global record.

#include "config/settings.h"

namespace kelvane_test {

inline kelvane::Settings DefaultSettings() {
    const kelvane::Settings saved = kelvane::settings;
    kelvane::ApplyDefaults();
    const kelvane::Settings defaults = kelvane::settings;
    kelvane::settings = saved;
    return defaults;
}

}  // namespace kelvane_test
